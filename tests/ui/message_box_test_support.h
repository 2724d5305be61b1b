#pragma once
// Helpers of the message-box tests: the program's skin and the model
// pointed at the loopback collector (set up once for the program), an owner
// window, finding a box among the thread's windows, reaching its controls,
// posting clicks to them and pumping until the quit message.

#include <windows.h>

#include <string>

#include "skinui/core/control_ui.h"
#include "tests/net/loopback.h"
#include "tests/skinui/core/window_test_support.h"

namespace vxtest {

// The loopback servers' state and the collector path prefix the
// process-wide model posts under.
const LoopbackState& BoxLoopback();
const std::string& BoxCollectorPrefix();
// The channel id the model read from its program name.
constexpr wchar_t kBoxChannelId[] = L"2033";

// A plain window that owns the boxes.
class OwnerWindow : public TestWindow {
 public:
  OwnerWindow();
};

// The first window of this thread of class className owned by owner; null when none.
HWND FindBox(const wchar_t* className, HWND owner);
// The number of windows of this thread of class className owned by owner.
int CountBoxes(const wchar_t* className, HWND owner);
// The control named name in the skinned window box; null when absent.
SkinUI::CControlUI* BoxControl(HWND box, const wchar_t* name);
// The control's centre in the box's client coordinates.
POINT BoxCentre(HWND box, const wchar_t* name);
// Once the box is laid out, posts a left press and release at the control's
// centre; false when it is absent or never laid out.
bool ClickBoxControl(HWND box, const wchar_t* name);
// Pumps until box is destroyed; false when it is not.
bool PumpUntilGone(HWND box);
// Pumps (through the manager's hook) until the quit message arrives; false when it does not.
bool PumpUntilQuit(unsigned limitMs = 15000);
// Saves the X screen to the screenshots folder as file and reads it.
bool CaptureBoxScreen(const char* file, Screenshot* shot);

}  // namespace vxtest
