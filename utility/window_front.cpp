#include "utility/window_front.h"

namespace utility::usystem {

void bringWindowToFront(HWND window) {
  if (::IsIconic(window)) ::SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  if (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) {
    ::ShowWindow(window, SW_SHOW);
    return;
  }
  ::SetForegroundWindow(window);
  ::BringWindowToTop(window);
  // The brief topmost toggle lifts the window even when the system refuses
  // to hand over the foreground.
  constexpr UINT kFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW;
  ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kFlags);
  ::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kFlags);
}

}  // namespace utility::usystem
