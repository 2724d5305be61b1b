#pragma once
// Helpers of the basic control tests: windows built from markup are painted
// into surfaces, real input is posted at a control's centre, and solid
// images are written for the state images.

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>

#include "skinui/core/control_ui.h"
#include "tests/skinui/core/window_test_support.h"
#include "tests/skinui/render/render_test_support.h"

namespace vxtest {

// The centre of control in client coordinates.
POINT Centre(const SkinUI::CControlUI* control);
// Paints the window's client area into surface (WM_PRINTCLIENT).
void PrintWindow(TestWindow& window, Surface& surface);
// Puts the mouse (the real cursor too, so the window's mouse tracking does
// not take the hover away) at point and pumps until the window has seen it.
bool MoveMouseTo(TestWindow& window, POINT point);
// MoveMouseTo the centre of the control named name, until it is the hover control.
bool HoverOver(TestWindow& window, const wchar_t* name);
// Posts a left press and release at the control's centre and pumps until the window has seen count "click"s.
bool ClickAt(TestWindow& window, const wchar_t* name, int count);
// A width x height PNG of one colour (0xAARRGGBB) in folder; its skin
// description "file='path'".
std::wstring SolidImage(ImageFolder& folder, const std::wstring& name, int width, int height, uint32_t color);
// The columns of the first and last pixel in row y whose colour differs from rgb; -1, -1 when none.
std::pair<int, int> InkColumns(const Surface& surface, int y0, int y1, uint32_t rgb);

}  // namespace vxtest
