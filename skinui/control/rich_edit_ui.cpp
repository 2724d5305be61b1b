#include "skinui/control/rich_edit_ui.h"

#include <cwchar>

#include "skinui/control/txt_win_host.h"
#include "skinui/core/markup/attribute_values.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/layout/layout_math.h"
#include "skinui/layout/scroll_bar_ui.h"

namespace SkinUI {

namespace {

bool Is(const wchar_t* name, const wchar_t* known) { return std::wcscmp(name, known) == 0; }

// 0xAARRGGBB to the platform's 0x00BBGGRR.
COLORREF ToColorRef(DWORD color) { return RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF); }

bool IsKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR || message == WM_SYSCHAR ||
         (message >= WM_IME_STARTCOMPOSITION && message <= WM_IME_KEYLAST) || message == WM_IME_CHAR ||
         message == WM_IME_COMPOSITION || message == WM_IME_SETCONTEXT || message == WM_IME_NOTIFY;
}

bool IsButtonMessage(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_LBUTTONDBLCLK ||
         message == WM_RBUTTONDOWN || message == WM_RBUTTONUP || message == WM_MOUSEMOVE;
}

POINT PointOf(LPARAM lParam) { return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; }

}  // namespace

CRichEditUI::CRichEditUI() : host_(std::make_unique<CTxtWinHost>(this)) {}

CRichEditUI::~CRichEditUI() {
  if (filtering_ && GetManager() != nullptr) GetManager()->RemoveFilter(this);
  // The services may still call their host while they go, so they go while the control is whole.
  host_.reset();
}

void* CRichEditUI::FindInterface(const wchar_t* name) {
  if (Is(name, L"RichEdit")) return this;
  // The manager leaves Tab to a rich edit that answers "WantTab".
  if (Is(name, L"WantTab")) return wantTab_ ? this : nullptr;
  return CContainerUI::FindInterface(name);
}

uint32_t CRichEditUI::GetInputFlags() const {
  uint32_t flags = IsKeyboardEnabled() ? static_cast<uint32_t>(kInputTabStop) : 0u;
  return IsEnabled() ? flags | kInputSetCursor : flags;
}

// The text services are costly to start, and a rich edit on a page that is
// never shown never needs them: they start with the first paint or focus.
void CRichEditUI::InitSelf() {}

void CRichEditUI::StartServices() {
  CManagerUI* manager = GetManager();
  if (manager == nullptr || host_->IsLive()) return;
  if (!host_->Create(TextFont(), TextColorRef())) return;
  host_->SetText(text_.GetData());
  ShowFromStart();
  host_->Send(EM_SETEVENTMASK, 0, ENM_CHANGE);
  filtering_ = manager->AddFilter(this);
  SyncScrollBars();
}

const CUIString& CRichEditUI::GetText() const {
  if (host_->IsLive()) text_ = host_->GetText();
  return text_;
}

void CRichEditUI::SetText(const wchar_t* text) {
  text_ = text;
  if (!host_->IsLive()) return;
  host_->SetText(text);
  ShowFromStart();
  SyncScrollBars();
  Invalidate();
}

// A new text is shown from its first line with the caret before it.
void CRichEditUI::ShowFromStart() {
  host_->Send(EM_SETSEL, 0, 0);
  host_->Send(WM_VSCROLL, SB_TOP);
}

void CRichEditUI::SetBounds(const RECT& rect, bool invalidate) {
  CContainerUI::SetBounds(rect, invalidate);
  host_->ClientRectChanged();
  SyncScrollBars();
}

void CRichEditUI::MoveBy(int dx, int dy, bool invalidate) {
  CContainerUI::MoveBy(dx, dy, invalidate);
  host_->ClientRectChanged();
}

