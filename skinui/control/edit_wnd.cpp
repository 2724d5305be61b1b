#include "skinui/control/edit_wnd.h"

#include <vector>

#include "skinui/control/edit_ui.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/render/render_ui.h"

namespace SkinUI {

namespace {

// The manager reflects a child's messages back to it at this offset.
constexpr UINT kReflected = 0x2000;

COLORREF ToColorRef(DWORD color) { return RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF); }

bool IsOpaque(DWORD color) { return (color >> 24) == 0xFF; }

}  // namespace

CEditWnd::~CEditWnd() = default;

DWORD CEditWnd::Style() const {
  DWORD style = WS_CHILD | ES_AUTOHSCROLL;
  const UINT format = owner_->GetTextStyle();
  if ((format & DT_CENTER) != 0) style |= ES_CENTER;
  if ((format & DT_RIGHT) != 0) style |= ES_RIGHT;
  if (owner_->IsPassword()) style |= ES_PASSWORD;
  if (owner_->IsNumberOnly()) style |= ES_NUMBER;
  return style;
}

bool CEditWnd::Init() {
  CManagerUI* manager = owner_->GetManager();
  if (Create(manager->GetPaintWindow(), nullptr, Style(), 0, owner_->GetNativeRect()) == nullptr) return false;
  HWND window = GetHWND();
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(manager->GetFont(owner_->GetFont())), TRUE);
  SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(owner_->GetMaxChar()));
  if (owner_->IsPassword()) SendMessage(EM_SETPASSWORDCHAR, owner_->GetPasswordChar());
  ::SetWindowTextW(window, owner_->GetText().GetData());
  SendMessage(EM_SETMODIFY, FALSE);
  SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  ::EnableWindow(window, owner_->IsEnabled());
  SendMessage(EM_SETREADONLY, owner_->IsReadOnly());
  ::ShowWindow(window, SW_SHOWNOACTIVATE);
  ::SetFocus(window);
  Select();
  manager->RegisterNativeWindow(owner_, window);
  caretTimer_.Start(window, kCaretTimerId, ::GetCaretBlinkTime());
  return true;
}

// The whole text (at least one character) with auto-select-all, else the caret at the end.
void CEditWnd::Select() {
  if (owner_->IsAutoSelectAll()) {
    const int length = ::GetWindowTextLengthW(GetHWND());
    SendMessage(EM_SETSEL, 0, length > 0 ? length : 1);
  } else {
    PutCaretAtEnd();
  }
}

void CEditWnd::PutCaretAtEnd() {
  const int length = ::GetWindowTextLengthW(GetHWND());
  SendMessage(EM_SETSEL, static_cast<WPARAM>(length), length);
}

void CEditWnd::CloseLater() {
  if (closing_) return;
  closing_ = true;
  PostMessage(WM_CLOSE);
}

bool CEditWnd::IsLayered() const {
  CManagerUI* manager = owner_->GetManager();
  return manager != nullptr && manager->IsLayered();
}

LRESULT CEditWnd::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (wParam != VK_RETURN) break;
      owner_->GetManager()->SendNotification(owner_, L"return");
      return 0;
    case WM_CHAR:
      if (wParam == L'\r') return 0;
      break;
    case WM_KILLFOCUS:
      CloseLater();
      break;
    case WM_COMMAND + kReflected:
      if (HIWORD(wParam) == EN_CHANGE) OnTextChanged();
      return 0;
    case WM_CTLCOLOREDIT + kReflected:
    case WM_CTLCOLORSTATIC + kReflected:
      return OnColor(reinterpret_cast<HDC>(wParam));
    case WM_TIMER:
      if (wParam != kCaretTimerId) break;
      BlinkCaret();
      return 0;
    case WM_PRINT:
    case WM_PRINTCLIENT: {
      const LRESULT result = CWindowWnd::ProcessMessage(message, wParam, lParam);
      if (IsLayered()) PrintCaret(reinterpret_cast<HDC>(wParam));
      return result;
    }
    default:
      break;
  }
  return CWindowWnd::ProcessMessage(message, wParam, lParam);
}

void CEditWnd::OnTextChanged() {
  const int length = ::GetWindowTextLengthW(GetHWND());
  std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
  ::GetWindowTextW(GetHWND(), text.data(), length + 1);
  // Putting the edit's own text in (at creation, by SetText) changes nothing.
  if (owner_->GetText() == text.data()) return;
  owner_->OnNativeTextChanged(text.data());
}

LRESULT CEditWnd::OnColor(HDC dc) {
  ::SetTextColor(dc, ToColorRef(owner_->GetNativeTextColor()));
  const DWORD back = owner_->GetNativeBkColor();
  if (IsOpaque(back)) {
    ::SetBkColor(dc, ToColorRef(back));
    if (!brush_) brush_.reset(::CreateSolidBrush(ToColorRef(back)));
  } else {
    ::SetBkMode(dc, TRANSPARENT);
    brush_.reset(BackgroundBrush());
  }
  return reinterpret_cast<LRESULT>(brush_.get());
}

// The control painted (without its text, which the window shows) into a
// bitmap of the window's size, as the brush the window fills its background with.
HBRUSH CEditWnd::BackgroundBrush() {
  const RECT place = owner_->GetNativeRect();
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  HDC windowDC = owner_->GetManager()->GetPaintDC();
  ScopedMemoryDC memory(::CreateCompatibleDC(windowDC));
  ScopedBitmap bitmap(::CreateCompatibleBitmap(windowDC, width > 0 ? width : 1, height > 0 ? height : 1));
  {
    ScopedSelectObject selected(memory.get(), bitmap.get());
    ::SetViewportOrgEx(memory.get(), -place.left, -place.top, nullptr);
    owner_->Paint(memory.get(), place, nullptr);
  }
  return ::CreatePatternBrush(bitmap.get());
}

// A layered window shows no system caret: the window blinks one of its own.
void CEditWnd::BlinkCaret() {
  if (!IsLayered()) return;
  caretShown_ = !caretShown_;
  POINT caret{};
  ::GetCaretPos(&caret);
  const RECT place = owner_->GetNativeRect();
  owner_->GetManager()->Invalidate({place.left + caret.x, place.top + caret.y, place.left + caret.x + 1, place.bottom});
}

void CEditWnd::PrintCaret(HDC dc) {
  if (!caretShown_ || ::GetFocus() != GetHWND()) return;
  ::HideCaret(GetHWND());
  POINT caret{};
  ::GetCaretPos(&caret);
  const RECT place = owner_->GetNativeRect();
  const int height = owner_->GetManager()->GetFontInfo(owner_->GetFont())->metrics.tmHeight;
  CRenderUI::FillColor(dc,
                       {caret.x, caret.y, caret.x + 1,
                        caret.y + (height < place.bottom - place.top ? height : place.bottom - place.top)},
                       owner_->GetCaretColor());
}

void CEditWnd::OnWindowDestroyed(HWND window) {
  caretTimer_.Stop();
  owner_->OnNativeWindowDestroyed(window);
}

}  // namespace SkinUI
