// The window manager's message handling: the loop's pre-dispatch hook,
// input routing, tooltips and painting.
#include <algorithm>
#include <cwchar>
#include <cwctype>

#include "skinui/core/resources/resources.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/core/window/memory_surface.h"
#include "skinui/core/window/system_functions.h"
#include "skinui/core/window/window_handles.h"
#include "skinui/render/render_ui.h"
#include "skinui/render/scratch_surface.h"

namespace SkinUI {
namespace {

// The key code input methods send in place of the real key.
constexpr WPARAM kProcessKey = 229;
// Child windows reflect these messages to themselves at this offset.
constexpr UINT kReflectOffset = 0x2000;

uint16_t KeyState() {
  uint16_t state = 0;
  if (::GetKeyState(VK_CONTROL) < 0) state |= kKeyStateControl;
  if (::GetKeyState(VK_RBUTTON) < 0) state |= kKeyStateRightButton;
  if (::GetKeyState(VK_LBUTTON) < 0) state |= kKeyStateLeftButton;
  if (::GetKeyState(VK_SHIFT) < 0) state |= kKeyStateShift;
  if (::GetKeyState(VK_MENU) < 0) state |= kKeyStateAlt;
  return state;
}

UIEvent MakeInputEvent(int type, CControlUI* receiver, POINT mouse, WPARAM wParam, LPARAM lParam) {
  UIEvent event;
  event.type = type;
  event.sender = receiver;
  event.timestamp = ::GetTickCount();
  event.mousePos = mouse;
  event.keyState = KeyState();
  event.wParam = wParam;
  event.lParam = lParam;
  return event;
}

void Send(CControlUI* receiver, int type, POINT mouse, WPARAM wParam = 0, LPARAM lParam = 0) {
  UIEvent event = MakeInputEvent(type, receiver, mouse, wParam, lParam);
  receiver->DispatchEvent(event);
}

// The signed point packed into a message's lParam.
POINT ClientPoint(LPARAM lParam) { return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; }

POINT ScreenToClientPoint(HWND window, LPARAM lParam) {
  POINT point = ClientPoint(lParam);
  ::ScreenToClient(window, &point);
  return point;
}

bool IsMouseMessage(UINT message) {
  return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_CONTEXTMENU;
}

struct ShortcutSearch {
  wchar_t ch;
  bool pickNext = false;
};

// A label never takes the focus: its shortcut goes to the control after it.
CControlUI* FindShortcut(CControlUI* control, void* data) {
  if (!control->IsVisible()) return nullptr;
  auto* search = static_cast<ShortcutSearch*>(data);
  if (search->ch == static_cast<wchar_t>(std::towupper(control->GetShortcut()))) search->pickNext = true;
  if (std::wcsstr(control->GetTypeName(), L"Label") != nullptr) return nullptr;
  return search->pickNext ? control : nullptr;
}

// Collects the visible controls whose layout is due; their subtrees are
// laid out with them.
CControlUI* CollectUpdate(CControlUI* control, void* data) {
  if (!control->IsUpdateNeeded()) return nullptr;
  static_cast<std::vector<CControlUI*>*>(data)->push_back(control);
  return control;
}

bool WantsTab(CControlUI* control) {
  return control != nullptr && control->IsVisible() && control->IsEnabled() &&
         std::wcsstr(control->GetTypeName(), L"RichEdit") != nullptr && control->FindInterface(L"WantTab") != nullptr;
}

// The one pen dirty frames are drawn with.
HPEN DirtyPen() {
  static ScopedPen* pen = new ScopedPen(::CreatePen(PS_SOLID, 1, RGB(220, 0, 0)));  // lives as long as the process
  return pen->get();
}

uint32_t Opaque(uint32_t pixel) { return pixel != 0 ? pixel | 0xFF000000u : 0; }

uint32_t TakeAlpha(uint32_t pixel, uint32_t alpha) {
  const uint32_t r = ((pixel >> 16) & 0xFF) * alpha / 255;
  const uint32_t g = ((pixel >> 8) & 0xFF) * alpha / 255;
  const uint32_t b = (pixel & 0xFF) * alpha / 255;
  return (alpha << 24) | (r << 16) | (g << 8) | b;
}

}  // namespace

bool CManagerUI::PreDispatchMessage(MSG* message) {
  std::vector<CManagerUI*>& managers = Managers();
  if (!IsChildWindow(message->hwnd)) {
    for (CManagerUI* manager : managers) {
      if (manager->window_ != message->hwnd) continue;
      if (manager->TranslateAccelerators(message)) return true;
      if (message->message == WM_KEYDOWN && message->wParam == kProcessKey) {
        message->wParam = CSystemFunctions::Instance().RealVirtualKey(message->hwnd);
      }
      return manager->PreTranslate(*message);
    }
    return false;
  }
  for (size_t n = managers.size(); n > 0; --n) {
    CManagerUI* manager = managers[n - 1];
    for (HWND up = message->hwnd; up != nullptr; up = ::GetParent(up)) {
      if (up != manager->window_) continue;
      if (manager->TranslateAccelerators(message)) return true;
      manager->PreTranslate(*message);
      break;
    }
  }
  return false;
}

bool CManagerUI::IsChildWindow(HWND window) { return (::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0; }

bool CManagerUI::TranslateAccelerators(MSG* message) {
  for (size_t i = 0; i < accelerators_.size(); ++i) {
    if (accelerators_[i]->TranslateAccelerator(message) != 0) return true;
  }
  return false;
}

void CManagerUI::RunMessageLoop() {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (PreDispatchMessage(&message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

bool CManagerUI::PreTranslate(const MSG& message) {
  for (size_t i = 0; i < preFilters_.size(); ++i) {
    bool handled = false;
    preFilters_[i]->FilterMessage(message.message, message.wParam, message.lParam, handled);
    if (handled) return true;
  }
  switch (message.message) {
    case WM_KEYDOWN:
      if (message.wParam != VK_TAB || WantsTab(focus_)) return false;
      FocusNext(::GetKeyState(VK_SHIFT) >= 0);
      return true;
    case WM_SYSKEYDOWN:
      if (focus_ != nullptr) {
        UIEvent event = MakeInputEvent(kEventSysKey, focus_, mousePos_, message.wParam, message.lParam);
        event.keyCode = static_cast<wchar_t>(message.wParam);
        focus_->DispatchEvent(event);
      }
      return false;
    case WM_SYSCHAR: {
      if (root_ == nullptr) return false;
      ShortcutSearch search{static_cast<wchar_t>(std::towupper(static_cast<wint_t>(message.wParam)))};
      CControlUI* found = root_->FindInTree(FindShortcut, &search, kFindEnabled | kFindMeFirst | kFindTopFirst);
      if (found == nullptr) return false;
      found->SetFocus();
      found->Invoke();
      return true;
    }
    default:
      return false;
  }
}

bool CManagerUI::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (window_ == nullptr) return false;
  for (size_t i = 0; i < filters_.size(); ++i) {
    bool handled = false;
    LRESULT filtered = filters_[i]->FilterMessage(message, wParam, lParam, handled);
    if (!handled) continue;
    if (message == WM_CONTEXTMENU || message == WM_MOUSEWHEEL) {
      mousePos_ = ScreenToClientPoint(window_, lParam);
    } else if (IsMouseMessage(message)) {
      mousePos_ = ClientPoint(lParam);
    }
    result = filtered;
    return true;
  }
  if (layered_ && HandleLayeredFrame(message, wParam, result)) return true;
  switch (message) {
    case WM_PAINT:
      Paint();
      return true;
    case WM_PRINTCLIENT:
      PrintClient(reinterpret_cast<HDC>(wParam), lParam);
      return true;
    case WM_SIZE:
      if (focus_ != nullptr) Send(focus_, kEventWindowSize, mousePos_, wParam, lParam);
      if (root_ != nullptr) root_->RequestLayout();
      if (layered_) Invalidate();
      return true;
    case WM_TIMER:
      if (wParam == kLayeredTimerId && layered_) {
        if (!::IsRectEmpty(&layeredDirty_) && ::IsWindowVisible(window_) && !::IsIconic(window_)) Paint();
      } else {
        DispatchTimer(wParam, lParam);
      }
      return true;
    case WM_CLOSE:
      OnClose();
      return false;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_KILLFOCUS:
      OnKillFocus(reinterpret_cast<HWND>(wParam));
      return false;
    case WM_SETCURSOR:
      return OnSetCursor(lParam, result);
    case WM_MOUSEACTIVATE:
      if (!noActivate_) return false;
      result = MA_NOACTIVATE;
      return true;
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
      return false;
    case WM_NOTIFY:
      if (lParam == 0) return false;
      result = ::SendMessageW(reinterpret_cast<NMHDR*>(lParam)->hwndFrom, message + kReflectOffset, wParam, lParam);
      return true;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (lParam == 0) return false;
      result = ::SendMessageW(reinterpret_cast<HWND>(lParam), message + kReflectOffset, wParam, lParam);
      return message == WM_COMMAND || result != 0;
    case kAsyncNotifyMessage:
      DeliverQueued();
      return true;
    default:
      return root_ != nullptr && HandleInput(message, wParam, lParam);
  }
}

bool CManagerUI::HandleLayeredFrame(UINT message, WPARAM wParam, LRESULT& result) {
  switch (message) {
    case WM_NCACTIVATE:
      if (::IsIconic(window_)) return false;
      result = wParam == 0 ? TRUE : FALSE;
      return true;
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
      result = 0;
      return true;
    default:
      return false;
  }
}

void CManagerUI::OnClose() {
  if (hover_ != nullptr) {
    CControlUI* hover = hover_;
    hover_ = nullptr;
    Send(hover, kEventMouseLeave, mousePos_);
  }
  if (click_ != nullptr) {
    CControlUI* click = click_;
    click_ = nullptr;
    Send(click, kEventButtonUp, mousePos_);
  }
  SetFocus(nullptr, false);
  if (::GetActiveWindow() == window_ || ::GetFocus() == window_) {
    HWND next = IsChildWindow(window_) ? ::GetParent(window_) : ::GetWindow(window_, GW_OWNER);
    if (next != nullptr) ::SetFocus(next);
  }
  tooltip_.reset();
}

void CManagerUI::OnKillFocus(HWND next) {
  if (next == nullptr || !::IsChild(window_, next)) return;
  if (CControlUI* control = FindNativeWindowControl(next)) SetFocus(control, false);
}

bool CManagerUI::OnSetCursor(LPARAM lParam, LRESULT& result) {
  if (root_ == nullptr || LOWORD(lParam) != HTCLIENT) return false;
  result = TRUE;
  if (captured_) return true;
  POINT point{};
  ::GetCursorPos(&point);
  ::ScreenToClient(window_, &point);
  CControlUI* control = FindControl(point);
  if (control == nullptr || (control->GetInputFlags() & kInputSetCursor) == 0) return false;
  Send(control, kEventSetCursor, point);
  return true;
}

void CManagerUI::OnGetMinMaxInfo(MINMAXINFO* info) {
  if (minInfo_.cx > 0) info->ptMinTrackSize.x = minInfo_.cx;
  if (minInfo_.cy > 0) info->ptMinTrackSize.y = minInfo_.cy;
  if (maxInfo_.cx > 0) info->ptMaxTrackSize.x = maxInfo_.cx;
  if (maxInfo_.cy > 0) info->ptMaxTrackSize.y = maxInfo_.cy;
}

CControlUI* CManagerUI::OwnControlAt(POINT point) const {
  CControlUI* control = FindControl(point);
  return control != nullptr && control->GetManager() == this ? control : nullptr;
}

bool CManagerUI::HandleInput(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      OnMouseMove(ClientPoint(lParam), wParam, lParam);
      return false;
    case WM_MOUSEHOVER:
      OnMouseHover(ClientPoint(lParam), wParam, lParam);
      return true;
    case WM_MOUSELEAVE:
      OnMouseLeave();
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
      OnButtonDown(message, ClientPoint(lParam), wParam, lParam);
      return false;
    case WM_LBUTTONUP:
      mousePos_ = ClientPoint(lParam);
      if (click_ == nullptr) return false;
      ReleaseCapture();
      if (CControlUI* click = std::exchange(click_, nullptr)) Send(click, kEventButtonUp, mousePos_, wParam, lParam);
      return false;
    case WM_CONTEXTMENU:
      mousePos_ = ScreenToClientPoint(window_, lParam);
      if (captured_ || click_ == nullptr) return false;
      if (CControlUI* click = std::exchange(click_, nullptr)) Send(click, kEventContextMenu, mousePos_, wParam, lParam);
      return false;
    case WM_MOUSEWHEEL:
      OnMouseWheel(ScreenToClientPoint(window_, lParam), wParam, lParam);
      return false;
    case WM_KEYDOWN:
    case WM_CHAR:
      if (focus_ == nullptr) return false;
      key_ = focus_;
      SendKey(focus_, message == WM_KEYDOWN ? kEventKeyDown : kEventChar, wParam, lParam);
      return false;
    case WM_KEYUP:
      if (key_ == nullptr) return false;
      if (CControlUI* key = std::exchange(key_, nullptr)) SendKey(key, kEventKeyUp, wParam, lParam);
      return false;
    default:
      return false;
  }
}

void CManagerUI::SendKey(CControlUI* receiver, int type, WPARAM wParam, LPARAM lParam) {
  UIEvent event = MakeInputEvent(type, receiver, mousePos_, wParam, lParam);
  event.keyCode = static_cast<wchar_t>(wParam);
  receiver->DispatchEvent(event);
}

void CManagerUI::TrackMouse() {
  if (mouseTracking_) return;
  TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, window_, hoverTime_};
  if (tooltip_)
    track.dwHoverTime = static_cast<DWORD>(::SendMessageW(tooltip_.get(), TTM_GETDELAYTIME, TTDT_INITIAL, 0));
  ::TrackMouseEvent(&track);
  mouseTracking_ = true;
}

void CManagerUI::HideTooltip() {
  if (tooltip_) ::SendMessageW(tooltip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&toolInfo_));
}

void CManagerUI::OnMouseMove(POINT point, WPARAM wParam, LPARAM lParam) {
  TrackMouse();
  mousePos_ = point;
  CControlUI* found = FindControl(point);
  if (found != nullptr && found->GetManager() != this) return;
  if (!captured_ && found != hover_) {
    if (hover_ != nullptr) {
      std::vector<CControlUI*> leaving = mouseLeave_;
      for (CControlUI* control : leaving) {
        if (std::find(mouseLeave_.begin(), mouseLeave_.end(), control) != mouseLeave_.end()) {
          Send(control, kEventMouseLeave, point, wParam, lParam);
        }
      }
      if (CControlUI* old = std::exchange(hover_, nullptr)) Send(old, kEventMouseLeave, point, wParam, lParam);
      HideTooltip();
    }
    found = FindControl(point);  // a leave handler may have changed the tree
    if (found != nullptr && found->GetManager() == this) {
      Send(found, kEventMouseEnter, point, wParam, lParam);
      hover_ = found;
    }
  }
  if (click_ != nullptr) {
    Send(click_, kEventMouseMove, point, wParam, lParam);
  } else if (CControlUI* under = OwnControlAt(point)) {
    Send(under, kEventMouseMove, point, wParam, lParam);
  }
}

void CManagerUI::OnMouseHover(POINT point, WPARAM wParam, LPARAM lParam) {
  mouseTracking_ = false;
  CControlUI* found = OwnControlAt(point);
  if (found == nullptr) return;
  if (hover_ != nullptr) Send(hover_, kEventMouseHover, point, wParam, lParam);
  found = OwnControlAt(point);
  if (found != nullptr) ShowTooltip(found);
}

void CManagerUI::ShowTooltip(CControlUI* control) {
  tooltipText_ = control->GetToolTip();
  TranslateText(tooltipText_);
  if (tooltipText_.IsEmpty()) return;
  toolInfo_ = TOOLINFOW{};
  toolInfo_.cbSize = sizeof(toolInfo_);
  toolInfo_.uFlags = TTF_IDISHWND;
  toolInfo_.hwnd = window_;
  toolInfo_.uId = reinterpret_cast<UINT_PTR>(window_);
  toolInfo_.hinst = ::GetModuleHandleW(nullptr);
  toolInfo_.lpszText = const_cast<wchar_t*>(tooltipText_.GetData());
  toolInfo_.rect = control->GetBounds();
  if (!tooltip_) {
    tooltip_.reset(::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                     toolInfo_.hinst, nullptr));
    if (!tooltip_) return;
    ::SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&toolInfo_));
  }
  ::SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, control->GetTipWidth());
  ::SendMessageW(tooltip_.get(), TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&toolInfo_));
  ::SendMessageW(tooltip_.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&toolInfo_));
}

