// The text routines of CRenderUI: plain text through the platform's text
// drawing, formatted text through CFormattedText.
#include <optional>
#include <string_view>

#include "skinui/core/resources/resources.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/render/formatted_text.h"
#include "skinui/render/render_ui.h"

namespace SkinUI {
namespace {

constexpr UINT kAlignFlags = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM;
// The box single-line text is measured in before it is aligned.
constexpr int kSingleLineBoxWidth = 9999;
constexpr int kSingleLineBoxHeight = 99;

// "@key" gives the key's text when the language table has it; no copy is made.
const wchar_t* Translated(const wchar_t* text) {
  if (text[0] != L'@' || text[1] == L'\0') return text;
  const wchar_t* found = CResourceContext::Instance().GetLanguageText(text + 1);
  return found != nullptr ? found : text;
}

COLORREF ToColorRef(DWORD color) { return RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF); }

// The hovered link: the mouse inside one of the rectangles of the last drawing.
int HoveredLink(CManagerUI* manager, const RECT* links, int slots) {
  if (links == nullptr) return -1;
  const POINT mouse = manager->GetMousePos();
  for (int i = 0; i < slots; ++i) {
    if (::PtInRect(&links[i], mouse)) return i;
  }
  return -1;
}

// Where aligned text starts: measured first, then shifted within rect.
RECT AlignedBox(HDC dc,
                CManagerUI* manager,
                const RECT& rect,
                const wchar_t* text,
                size_t length,
                DWORD color,
                int font,
                UINT format) {
  const bool single = (format & DT_SINGLELINE) != 0;
  const RECT box =
      single ? RECT{rect.left, rect.top, rect.left + kSingleLineBoxWidth, rect.top + kSingleLineBoxHeight} : rect;
  CFormattedText measure(dc, manager, box, color, font, (format & ~kAlignFlags) | DT_CALCRECT, nullptr, nullptr, 0, -1);
  const SIZE used = measure.Run(text, length);
  RECT aligned = rect;
  if (single && (format & DT_CENTER) != 0) {
    aligned.left += (rect.right - rect.left - used.cx) / 2;
  } else if (single && (format & DT_RIGHT) != 0) {
    aligned.left = rect.right - used.cx;
  }
  if ((format & DT_VCENTER) != 0) {
    aligned.top += (rect.bottom - rect.top - used.cy) / 2;
  } else if ((format & DT_BOTTOM) != 0) {
    aligned.top = rect.bottom - used.cy;
  }
  return aligned;
}

}  // namespace

void CRenderUI::DrawText(HDC dc,
                         CManagerUI* manager,
                         RECT& rect,
                         const wchar_t* text,
                         DWORD color,
                         int font,
                         UINT format) {
  if (dc == nullptr || manager == nullptr || text == nullptr || text[0] == L'\0') return;
  text = Translated(text);
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = ::SetTextColor(dc, ToColorRef(color));
  ScopedSelectObject select(dc, manager->GetFont(font));
  ::DrawTextW(dc, text, -1, &rect, format | DT_NOPREFIX);
  ::SetTextColor(dc, oldColor);
  ::SetBkMode(dc, oldMode);
}

void CRenderUI::DrawFormattedText(HDC dc,
                                  CManagerUI* manager,
                                  RECT& rect,
                                  const wchar_t* text,
                                  DWORD color,
                                  RECT* links,
                                  CUIString* targets,
                                  int& linkCount,
                                  int font,
                                  UINT format) {
  const int slots = linkCount;
  linkCount = 0;
  if (dc == nullptr || manager == nullptr || text == nullptr || text[0] == L'\0' || ::IsRectEmpty(&rect)) return;
  text = Translated(text);
  const size_t length = ::lstrlenW(text);
  const bool measuring = (format & DT_CALCRECT) != 0;
  const RECT box = !measuring && (format & kAlignFlags) != 0
                       ? AlignedBox(dc, manager, rect, text, length, color, font, format)
                       : rect;
  const int hovered = HoveredLink(manager, links, slots);
  std::optional<CRenderClip> clip;
  if (!measuring) clip.emplace(dc, rect);
  CFormattedText layout(dc, manager, box, color, font, format, links, targets, slots, hovered);
  const SIZE used = layout.Run(text, length);
  linkCount = layout.GetLinkCount();
  if (measuring) {
    rect.right = rect.left + used.cx;
    rect.bottom = rect.top + used.cy;
  }
}

SIZE CRenderUI::GetTextSize(HDC dc, CManagerUI* manager, const wchar_t* text, int font, UINT format) {
  SIZE size{};
  if (manager == nullptr || text == nullptr || text[0] == L'\0') return size;
  if (dc == nullptr) dc = manager->GetPaintDC();
  if (dc == nullptr) return size;
  text = Translated(text);
  ScopedSelectObject select(dc, manager->GetFont(font));
  if ((format & DT_SINGLELINE) != 0) {
    ::GetTextExtentPoint32W(dc, text, ::lstrlenW(text), &size);
    return size;
  }
  // Several lines: the widest line and the lines' total height.
  RECT extent{};
  ::DrawTextW(dc, text, -1, &extent,
              (format & ~(DT_WORDBREAK | DT_END_ELLIPSIS | kAlignFlags)) | DT_CALCRECT | DT_NOPREFIX);
  return SIZE{extent.right - extent.left, extent.bottom - extent.top};
}

}  // namespace SkinUI