void CRichEditUI::HandleEvent(UIEvent& event) {
  if (event.type == kEventSetFocus) StartServices();
  switch (event.type) {
    case kEventSetFocus:
    case kEventKillFocus:
      host_->Send(event.type == kEventSetFocus ? WM_SETFOCUS : WM_KILLFOCUS);
      CContainerUI::HandleEvent(event);
      Invalidate();
      return;
    case kEventTimer:
      host_->Send(WM_TIMER, event.wParam);
      return;
    case kEventSetCursor:
      if (!IsOverText(event.mousePos)) break;
      host_->SetCursorAt(GetManager()->GetPaintDC(), event.mousePos);
      return;
    default:
      break;
  }
  CContainerUI::HandleEvent(event);
}

void CRichEditUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  bool on = ParseBool(value);
  if (Is(name, L"vscrollbar")) {
    host_->SetScrollBarStyle(WS_VSCROLL, on);
    EnableScrollBar(on, GetHorizontalScrollBar() != nullptr);
  } else if (Is(name, L"autovscroll")) {
    host_->SetScrollBarStyle(ES_AUTOVSCROLL, on);
  } else if (Is(name, L"hscrollbar")) {
    host_->SetScrollBarStyle(WS_HSCROLL, on);
    // Text that scrolls sideways keeps its lines whole.
    host_->SetPropertyBit(TXTBIT_WORDWRAP, IsMultiLine() && !on);
    EnableScrollBar(GetVerticalScrollBar() != nullptr, on);
  } else if (Is(name, L"autohscroll")) {
    host_->SetScrollBarStyle(ES_AUTOHSCROLL, on);
  } else if (Is(name, L"wanttab")) {
    wantTab_ = on;
  } else if (Is(name, L"wantreturn")) {
    wantReturn_ = on;
  } else if (Is(name, L"wantctrlreturn")) {
    wantCtrlReturn_ = on;
  } else if (Is(name, L"transparent")) {
    host_->SetTransparent(on);
  } else if (Is(name, L"rich")) {
    SetRich(on);
  } else if (Is(name, L"multiline")) {
    SetMultiLine(on);
  } else if (Is(name, L"readonly")) {
    SetReadOnly(on);
  } else if (Is(name, L"password")) {
    SetPassword(on);
  } else if (Is(name, L"align")) {
    if (std::wcsstr(value, L"left") != nullptr) host_->SetAlignment(PFA_LEFT);
    if (std::wcsstr(value, L"center") != nullptr) host_->SetAlignment(PFA_CENTER);
    if (std::wcsstr(value, L"right") != nullptr) host_->SetAlignment(PFA_RIGHT);
  } else if (Is(name, L"font")) {
    SetFont(ParseDecimal(value));
  } else if (Is(name, L"textcolor")) {
    SetTextColor(ParseColor(value));
  } else if (Is(name, L"textpadding")) {
    int v[4];
    ParseDecimals(value, v, 4);
    SetTextPadding({v[0], v[1], v[2], v[3]});
  } else {
    CContainerUI::ApplyAttribute(name, value);
  }
}

void CRichEditUI::PaintText(HDC dc) {
  StartServices();
  host_->Draw(dc, GetTextRect());
}

LRESULT CRichEditUI::FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (!host_->IsLive() || !IsVisible() || !IsEnabled()) return 0;
  if (IsKeyMessage(message)) {
    if (GetManager()->GetFocus() != this) return 0;
    if (message == WM_IME_STARTCOMPOSITION) host_->PlaceComposition(TextFont());
    LRESULT result = 0;
    if (!FilterKey(message, wParam, lParam, handled)) handled = host_->Handle(message, wParam, lParam, &result);
    SyncScrollBars();
    return result;
  }
  // The mouse also goes on to the manager, which focuses and captures the control.
  if (IsButtonMessage(message) && IsMouseEnabled() &&
      (GetManager()->GetFocus() == this || IsOverText(PointOf(lParam)))) {
    host_->Send(message, wParam, lParam);
    SyncScrollBars();
  }
  return 0;
}

bool CRichEditUI::TakesReturn() const {
  bool control = ::GetKeyState(VK_CONTROL) < 0;
  return IsMultiLine() && !IsReadOnly() && (control ? wantCtrlReturn_ : wantReturn_);
}

