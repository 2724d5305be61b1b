#pragma once
// Raising a window of this process above the others.

#include <windows.h>

namespace utility::usystem {

// Restores window when minimised and brings it to the front; a topmost
// window is only shown.
void bringWindowToFront(HWND window);

}  // namespace utility::usystem
