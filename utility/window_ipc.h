#pragma once
// Single-instance channel: a hidden top-level window found by its class
// name, through which another process posts messages to this one.

#include <windows.h>

#include <string>

#include "utility/scoped_handle.h"
#include "utility/window_ipc_handle.h"

namespace utility {

// Name of the instance mutex and class name of the channel window.
inline constexpr wchar_t CHANNEL_NAME[] = L"{EE8B94A3-D811-458B-A446-AF28FA10E845}";
// Posted by a second launch: show and raise the main window.
inline constexpr UINT SHOW_MAIN_FRAME_MSG = 112345;

class WindowIPC {
 public:
  WindowIPC() = default;
  // Destroys a receiving window; a late message then reaches no handler.
  ~WindowIPC();
  WindowIPC(const WindowIPC&) = delete;
  WindowIPC& operator=(const WindowIPC&) = delete;

  // Makes this endpoint a receiver: a window of class className owned by
  // the calling thread hands messages above WM_USER and WM_COPYDATA to
  // handler. False when the window could not be made.
  bool create(const std::wstring& className, IWindowIPCHandle* handler);
  // Makes this endpoint a sender to the first top-level window of
  // className (and windowTitle when not empty). False when none exists.
  bool open(const std::wstring& className, const std::wstring& windowTitle = std::wstring());
  // Posts a message to the endpoint's window without waiting. False when
  // no window is open or the post failed.
  bool postMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  IWindowIPCHandle* handler_ = nullptr;
  // The window made by create(); a sender's peer window is not owned.
  ScopedWindow ownWindow_;
};

}  // namespace utility