// A Return the text does not take is "return"; its character is dropped.
bool CRichEditUI::FilterKey(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  static_cast<void>(lParam);
  if (message == WM_KEYDOWN && wParam == VK_RETURN && !TakesReturn()) {
    swallowReturnChar_ = true;
    handled = true;
    GetManager()->SendNotification(this, L"return");
    return true;
  }
  if (message == WM_CHAR && wParam == L'\r' && swallowReturnChar_) {
    swallowReturnChar_ = false;
    handled = true;
    return true;
  }
  return false;
}

void CRichEditUI::SetScrollPos(SIZE position) {
  LONG minimum = 0;
  LONG maximum = 0;
  LONG current = 0;
  LONG page = 0;
  POINT target{position.cx, position.cy};
  if (host_->GetScroll(true, &minimum, &maximum, &current, &page)) target.x += minimum;
  if (host_->GetScroll(false, &minimum, &maximum, &current, &page)) target.y += minimum;
  ScrollTo(target);
}

void CRichEditUI::ScrollTo(POINT position) {
  host_->Send(EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&position));
  SyncScrollBars();
  Invalidate();
}

void CRichEditUI::Scroll(UINT message, WORD request) {
  host_->Send(message, MAKEWPARAM(request, 0));
  SyncScrollBars();
  Invalidate();
}

void CRichEditUI::LineUp() { Scroll(WM_VSCROLL, SB_LINEUP); }
void CRichEditUI::LineDown() { Scroll(WM_VSCROLL, SB_LINEDOWN); }
void CRichEditUI::PageUp() { Scroll(WM_VSCROLL, SB_PAGEUP); }
void CRichEditUI::PageDown() { Scroll(WM_VSCROLL, SB_PAGEDOWN); }
void CRichEditUI::ScrollToTop() { Scroll(WM_VSCROLL, SB_TOP); }
void CRichEditUI::ScrollToBottom() { Scroll(WM_VSCROLL, SB_BOTTOM); }
void CRichEditUI::LineLeft() { Scroll(WM_HSCROLL, SB_LINELEFT); }
void CRichEditUI::LineRight() { Scroll(WM_HSCROLL, SB_LINERIGHT); }
void CRichEditUI::PageLeft() { Scroll(WM_HSCROLL, SB_PAGELEFT); }
void CRichEditUI::PageRight() { Scroll(WM_HSCROLL, SB_PAGERIGHT); }
void CRichEditUI::ScrollToLeftEnd() { Scroll(WM_HSCROLL, SB_LEFT); }
void CRichEditUI::ScrollToRightEnd() { Scroll(WM_HSCROLL, SB_RIGHT); }

bool CRichEditUI::IsReadOnly() const { return (host_->GetPropertyBits() & TXTBIT_READONLY) != 0; }

void CRichEditUI::SetReadOnly(bool readOnly) { host_->SetPropertyBit(TXTBIT_READONLY, readOnly); }

bool CRichEditUI::IsMultiLine() const { return (host_->GetPropertyBits() & TXTBIT_MULTILINE) != 0; }

void CRichEditUI::SetMultiLine(bool multiLine) {
  host_->SetPropertyBit(TXTBIT_MULTILINE, multiLine);
  host_->SetPropertyBit(TXTBIT_WORDWRAP, multiLine && (host_->GetScrollBarStyle() & WS_HSCROLL) == 0);
}

bool CRichEditUI::IsRich() const { return (host_->GetPropertyBits() & TXTBIT_RICHTEXT) != 0; }

void CRichEditUI::SetRich(bool rich) { host_->SetPropertyBit(TXTBIT_RICHTEXT, rich); }

bool CRichEditUI::IsPassword() const { return (host_->GetPropertyBits() & TXTBIT_USEPASSWORD) != 0; }

void CRichEditUI::SetPassword(bool password) { host_->SetPropertyBit(TXTBIT_USEPASSWORD, password); }

