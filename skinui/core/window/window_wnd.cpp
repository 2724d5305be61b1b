#include "skinui/core/window/window_wnd.h"

#include "skinui/core/resources/resources.h"

namespace SkinUI {
namespace {

// The property that carries the object of a superclassed window.
constexpr wchar_t kObjectProperty[] = L"WndX";

HINSTANCE FrameworkModule() {
  HINSTANCE module = CResourceContext::Instance().GetModule();
  return module != nullptr ? module : ::GetModuleHandleW(nullptr);
}

bool Registered(ATOM atom) { return atom != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS; }

}  // namespace

CWindowWnd::~CWindowWnd() {
  if (window_ == nullptr) return;
  HWND window = window_;
  Detach();
  ::DestroyWindow(window);
}

HWND CWindowWnd::Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle) {
  return Create(parent, name, style, exStyle, RECT{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT});
}

HWND CWindowWnd::Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle, const RECT& rect) {
  if (window_ != nullptr) return nullptr;
  if (!(GetBaseWindowClass() != nullptr ? RegisterSuperclass() : RegisterWindowClass())) return nullptr;
  const int width = rect.right == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
  const int height = rect.bottom == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
  // WM_NCCREATE stores the window handle; a failed creation leaves it null.
  ::CreateWindowExW(exStyle, GetRegisteredClassName(), name, style, rect.left, rect.top, width, height, parent, nullptr,
                    FrameworkModule(), this);
  return window_;
}

bool CWindowWnd::RegisterWindowClass() {
  WNDCLASSW windowClass{};
  windowClass.style = GetClassStyle();
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = FrameworkModule();
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = GetRegisteredClassName();
  superclassed_ = false;
  return Registered(::RegisterClassW(&windowClass));
}

bool CWindowWnd::RegisterSuperclass() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (!::GetClassInfoExW(nullptr, GetBaseWindowClass(), &windowClass) &&
      !::GetClassInfoExW(FrameworkModule(), GetBaseWindowClass(), &windowClass)) {
    return false;
  }
  previousProc_ = windowClass.lpfnWndProc;
  windowClass.lpfnWndProc = SuperclassProc;
  windowClass.hInstance = FrameworkModule();
  windowClass.lpszClassName = GetRegisteredClassName();
  superclassed_ = true;
  return Registered(::RegisterClassExW(&windowClass));
}

void CWindowWnd::Detach() {
  if (superclassed_) {
    ::RemovePropW(window_, kObjectProperty);
  } else {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  }
  window_ = nullptr;
}

LRESULT CALLBACK CWindowWnd::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWindowWnd* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<CWindowWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<CWindowWnd*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  return Route(self, window, message, wParam, lParam);
}

LRESULT CALLBACK CWindowWnd::SuperclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWindowWnd* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<CWindowWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    ::SetPropW(window, kObjectProperty, self);
  } else {
    self = static_cast<CWindowWnd*>(::GetPropW(window, kObjectProperty));
  }
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  return Route(self, window, message, wParam, lParam);
}

LRESULT CWindowWnd::Route(CWindowWnd* self, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_NCDESTROY) return self->ProcessMessage(message, wParam, lParam);
  const LRESULT result = ::CallWindowProcW(self->previousProc_, window, message, wParam, lParam);
  self->Detach();
  self->OnWindowDestroyed(window);
  return result;
}

LRESULT CWindowWnd::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcW(previousProc_, window_, message, wParam, lParam);
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus) {
  if (window_ == nullptr) return;
  ::ShowWindow(window_, show ? (takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

void CWindowWnd::CenterWindow() {
  RECT own{};
  ::GetWindowRect(window_, &own);
  HWND owner = ::GetWindow(window_, GW_OWNER);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromWindow(owner != nullptr ? owner : window_, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  RECT over = work;
  if (owner != nullptr && !::IsIconic(owner)) ::GetWindowRect(owner, &over);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  int left = (over.left + over.right) / 2 - width / 2;
  int top = (over.top + over.bottom) / 2 - height / 2;
  if (left < work.left) {
    left = work.left;
  } else if (left + width > work.right) {
    left = work.right - width;
  }
  if (top < work.top) {
    top = work.top;
  } else if (top + height > work.bottom) {
    top = work.bottom - height;
  }
  ::SetWindowPos(window_, nullptr, left, top, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::Close(UINT result) { PostMessage(WM_CLOSE, result, 0); }

void CWindowWnd::SetIcon(UINT resourceId) {
  auto load = [resourceId](int size) {
    return static_cast<HICON>(::LoadImageW(FrameworkModule(), MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                           ::GetSystemMetrics(size), ::GetSystemMetrics(size), LR_DEFAULTCOLOR));
  };
  ScopedIcon large(load(SM_CXICON));
  ScopedIcon little(load(SM_CXSMICON));
  if (large) SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large.get()));
  if (little) SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(little.get()));
  // The window shows the new icons now; the earlier ones can go.
  if (large) largeIcon_ = std::move(large);
  if (little) smallIcon_ = std::move(little);
}

LRESULT CWindowWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageW(window_, message, wParam, lParam);
}

bool CWindowWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageW(window_, message, wParam, lParam) != FALSE;
}

}  // namespace SkinUI