void CManagerUI::OnMouseLeave() {
  HideTooltip();
  if (mouseTracking_) {
    POINT cursor{};
    RECT frame{};
    ::GetCursorPos(&cursor);
    ::GetWindowRect(window_, &frame);
    LPARAM at = static_cast<LPARAM>(-1);
    if (!::IsIconic(window_) && ::GetActiveWindow() == window_ && ::PtInRect(&frame, cursor) &&
        ::SendMessageW(window_, WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y)) == HTCLIENT) {
      ::ScreenToClient(window_, &cursor);
      at = MAKELPARAM(cursor.x, cursor.y);
    }
    ::SendMessageW(window_, WM_MOUSEMOVE, 0, at);
  }
  mouseTracking_ = false;
}

void CManagerUI::OnButtonDown(UINT message, POINT point, WPARAM wParam, LPARAM lParam) {
  if (!noActivate_) ::SetFocus(window_);
  mousePos_ = point;
  CControlUI* control = OwnControlAt(point);
  if (control == nullptr) return;
  if (message == WM_LBUTTONDBLCLK) {
    SetCapture();
    Send(control, kEventDoubleClick, point, wParam, lParam);
    click_ = control;
    return;
  }
  click_ = control;
  control->SetFocus();
  if (message == WM_RBUTTONDOWN) {
    if (click_ != nullptr) Send(click_, kEventRightButtonDown, point, wParam, lParam);
    return;
  }
  SetCapture();
  if (click_ == nullptr) return;  // the focus change took the control away
  UIEvent event = MakeInputEvent(kEventButtonDown, click_, point, wParam, lParam);
  event.keyState = static_cast<uint16_t>(wParam);
  click_->DispatchEvent(event);
}

