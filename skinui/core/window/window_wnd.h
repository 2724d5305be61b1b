#pragma once
// A native window owned by an object: the class is registered on first
// use (as a superclass of a system class when one is named), the object
// rides in the window's user data (in the "WndX" property for superclassed
// windows) from the non-client create message on, and every message goes
// to ProcessMessage until the non-client destroy message detaches it.

#include <windows.h>

#include "skinui/core/window/window_handles.h"

namespace SkinUI {

class CWindowWnd {
 public:
  CWindowWnd() = default;
  CWindowWnd(const CWindowWnd&) = delete;
  CWindowWnd& operator=(const CWindowWnd&) = delete;

  // The window; null before Create and after it was destroyed.
  HWND GetHWND() const { return window_; }
  // Registers the class and creates the window at the default place and size; null on failure.
  HWND Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle);
  // Create at rect (screen coordinates for a top-level window).
  HWND Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle, const RECT& rect);
  // Shows the window normally (taking the focus) or without activation; hides it when show is false.
  void ShowWindow(bool show = true, bool takeFocus = true);
  // Centres the window over its owner, or the work area, kept inside the work area.
  void CenterWindow();
  // Posts the close message with result as wParam.
  void Close(UINT result = IDOK);
  // Loads icon resourceId of the framework's module as the large and small window icons.
  void SetIcon(UINT resourceId);
  // SendMessageW to the window.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // PostMessageW to the window; false when it cannot be posted.
  bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

 protected:
  // Destroys a window that still exists, detached first so no message reaches this object.
  ~CWindowWnd();

  // The window class this object registers.
  virtual const wchar_t* GetRegisteredClassName() const = 0;
  // A system class to superclass, or null for a class of our own.
  virtual const wchar_t* GetBaseWindowClass() const { return nullptr; }
  // Class style bits of a class of our own.
  virtual UINT GetClassStyle() const { return 0; }
  // A message of the window: the procedure that was in place before (the platform default).
  virtual LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Called after the window was destroyed and detached from this object.
  virtual void OnWindowDestroyed(HWND window) { static_cast<void>(window); }

 private:
  bool RegisterWindowClass();
  bool RegisterSuperclass();
  void Detach();
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SuperclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT Route(CWindowWnd* self, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  WNDPROC previousProc_ = ::DefWindowProcW;
  bool superclassed_ = false;
  ScopedIcon largeIcon_;
  ScopedIcon smallIcon_;
};

}  // namespace SkinUI
