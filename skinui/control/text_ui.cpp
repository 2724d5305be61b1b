#include "skinui/control/text_ui.h"

#include <cwchar>

#include "skinui/core/window/manager_ui.h"
#include "skinui/render/render_ui.h"

namespace SkinUI {

void* CTextUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"Text") == 0) return this;
  return CLabelUI::FindInterface(name);
}

uint32_t CTextUI::GetInputFlags() const { return IsEnabled() ? kInputSetCursor : 0u; }

CUIString CTextUI::GetLinkTarget(int index) const {
  return index >= 0 && index < linkCount_ ? targets_[index] : CUIString();
}

int CTextUI::LinkAt(POINT point) const {
  for (int i = 0; i < linkCount_; ++i) {
    if (::PtInRect(&links_[i], point)) return i;
  }
  return -1;
}

void CTextUI::HandleEvent(UIEvent& event) {
  if (IsMouseEvent(event.type) && !IsMouseEnabled()) {
    CLabelUI::HandleEvent(event);
    return;
  }
  switch (event.type) {
    case kEventSetCursor:
      ::SetCursor(::LoadCursorW(nullptr, LinkAt(event.mousePos) >= 0 ? IDC_HAND : IDC_ARROW));
      return;
    case kEventMouseMove:
      TrackHover(LinkAt(event.mousePos));
      break;
    case kEventMouseLeave:
      TrackHover(-1);
      break;
    case kEventButtonUp: {
      const int link = IsEnabled() ? LinkAt(event.mousePos) : -1;
      if (link >= 0 && GetManager() != nullptr) {
        GetManager()->SendNotification(this, L"link", static_cast<WPARAM>(link));
        return;
      }
      break;
    }
    default:
      break;
  }
  CLabelUI::HandleEvent(event);
}

void CTextUI::TrackHover(int link) {
  if (link == hovered_) return;
  hovered_ = link;
  // The renderer picks the hover colour from the mouse position when it draws.
  Invalidate();
}

void CTextUI::PaintText(HDC dc) {
  CManagerUI* manager = GetManager();
  if (manager == nullptr) return;
  if (!IsShowHtml() || IsEffectEnabled()) {
    linkCount_ = 0;
    CLabelUI::PaintText(dc);
    return;
  }
  RECT rect = TextRect();
  int count = kMaxLinks;
  CRenderUI::DrawFormattedText(dc, manager, rect, GetText().GetData(), StateTextColor(), links_, targets_, count,
                               GetFont(), GetTextStyle());
  linkCount_ = count;
}

}  // namespace SkinUI
