#include "skinui/core/window/window_impl_base.h"

#include <cwchar>

#include "skinui/core/dialog_builder.h"

namespace SkinUI {
namespace {

// The error texts are read into buffers of this many characters.
constexpr size_t kErrorBufferSize = 1024;

// The signed point packed into a message's lParam.
POINT PointOf(LPARAM lParam) { return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; }

bool StaysClient(const CControlUI* control) {
  const wchar_t* type = control->GetTypeName();
  return ::_wcsicmp(type, L"Button") == 0 || ::_wcsicmp(type, L"Option") == 0 || ::_wcsicmp(type, L"Text") == 0;
}

MONITORINFO MonitorOf(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor;
}

// The work area relative to its monitor's top-left corner.
RECT WorkArea(HWND window) {
  MONITORINFO monitor = MonitorOf(window);
  RECT work = monitor.rcWork;
  ::OffsetRect(&work, -monitor.rcMonitor.left, -monitor.rcMonitor.top);
  return work;
}

LRESULT SizeBoxHit(const POINT& point, const RECT& client, const RECT& box) {
  if (point.y < client.top + box.top) {
    if (point.x < client.left + box.left) return HTTOPLEFT;
    if (point.x > client.right - box.right) return HTTOPRIGHT;
    return HTTOP;
  }
  if (point.y > client.bottom - box.bottom) {
    if (point.x < client.left + box.left) return HTBOTTOMLEFT;
    if (point.x > client.right - box.right) return HTBOTTOMRIGHT;
    return HTBOTTOM;
  }
  if (point.x < client.left + box.left) return HTLEFT;
  if (point.x > client.right - box.right) return HTRIGHT;
  return HTCLIENT;
}

CControlUI* FindEither(CManagerUI& manager, const wchar_t* name, const wchar_t* other) {
  CControlUI* found = manager.FindControl(name);
  return found != nullptr ? found : manager.FindControl(other);
}

}  // namespace

WindowImplBase::~WindowImplBase() {
  if (GetHWND() != nullptr) ::DestroyWindow(GetHWND());
}

const NotifyMap* WindowImplBase::GetNotifyMap() const {
  static const NotifyMapEntry entries[] = {
      NotifyMapEntry::Notify(L"click", L"", &WindowImplBase::OnClick),
      NotifyMapEntry::End(),
  };
  static const NotifyMap map{CNotifyPump::GetNotifyMap(), entries};
  return &map;
}

void WindowImplBase::Notify(UINotify& notify) { NotifyPump(notify); }

LRESULT WindowImplBase::FilterMessage(UINT message, WPARAM wParam, LPARAM, bool&) {
  if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) return HandleDefaultKey(wParam);
  return 0;
}

CControlUI* WindowImplBase::CreateCustomControl(const wchar_t*) { return nullptr; }

void WindowImplBase::OnClick(UINotify& notify) {
  if (notify.sender == nullptr) return;
  const CUIString& name = notify.sender->GetName();
  if (name == L"closebtn") {
    Close(1);
  } else if (name == L"minbtn") {
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else if (name == L"maxbtn") {
    SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  } else if (name == L"restorebtn") {
    SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
  }
}

LRESULT WindowImplBase::HandleDefaultKey(WPARAM key) {
  if (key != VK_ESCAPE) return 0;
  Close(1);
  return 1;
}

LRESULT WindowImplBase::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  bool handled = false;
  LRESULT result = Dispatch(message, wParam, lParam, handled);
  if (handled) return result;
  result = HandleOtherMessage(message, wParam, lParam, handled);
  if (handled) return result;
  if (manager_.HandleWindowMessage(message, wParam, lParam, result)) return result;
  return CWindowWnd::ProcessMessage(message, wParam, lParam);
}

LRESULT WindowImplBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(message, wParam, lParam, handled);
    case WM_CLOSE:
      return OnClose(message, wParam, lParam, handled);
    case WM_DESTROY:
      return OnDestroy(message, wParam, lParam, handled);
    case WM_NCACTIVATE:
      return OnNcActivate(message, wParam, lParam, handled);
    case WM_NCCALCSIZE:
      return OnNcCalcSize(message, wParam, lParam, handled);
    case WM_NCPAINT:
      return OnNcPaint(message, wParam, lParam, handled);
    case WM_NCHITTEST:
      return OnNcHitTest(message, wParam, lParam, handled);
    case WM_GETMINMAXINFO:
      return OnGetMinMaxInfo(message, wParam, lParam, handled);
    case WM_MOUSEWHEEL:
      return OnMouseWheel(message, wParam, lParam, handled);
    case WM_MOUSEHOVER:
      return OnMouseHover(message, wParam, lParam, handled);
    case WM_SIZE:
      return OnSize(message, wParam, lParam, handled);
    case WM_CHAR:
      return OnChar(message, wParam, lParam, handled);
    case WM_SYSCOMMAND:
      return OnSysCommand(message, wParam, lParam, handled);
    case WM_KEYDOWN:
      return OnKeyDown(message, wParam, lParam, handled);
    case WM_KILLFOCUS:
      return OnKillFocus(message, wParam, lParam, handled);
    case WM_SETFOCUS:
      return OnSetFocus(message, wParam, lParam, handled);
    case WM_LBUTTONDOWN:
      return OnLButtonDown(message, wParam, lParam, handled);
    case WM_LBUTTONUP:
      return OnLButtonUp(message, wParam, lParam, handled);
    case WM_MOUSEMOVE:
      return OnMouseMove(message, wParam, lParam, handled);
    default:
      handled = false;
      return 0;
  }
}

