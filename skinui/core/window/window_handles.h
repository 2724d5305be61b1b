#pragma once
// Owners of window resources: icons, and those that need two values to
// release: a window timer (window and id) and a paint pass (BeginPaint and
// EndPaint).

#include <windows.h>

#include "utility/scoped_handle.h"

namespace SkinUI {

// Icons from LoadImageW without LR_SHARED: freed with DestroyIcon.
struct IconTraits {
  using Handle = HICON;
  static Handle invalid() { return nullptr; }
  static bool isValid(Handle h) { return h != nullptr; }
  static void close(Handle h) { ::DestroyIcon(h); }
};
using ScopedIcon = utility::ScopedGeneric<IconTraits>;

// A timer of a window, stopped when the owner ends or Stop is called.
class ScopedWindowTimer {
 public:
  ScopedWindowTimer() = default;
  ~ScopedWindowTimer() { Stop(); }
  ScopedWindowTimer(const ScopedWindowTimer&) = delete;
  ScopedWindowTimer& operator=(const ScopedWindowTimer&) = delete;

  // Starts (or restarts) timer id of window every elapse ms; false when it cannot start.
  bool Start(HWND window, UINT_PTR id, UINT elapse) {
    Stop();
    if (::SetTimer(window, id, elapse, nullptr) == 0) return false;
    window_ = window;
    id_ = id;
    running_ = true;
    return true;
  }
  // Stops the timer when it runs.
  void Stop() {
    if (running_) ::KillTimer(window_, id_);
    running_ = false;
  }
  bool IsRunning() const { return running_; }

 private:
  HWND window_ = nullptr;
  UINT_PTR id_ = 0;
  bool running_ = false;
};

// BeginPaint on construction, EndPaint on scope exit.
class ScopedPaint {
 public:
  // Begins painting window; the window must outlive this.
  explicit ScopedPaint(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
  ~ScopedPaint() { ::EndPaint(window_, &paint_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;

  // The paint DC; null when BeginPaint failed.
  HDC dc() const { return dc_; }
  // The area BeginPaint reported.
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace SkinUI
