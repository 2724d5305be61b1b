#include "utility/window_front.h"

#include <gtest/gtest.h>

#include "tests/common/message_pump.h"
#include "utility/scoped_handle.h"

namespace {

utility::ScopedWindow makeWindow(DWORD exStyle, DWORD style) {
  return utility::ScopedWindow(::CreateWindowExW(exStyle, L"STATIC", L"vx-front-test", style | WS_OVERLAPPEDWINDOW, 10,
                                                 10, 200, 150, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
}

bool isTopmost(HWND window) { return (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// True when upper comes before lower in the z-order of top-level windows.
bool isAbove(HWND upper, HWND lower) {
  for (HWND w = ::GetWindow(upper, GW_HWNDNEXT); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
    if (w == lower) return true;
  }
  return false;
}

TEST(BringWindowToFront, RestoresAMinimisedWindowAndRaisesItWithoutLeavingItTopmost) {
  utility::ScopedWindow target = makeWindow(0, WS_VISIBLE);
  utility::ScopedWindow cover = makeWindow(0, WS_VISIBLE);
  ASSERT_TRUE(target.valid() && cover.valid());
  ::ShowWindow(target.get(), SW_MINIMIZE);
  // A window manager confirms the minimised state in its own time.
  ASSERT_TRUE(vxtest::pumpMessagesUntil([&] { return ::IsIconic(target.get()) != FALSE; }, 3000));
  utility::usystem::bringWindowToFront(target.get());
  EXPECT_TRUE(vxtest::pumpMessagesUntil([&] { return ::IsIconic(target.get()) == FALSE; }, 3000));
  EXPECT_TRUE(::IsWindowVisible(target.get()));
  EXPECT_FALSE(isTopmost(target.get()));
  EXPECT_TRUE(isAbove(target.get(), cover.get()));
}

TEST(BringWindowToFront, ATopmostWindowIsOnlyShownAndStaysTopmost) {
  utility::ScopedWindow target = makeWindow(WS_EX_TOPMOST, 0);
  ASSERT_TRUE(target.valid());
  ASSERT_FALSE(::IsWindowVisible(target.get()));
  utility::usystem::bringWindowToFront(target.get());
  EXPECT_TRUE(::IsWindowVisible(target.get()));
  EXPECT_TRUE(isTopmost(target.get()));
}

}  // namespace