void WindowImplBase::OnWindowDestroyed(HWND) {
  manager_.RemovePreFilter(this);
  manager_.RemoveNotifyListener(this);
  if (manager_.GetRoot() != nullptr) manager_.ForgetControl(manager_.GetRoot());
}

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, bool& handled) {
  handled = true;
  ApplyFramelessStyle();
  manager_.Init(GetHWND());
  manager_.AddPreFilter(this);
  CDialogBuilder builder;
  CControlUI* root = builder.Build(GetSkinFileName(), nullptr, this, &manager_);
  if (root == nullptr) {
    wchar_t location[kErrorBufferSize] = {};
    wchar_t text[kErrorBufferSize] = {};
    builder.GetErrorContext(location, kErrorBufferSize);
    builder.GetErrorText(text, kErrorBufferSize);
    FailToBuild(location, text);
  }
  manager_.SetRoot(root);
  manager_.AddNotifyListener(this);
  OnWindowReady();
  return 0;
}

void WindowImplBase::ApplyFramelessStyle() {
  constexpr LONG kClipBits = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  const LONG current = ::GetWindowLongW(GetHWND(), GWL_STYLE);
  const LONG wanted = GetStyle() | kClipBits;
  if (wanted == current) return;
  ::SetWindowLongW(GetHWND(), GWL_STYLE, wanted);
  // The clip bits leave the frame as it is; recomputing it costs a round trip to the window system.
  if (((wanted ^ current) & ~kClipBits) == 0) return;
  RECT client{};
  ::GetClientRect(GetHWND(), &client);
  ::SetWindowPos(GetHWND(), nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowImplBase::FailToBuild(const wchar_t* location, const wchar_t* message) {
  CUIString text(L"load resource errr. location:");
  text += location;
  text += L" msg:";
  text += message;
  ::MessageBoxW(nullptr, text.GetData(), L"SkinUI", MB_OK | MB_ICONERROR);
  ::ExitProcess(1);
}

LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnNcActivate(UINT, WPARAM wParam, LPARAM, bool& handled) {
  handled = !::IsIconic(GetHWND());
  return handled && wParam == 0 ? 1 : 0;
}

LRESULT WindowImplBase::OnNcCalcSize(UINT, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  if (!::IsZoomed(GetHWND())) return 0;
  RECT* client =
      wParam != FALSE ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
  const RECT work = WorkArea(GetHWND());
  client->right = client->left + (work.right - work.left);
  client->bottom = client->top + (work.bottom - work.top);
  return WVR_REDRAW;
}

LRESULT WindowImplBase::OnNcPaint(UINT, WPARAM, LPARAM, bool& handled) {
  handled = true;
  return 0;
}

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool& handled) {
  handled = true;
  POINT point = PointOf(lParam);
  ::ScreenToClient(GetHWND(), &point);
  RECT client{};
  ::GetClientRect(GetHWND(), &client);
  if (!::IsZoomed(GetHWND())) {
    const LRESULT edge = SizeBoxHit(point, client, manager_.GetSizeBox());
    if (edge != HTCLIENT) return edge;
  }
  const RECT& caption = manager_.GetCaption();
  if (point.x >= client.left + caption.left && point.x < client.right - caption.right && point.y >= caption.top &&
      point.y < caption.bottom) {
    CControlUI* control = manager_.FindControl(point);
    if (control != nullptr && !StaysClient(control)) return HTCAPTION;
  }
  return HTCLIENT;
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, bool& handled) {
  handled = false;
  auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
  const RECT work = WorkArea(GetHWND());
  info->ptMaxPosition = {work.left, work.top};
  info->ptMaxTrackSize = {work.right - work.left, work.bottom - work.top};
  const SIZE minimum = manager_.GetMinInfo();
  info->ptMinTrackSize = {minimum.cx, minimum.cy};
  return 0;
}

LRESULT WindowImplBase::OnMouseWheel(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnMouseHover(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  const SIZE corner = manager_.GetRoundCorner();
  if (::IsIconic(GetHWND()) || (corner.cx == 0 && corner.cy == 0)) return 0;
  RECT frame{};
  ::GetWindowRect(GetHWND(), &frame);
  ScopedRegion region(
      ::CreateRoundRectRgn(0, 0, frame.right - frame.left + 1, frame.bottom - frame.top + 1, corner.cx, corner.cy));
  // The window owns a region it accepted.
  if (region && ::SetWindowRgn(GetHWND(), region.get(), TRUE) != 0) region.release();
  return 0;
}

LRESULT WindowImplBase::OnChar(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  if ((wParam & 0xFFF0) == SC_CLOSE) {
    SendMessage(WM_CLOSE, 0, 0);
    return 0;
  }
  const bool wasZoomed = ::IsZoomed(GetHWND()) != FALSE;
  const LRESULT result = CWindowWnd::ProcessMessage(message, wParam, lParam);
  const bool zoomed = GetHWND() != nullptr && ::IsZoomed(GetHWND()) != FALSE;
  if (zoomed != wasZoomed) SwapMaximiseButtons(zoomed);
  return result;
}

void WindowImplBase::SwapMaximiseButtons(bool maximised) {
  CControlUI* maximise = FindEither(manager_, L"maxbtn", L"maxbtnxx");
  CControlUI* restore = FindEither(manager_, L"restorebtn", L"restorebtnxx");
  if (maximise == nullptr || restore == nullptr) return;
  maximise->SetVisible(!maximised);
  restore->SetVisible(maximised);
}

LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnKillFocus(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnSetFocus(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnLButtonDown(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnLButtonUp(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnMouseMove(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::HandleOtherMessage(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LONG WindowImplBase::GetStyle() { return ::GetWindowLongW(GetHWND(), GWL_STYLE) & ~static_cast<LONG>(WS_CAPTION); }

}  // namespace SkinUI
