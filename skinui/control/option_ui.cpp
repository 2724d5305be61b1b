#include "skinui/control/option_ui.h"

#include <cwchar>
#include <vector>

#include "skinui/core/markup/attribute_values.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/render/render_ui.h"

namespace SkinUI {

namespace {

// Room a line of text gets above and below its glyphs.
constexpr int kLineSpacing = 8;

bool Is(const wchar_t* name, const wchar_t* known) { return std::wcscmp(name, known) == 0; }

}  // namespace

COptionUI::~COptionUI() {
  if (GetManager() != nullptr && !group_.IsEmpty()) GetManager()->LeaveOptionGroup(group_.GetData(), this);
}

void* COptionUI::FindInterface(const wchar_t* name) {
  if (Is(name, L"Option")) return this;
  return CButtonUI::FindInterface(name);
}

void COptionUI::AttachManager(CManagerUI* manager, CControlUI* parent, bool initialise) {
  CManagerUI* old = GetManager();
  if (old != nullptr && old != manager && !group_.IsEmpty()) old->LeaveOptionGroup(group_.GetData(), this);
  CButtonUI::AttachManager(manager, parent, initialise);
  if (manager != nullptr && !group_.IsEmpty()) manager->JoinOptionGroup(group_.GetData(), this);
}

bool COptionUI::Invoke() {
  if (!CButtonUI::Invoke()) return false;
  SetSelected(group_.IsEmpty() ? !selected_ : true);
  return true;
}

void COptionUI::SetEnabled(bool enabled) {
  CButtonUI::SetEnabled(enabled);
  if (!enabled) SetStateBits(~static_cast<uint32_t>(kStateSelected), false);
}

void COptionUI::SetSelected(bool selected, bool notify) {
  if (selected_ == selected) return;
  selected_ = selected;
  SetStateBits(kStateSelected, selected);
  Invalidate();
  CManagerUI* manager = GetManager();
  if (manager == nullptr) return;
  if (!group_.IsEmpty()) {
    if (!selected) return;
    const std::vector<CControlUI*>* members = manager->GetOptionGroup(group_.GetData());
    // A copy: deselecting never changes the group, but the list is the manager's.
    const std::vector<CControlUI*> others = members != nullptr ? *members : std::vector<CControlUI*>{};
    for (CControlUI* other : others) {
      auto* option = static_cast<COptionUI*>(other->FindInterface(L"Option"));
      if (option != nullptr && option != this) option->SetSelected(false, false);
    }
  }
  if (notify) manager->SendNotification(this, L"selectchanged");
}

void COptionUI::SetGroup(const wchar_t* group) {
  if (group_ == group) return;
  CManagerUI* manager = GetManager();
  if (manager != nullptr && !group_.IsEmpty()) manager->LeaveOptionGroup(group_.GetData(), this);
  group_ = group;
  if (manager != nullptr && !group_.IsEmpty()) manager->JoinOptionGroup(group_.GetData(), this);
}

void COptionUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (Is(name, L"group")) {
    SetGroup(value);
  } else if (Is(name, L"selected")) {
    SetSelected(ParseBool(value));
  } else if (Is(name, L"selectedimage")) {
    selectedImage_.Reset(value);
  } else if (Is(name, L"selectedhotimage")) {
    selectedHotImage_.Reset(value);
  } else if (Is(name, L"selecteddisabledimage")) {
    selectedDisabledImage_.Reset(value);
  } else if (Is(name, L"foreimage")) {
    optionForeImage_.Reset(value);
  } else if (Is(name, L"selectedbkcolor")) {
    selectedBkColor_ = ParseColor(value);
  } else if (Is(name, L"selectedtextcolor")) {
    selectedTextColor_ = ParseColor(value);
  } else {
    CButtonUI::ApplyAttribute(name, value);
    return;
  }
  Invalidate();
}

SIZE COptionUI::Measure(SIZE available) {
  if (GetAssignedHeight() != 0 || GetManager() == nullptr) return CButtonUI::Measure(available);
  return {GetAssignedWidth(), GetManager()->GetFontInfo(GetFont())->metrics.tmHeight + kLineSpacing};
}

void COptionUI::PaintStateImage(HDC dc) {
  SyncStateBits();
  if (!selected_ || !PaintSelectedImage(dc)) PaintButtonImages(dc, true);
  DrawStateImage(dc, optionForeImage_);
}

bool COptionUI::PaintSelectedImage(HDC dc) {
  const uint32_t state = GetButtonState();
  if ((state & kStateHot) != 0 && DrawStateImage(dc, selectedHotImage_)) return true;
  if ((state & kStateDisabled) != 0 && DrawStateImage(dc, selectedDisabledImage_)) return true;
  if (DrawStateImage(dc, selectedImage_)) return true;
  if (selectedBkColor_ == 0) return false;
  CRenderUI::FillColor(dc, GetPaintRect(), ApplyHslAdjust(selectedBkColor_));
  return true;
}

void COptionUI::PaintText(HDC dc) {
  if (GetManager() == nullptr || GetText().IsEmpty()) return;
  const bool selectedColor = (GetButtonState() & kStateSelected) != 0 && selectedTextColor_ != 0;
  PaintButtonText(dc, selectedColor ? selectedTextColor_ : StateTextColor());
}

}  // namespace SkinUI
