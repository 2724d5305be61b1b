#pragma once
// The notification record controls send to the application through their
// window's manager, and the interfaces application objects implement to
// receive notifications, filter window messages and translate accelerators.

#include <windows.h>

#include <cstdint>

#include "skinui/core/markup/ui_string.h"

namespace SkinUI {

class CControlUI;

struct UINotify {
  CUIString type;                // "click", "windowinit", "timer", ...
  CUIString virtualWnd;          // the sender's virtual window; filled only when the window uses them
  CControlUI* sender = nullptr;  // the control that sends
  uint32_t timestamp = 0;        // tick count when sent
  POINT mousePos{};              // last mouse position in client coordinates
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// Receives the notifications of a window's controls.
class INotifyUI {
 public:
  // Called once per notification, on the UI thread.
  virtual void Notify(UINotify& notify) = 0;

 protected:
  ~INotifyUI() = default;
};

// Sees window messages before (pre-filters) or while (filters) the manager handles them.
class IMessageFilterUI {
 public:
  // The message's result; setting handled ends the message's handling.
  virtual LRESULT FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) = 0;

 protected:
  ~IMessageFilterUI() = default;
};

// Gets a window's messages before they are translated and dispatched.
class ITranslateAccelerator {
 public:
  // Non-zero when the message was consumed.
  virtual LRESULT TranslateAccelerator(MSG* message) = 0;

 protected:
  ~ITranslateAccelerator() = default;
};

}  // namespace SkinUI
