#include "utility/window_ipc.h"

#include "utility/log.h"

namespace utility {
namespace {

bool isRouted(UINT message) { return message > WM_USER || message == WM_COPYDATA; }

}  // namespace

WindowIPC::~WindowIPC() {
  if (ownWindow_) ::SetWindowLongPtrW(ownWindow_.get(), GWLP_USERDATA, 0);
}

bool WindowIPC::create(const std::wstring& className, IWindowIPCHandle* handler) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &WindowIPC::windowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = className.c_str();
  // A class left registered by an earlier endpoint serves as well.
  ::RegisterClassExW(&windowClass);
  // Top-level, not message-only: other processes find it by class name.
  ownWindow_.reset(
      ::CreateWindowExW(0, className.c_str(), L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this));
  window_ = ownWindow_.get();
  if (!ownWindow_) {
    writeLog("utility::WindowIPC::create", __LINE__, L"className:%s, error:%d", className.c_str(),
             static_cast<int>(::GetLastError()));
    return false;
  }
  handler_ = handler;
  return true;
}

bool WindowIPC::open(const std::wstring& className, const std::wstring& windowTitle) {
  ::SetLastError(0);
  window_ = ::FindWindowExW(nullptr, nullptr, className.empty() ? nullptr : className.c_str(),
                            windowTitle.empty() ? nullptr : windowTitle.c_str());
  if (window_ != nullptr) return true;
  const DWORD error = ::GetLastError();
  if (error != 0 && error != ERROR_FILE_NOT_FOUND) {
    writeLog("utility::WindowIPC::open", __LINE__, L"className:%s, windowName:%s, error:%d", className.c_str(),
             windowTitle.c_str(), static_cast<int>(error));
  }
  return false;
}

bool WindowIPC::postMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return window_ != nullptr && ::PostMessageW(window_, message, wParam, lParam) != FALSE;
}

LRESULT CALLBACK WindowIPC::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* endpoint = static_cast<WindowIPC*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    endpoint->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(endpoint));
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  if (!isRouted(message)) return ::DefWindowProcW(window, message, wParam, lParam);
  auto* endpoint = reinterpret_cast<WindowIPC*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (endpoint != nullptr && endpoint->window_ == window && endpoint->handler_ != nullptr) {
    endpoint->handler_->onHandleWindowIPC(message, wParam, lParam);
  }
  return 0;
}

}  // namespace utility
