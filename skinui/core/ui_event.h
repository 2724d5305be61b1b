#pragma once
// The input event record a control receives from its window's manager.
// The type values are fixed: skins and controls compare against them.

#include <windows.h>

#include <cstdint>

namespace SkinUI {

class CControlUI;

enum UIEventType : int {
  kEventKeyDown = 3,
  kEventKeyUp = 4,
  kEventChar = 5,
  kEventSysKey = 6,
  kEventMouseMove = 9,
  kEventMouseLeave = 10,
  kEventMouseEnter = 11,
  kEventMouseHover = 12,
  kEventButtonDown = 13,
  kEventButtonUp = 14,
  kEventRightButtonDown = 15,
  kEventDoubleClick = 16,
  kEventContextMenu = 17,
  kEventScrollWheel = 18,
  kEventKillFocus = 20,
  kEventSetFocus = 21,
  kEventWindowSize = 22,
  kEventSetCursor = 23,
  kEventTimer = 24,
};

// The mouse events run from move to wheel.
constexpr int kFirstMouseEvent = kEventMouseMove;
constexpr int kLastMouseEvent = kEventScrollWheel;

// Bits of UIEvent::keyState.
enum UIKeyState : uint16_t {
  kKeyStateLeftButton = 0x01,
  kKeyStateRightButton = 0x02,
  kKeyStateShift = 0x04,
  kKeyStateControl = 0x08,
  kKeyStateAlt = 0x20,
};

struct UIEvent {
  int type = 0;
  CControlUI* sender = nullptr;  // the control that receives the event
  uint32_t timestamp = 0;        // tick count when the event was made
  POINT mousePos{};              // client coordinates
  wchar_t keyCode = 0;
  uint16_t keyState = 0;  // UIKeyState bits
  WPARAM wParam = 0;      // timer events: the timer id
  LPARAM lParam = 0;
};

// True for the mouse events (move to wheel).
inline bool IsMouseEvent(int type) { return type >= kFirstMouseEvent && type <= kLastMouseEvent; }

}  // namespace SkinUI
