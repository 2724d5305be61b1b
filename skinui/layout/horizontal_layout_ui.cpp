#include "skinui/layout/horizontal_layout_ui.h"

#include <cwchar>
#include <vector>

#include "skinui/core/markup/attribute_values.h"

namespace SkinUI {

void* CHorizontalLayoutUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"HorizontalLayout") == 0) return this;
  return CContainerUI::FindInterface(name);
}

uint32_t CHorizontalLayoutUI::GetInputFlags() const {
  return IsEnabled() && separator_.GetSize() != 0 ? uint32_t{kInputSetCursor} : 0u;
}

void CHorizontalLayoutUI::SetBounds(const RECT& rect, bool invalidate) {
  CControlUI::SetBounds(rect, invalidate);
  std::vector<LayoutChild> children = GetLayoutChildren();
  std::vector<ChildPlacement> placements(children.size());
  ChildMeasure measure(Items());
  LayoutResult result = LayoutHorizontal(GetLayoutParams(), children, measure, placements);
  ApplyPlacements(placements);
  const LayoutRect& c = result.client;
  UpdateScrollBars({c.left, c.top, c.right, c.bottom}, {result.needed.cx, result.needed.cy});
}

void CHorizontalLayoutUI::HandleEvent(UIEvent& event) {
  if (separator_.HandleEvent(*this, event)) return;
  CContainerUI::HandleEvent(event);
}

void CHorizontalLayoutUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (std::wcscmp(name, L"sepwidth") == 0) {
    SetSeparatorSize(ParseDecimal(value));
  } else if (std::wcscmp(name, L"sepimm") == 0) {
    SetSeparatorImmediate(ParseBool(value));
  } else {
    CContainerUI::ApplyAttribute(name, value);
  }
}

void CHorizontalLayoutUI::PaintOverlay(HDC dc, const RECT& area) {
  separator_.PaintTracking(dc);
  CContainerUI::PaintOverlay(dc, area);
}

}  // namespace SkinUI