void CManagerUI::OnMouseWheel(POINT point, WPARAM wParam, LPARAM lParam) {
  mousePos_ = point;
  CControlUI* control = OwnControlAt(point);
  if (control == nullptr) return;
  const WPARAM towardUser = GET_WHEEL_DELTA_WPARAM(wParam) < 0 ? 1 : 0;
  Send(control, kEventScrollWheel, point, towardUser, lParam);
  ::SendMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
}

void CManagerUI::PrintClient(HDC dc, LPARAM flags) {
  if (root_ == nullptr || dc == nullptr) return;
  RECT client{};
  ::GetClientRect(window_, &client);
  const int saved = ::SaveDC(dc);
  root_->Paint(dc, client, nullptr);
  if ((flags & PRF_CHILDREN) != 0) {
    for (HWND child = ::GetWindow(window_, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
      RECT place{};
      ::GetWindowRect(child, &place);
      ::MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&place), 2);
      ::SetWindowOrgEx(dc, -place.left, -place.top, nullptr);
      ::SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags | PRF_NONCLIENT);
    }
  }
  ::RestoreDC(dc, saved);
}

void CManagerUI::Paint() {
  if (root_ == nullptr) {
    ScopedPaint paint(window_);
    ::FillRect(paint.dc(), &paint.area(), static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    return;
  }
  RECT client{};
  ::GetClientRect(window_, &client);
  RECT area{};
  if (layered_) {
    offscreenPaint_ = true;
    if (::IsRectEmpty(&layeredDirty_)) {
      ::ValidateRect(window_, nullptr);
      return;
    }
    ::IntersectRect(&area, &layeredDirty_, &client);
    layeredDirty_ = RECT{};
  } else if (!::GetUpdateRect(window_, &area, FALSE)) {
    return;
  }
  if (focusNeeded_) FocusNext(true);
  painting_ = true;
  if (!LayOut(client)) {
    ::ValidateRect(window_, nullptr);
    painting_ = false;
    return;
  }
  if (layered_ && offscreen_ != nullptr && !offscreen_->HasPixels()) offscreen_.reset();
  if (offscreenPaint_ && offscreen_ == nullptr) {
    offscreen_ = std::make_unique<CMemorySurface>();
    if (!offscreen_->Create(paintDC_, client.right, client.bottom, layered_)) offscreen_.reset();
  }
  {
    ScopedPaint paint(window_);
    if (offscreen_ == nullptr) {
      const int saved = ::SaveDC(paint.dc());
      root_->Paint(paint.dc(), area, nullptr);
      ::RestoreDC(paint.dc(), saved);
    } else {
      PaintOffscreen(paint.dc(), area, client);
    }
    if (showDirty_ && !layered_) {
      ScopedSelectObject pen(paint.dc(), DirtyPen());
      ScopedSelectObject brush(paint.dc(), ::GetStockObject(HOLLOW_BRUSH));
      ::Rectangle(paint.dc(), area.left, area.top, area.right, area.bottom);
    }
  }
  painting_ = false;
  layeredChanged_ = false;
  ++completedPaints_;
  // A focus change waiting for the layout is made by the next paint.
  if (updateNeeded_ || focusNeeded_) Invalidate();
}

bool CManagerUI::LayOut(const RECT& client) {
  if (!updateNeeded_) {
    if (layered_ && layeredChanged_) {
      if (offscreen_ != nullptr && offscreen_->HasPixels()) ClearPixels(client);
      root_->SetBounds(InsetClient(client), true);
    }
    return true;
  }
  updateNeeded_ = false;
  if (::IsRectEmpty(&client)) return true;
  if (root_->IsUpdateNeeded()) {
    offscreen_.reset();
    background_.reset();
    root_->SetBounds(InsetClient(client), true);
  } else {
    updateList_.clear();
    root_->FindInTree(CollectUpdate, &updateList_, kFindVisible | kFindMeFirst | kFindUpdateTest);
    for (CControlUI* control : updateList_) {
      control->SetBounds(control->IsFloat() ? control->GetBoundsInParent() : control->GetBounds(), true);
    }
  }
  if (!firstLayout_) return true;
  firstLayout_ = false;
  SendNotification(root_.get(), L"windowinit", 0, 0, false);
  if (!(layered_ && layeredChanged_)) return true;
  Invalidate();
  return false;
}

RECT CManagerUI::InsetClient(const RECT& client) const {
  if (!layered_) return client;
  return {client.left + layeredInset_.left, client.top + layeredInset_.top, client.right - layeredInset_.right,
          client.bottom - layeredInset_.bottom};
}

void CManagerUI::ClearPixels(const RECT& area) {
  ::GdiFlush();
  const int right = std::min<int>(area.right, offscreen_->GetWidth());
  const int bottom = std::min<int>(area.bottom, offscreen_->GetHeight());
  for (int y = std::max<int>(area.top, 0); y < bottom; ++y) {
    uint32_t* row = offscreen_->Row(y);
    for (int x = std::max<int>(area.left, 0); x < right; ++x) row[x] = 0;
  }
}

void CManagerUI::PaintOffscreen(HDC target, const RECT& area, const RECT& client) {
  HDC dc = offscreen_->GetDC();
  if (layered_ && layeredImage_.image == nullptr) ClearPixels(area);
  root_->Paint(dc, area, nullptr);
  if (layered_) ComposeNativeWindows(area);
  for (size_t i = 0; i < postPaint_.size(); ++i) postPaint_[i]->PaintOverlay(dc, area);
  if (!layered_) {
    ::BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc, area.left, area.top,
             SRCCOPY);
    return;
  }
  if (layeredImage_.image != nullptr) ShapeByLayeredImage(area, client);
  PushLayered();
}

