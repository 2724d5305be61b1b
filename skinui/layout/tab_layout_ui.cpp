#include "skinui/layout/tab_layout_ui.h"

#include <cwchar>
#include <vector>

#include "skinui/core/markup/attribute_values.h"
#include "skinui/core/window/manager_ui.h"

namespace SkinUI {

void* CTabLayoutUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"TabLayout") == 0) return this;
  return CContainerUI::FindInterface(name);
}

bool CTabLayoutUI::Add(CControlUI* control) { return InsertAt(control, GetCount()); }

bool CTabLayoutUI::InsertAt(CControlUI* control, int index) {
  if (!CContainerUI::InsertAt(control, index)) return false;
  if (current_ == -1 && control->IsVisible()) {
    current_ = index;
    return true;
  }
  if (current_ != -1 && index <= current_) ++current_;
  control->SetVisible(false);
  return true;
}

bool CTabLayoutUI::RemoveAt(int index, bool doNotDestroy) {
  if (!CContainerUI::RemoveAt(index, doNotDestroy)) return false;
  if (index == current_) {
    current_ = GetCount() > 0 ? 0 : -1;
    if (current_ == 0) GetChildAt(0)->SetVisible(true);
    RequestParentLayout();
  } else if (index < current_) {
    --current_;
  }
  return true;
}

void CTabLayoutUI::RemoveAll() {
  current_ = -1;
  CContainerUI::RemoveAll();
  RequestParentLayout();
}

bool CTabLayoutUI::SelectPage(int index, bool notify) {
  if (index < 0 || index >= GetCount()) return false;
  if (index == current_) return true;
  const int old = current_;
  current_ = index;
  for (int i = 0; i < GetCount(); ++i) {
    GetChildAt(i)->SetVisible(i == index);
    if (i == index) GetChildAt(i)->SetFocus();
  }
  RequestParentLayout();
  CManagerUI* manager = GetManager();
  if (manager == nullptr) return true;
  manager->FocusNext(true);
  if (notify) manager->SendNotification(this, L"tabselect", static_cast<WPARAM>(index), old);
  return true;
}

void CTabLayoutUI::SetBounds(const RECT& rect, bool invalidate) {
  CControlUI::SetBounds(rect, invalidate);
  std::vector<LayoutChild> children = GetLayoutChildren();
  std::vector<ChildPlacement> placements(children.size());
  ChildMeasure measure(Items());
  LayoutTab(GetLayoutParams(), children, current_, measure, placements);
  ApplyPlacements(placements);
}

void CTabLayoutUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  // The page is chosen and the attribute is still kept among the extra ones.
  if (std::wcscmp(name, L"selectedid") == 0) SelectPage(ParseDecimal(value));
  CContainerUI::ApplyAttribute(name, value);
}

}  // namespace SkinUI