void CRichEditUI::SetFont(int index) {
  font_ = index;
  ApplyCharFormat();
}

void CRichEditUI::SetTextColor(DWORD color) {
  textColor_ = color;
  ApplyCharFormat();
}

void CRichEditUI::SetTextPadding(const RECT& padding) {
  textPadding_ = padding;
  host_->ClientRectChanged();
  Invalidate();
}

void CRichEditUI::ApplyCharFormat() {
  if (!host_->IsLive()) return;
  host_->SetCharFormat(TextFont(), TextColorRef());
  SyncScrollBars();
  Invalidate();
}

HFONT CRichEditUI::TextFont() const { return GetManager()->GetFont(font_); }

COLORREF CRichEditUI::TextColorRef() const {
  return ToColorRef(textColor_ != 0 ? textColor_ : GetManager()->GetDefaultFontColor());
}

RECT CRichEditUI::GetTextRect() const {
  RECT r = GetContentBounds();
  r.left += textPadding_.left;
  r.top += textPadding_.top;
  r.right -= textPadding_.right;
  r.bottom -= textPadding_.bottom;
  return r;
}

bool CRichEditUI::IsOverText(POINT point) const {
  RECT text = GetTextRect();
  return ::PtInRect(&text, point) && GetManager()->FindControl(point) == this;
}

int CRichEditUI::GetLineCount() const { return static_cast<int>(host_->Send(EM_GETLINECOUNT)); }

int CRichEditUI::CharFromPoint(POINT point) const {
  POINTL at{point.x, point.y};
  return static_cast<int>(host_->Send(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&at)));
}

LRESULT CRichEditUI::SendToText(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = host_->Send(message, wParam, lParam);
  SyncScrollBars();
  return result;
}

void CRichEditUI::OnTextScrolled() { SyncScrollBars(); }

void CRichEditUI::OnTextChanged() {
  Invalidate();
  if (GetManager() != nullptr) GetManager()->SendNotification(this, L"textchanged");
}

// The bars take the services' range and position; a bar that comes or goes
// changes the text's width, so the text is laid out again once.
void CRichEditUI::SyncScrollBars() {
  if (syncing_ || !host_->IsLive()) return;
  syncing_ = true;
  bool changed = SyncScrollBar(GetVerticalScrollBar());
  changed = SyncScrollBar(GetHorizontalScrollBar()) || changed;
  if (changed) {
    host_->ClientRectChanged();
    SyncScrollBar(GetVerticalScrollBar());
    SyncScrollBar(GetHorizontalScrollBar());
  }
  PlaceScrollBars();
  syncing_ = false;
}

bool CRichEditUI::SyncScrollBar(CScrollBarUI* bar) {
  if (bar == nullptr) return false;
  LONG minimum = 0;
  LONG maximum = 0;
  LONG position = 0;
  LONG page = 0;
  if (!host_->GetScroll(bar->IsHorizontal(), &minimum, &maximum, &position, &page)) return false;
  int range = page > 0 ? static_cast<int>(maximum - minimum - page) : 0;
  if (range < 0) range = 0;
  bar->SetScrollRange(range);
  bar->SetScrollPos(static_cast<int>(position - minimum));
  bool visible = range > 0;
  bool changed = bar->IsVisible() != visible;
  bar->SetVisibleKeepFocus(visible);
  return changed;
}

void CRichEditUI::PlaceScrollBars() {
  RECT client = GetContentBounds();
  LayoutRect area{client.left, client.top, client.right, client.bottom};
  for (CScrollBarUI* bar : {GetVerticalScrollBar(), GetHorizontalScrollBar()}) {
    if (bar == nullptr || !bar->IsVisible()) continue;
    int thickness = bar->IsHorizontal() ? bar->GetAssignedHeight() : bar->GetAssignedWidth();
    LayoutRect r = ScrollBarRect(area, bar->IsHorizontal(), thickness);
    bar->SetBounds({r.left, r.top, r.right, r.bottom}, false);
  }
}

}  // namespace SkinUI