void CManagerUI::ComposeNativeWindows(const RECT& area) {
  for (size_t i = nativeWindows_.size(); i > 0; --i) {
    HWND child = nativeWindows_[i - 1];
    if (!::IsWindow(child)) {
      nativeWindows_.erase(nativeWindows_.begin() + static_cast<std::ptrdiff_t>(i - 1));
      nativeControls_.erase(nativeControls_.begin() + static_cast<std::ptrdiff_t>(i - 1));
      continue;
    }
    if (!::IsWindowVisible(child)) continue;
    RECT place{};
    ::GetWindowRect(child, &place);
    ::MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&place), 2);
    RECT part{};
    if (!::IntersectRect(&part, &place, &area)) continue;
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    if (!nativeSurface_.Reserve(width, height)) continue;
    ::SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(nativeSurface_.GetDC()),
                   PRF_CHECKVISIBLE | PRF_CHILDREN | PRF_CLIENT | PRF_OWNED);
    ::GdiFlush();
    for (int y = part.top; y < part.bottom; ++y) {
      uint32_t* to = offscreen_->Row(y);
      const uint32_t* from = nativeSurface_.Row(y - place.top);
      for (int x = part.left; x < part.right; ++x) to[x] = Opaque(from[x - place.left]);
    }
  }
}

