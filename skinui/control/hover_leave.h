#pragma once
// The mouse-leave rule of the controls with a hot state: a leave event that
// arrives while the mouse is still over the control (a control laid over it
// took the hover) does not end the hover; the control asks for another one.

#include <windows.h>

namespace SkinUI {

class CControlUI;

// True when the hover of control ends at a mouse-leave at mouse (it then
// leaves the manager's mouse-leave list); false while mouse is still inside
// the control, which joins that list to be asked again.
bool HoverEnds(CControlUI& control, POINT mouse);

}  // namespace SkinUI