void CManagerUI::ShapeByLayeredImage(const RECT& area, const RECT& client) {
  if (background_ == nullptr || layeredChanged_) {
    background_ = std::make_unique<CMemorySurface>();
    if (!background_->Create(paintDC_, client.right, client.bottom, true)) {
      background_.reset();
      return;
    }
    RECT inset = InsetClient(client);
    CRenderUI::DrawImage(background_->GetDC(), this, inset, inset, layeredImage_);
  }
  if (!layeredImage_.image->hasAlpha) return;
  ::GdiFlush();
  const int right = std::min<int>(area.right, offscreen_->GetWidth());
  const int bottom = std::min<int>(area.bottom, offscreen_->GetHeight());
  for (int y = std::max<int>(area.top, 0); y < bottom; ++y) {
    uint32_t* row = offscreen_->Row(y);
    const uint32_t* shape = background_->Row(y);
    for (int x = std::max<int>(area.left, 0); x < right; ++x) row[x] = TakeAlpha(row[x], shape[x] >> 24);
  }
}

void CManagerUI::PushLayered() {
  RECT frame{};
  ::GetWindowRect(window_, &frame);
  POINT position{frame.left, frame.top};
  SIZE size{offscreen_->GetWidth(), offscreen_->GetHeight()};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity_, AC_SRC_ALPHA};
  CSystemFunctions::Instance().UpdateLayeredWindow()(window_, nullptr, &position, &size, offscreen_->GetDC(), &origin,
                                                     0, &blend, ULW_ALPHA);
}

}  // namespace SkinUI
