#include "skinui/core/window/manager_ui.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "skinui/layout/container_ui.h"
#include "skinui/layout/scroll_bar_ui.h"
#include "skinui/layout/tab_layout_ui.h"
#include "tests/skinui/core/window_test_support.h"
#include "tests/skinui/render/render_test_support.h"

namespace {

using SkinUI::CControlUI;
using SkinUI::CManagerUI;
using vxtest::PumpUiFor;
using vxtest::PumpUiUntil;
using vxtest::TestWindow;

// A 320 x 200 window: a caption bar of a label, a text, a close button and
// an option, a row of three buttons and a box filling the rest.
constexpr wchar_t kSkin[] =
    LR"(<Window size="320,200" caption="0,0,0,40" sizebox="4,4,4,4" mininfo="200,150">
<VerticalLayout name="root" bkcolor="#FF204080">
  <HorizontalLayout name="bar" height="40" bkcolor="#FF10A010">
    <TestLabel name="title" width="100"/>
    <TestText name="link" width="40"/>
    <TestButton name="closebtn" width="40"/>
    <TestOption name="opt" width="40"/>
  </HorizontalLayout>
  <HorizontalLayout name="row" height="60" bkcolor="#FFC0C0C0">
    <TestButton name="one" width="80" bkcolor="#FFE03020"/>
    <TestButton name="two" width="80"/>
    <TestButton name="three" width="80"/>
  </HorizontalLayout>
  <TestBox name="rest"/>
</VerticalLayout></Window>)";

int IndexOf(const std::vector<std::wstring>& list, const std::wstring& entry) {
  auto it = std::find(list.begin(), list.end(), entry);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

bool Has(const std::vector<std::wstring>& list, const std::wstring& entry) { return IndexOf(list, entry) >= 0; }

POINT Centre(CControlUI* control) {
  const RECT& r = control->GetBounds();
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(WindowManager, TheFirstPaintLaysTheTreeOutAndSendsWindowInitOnce) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  RECT client{};
  ::GetClientRect(window.GetHWND(), &client);
  EXPECT_EQ(client.right, 320);
  EXPECT_EQ(client.bottom, 200);
  EXPECT_EQ(window.log.notifications.front(), L"windowinit:root:0:0");
  const RECT& rest = window.Find(L"rest")->GetBounds();
  EXPECT_EQ(rest.top, 100);
  EXPECT_EQ(rest.bottom, 200);
  EXPECT_EQ(window.Find(L"two")->GetBounds().left, 80);
  for (int i = 0; i < 3; ++i) {
    window.GetManager().Invalidate();
    window.Find(L"row")->RequestLayout();
    PumpUiFor(60);
  }
  EXPECT_EQ(window.log.Count(L"windowinit"), 1) << "later paints do not send it again";
  // The first paint also focuses the first tab stop.
  EXPECT_TRUE(PumpUiUntil([&] { return window.GetManager().GetFocus() == window.Find(L"closebtn"); }));
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(WindowManager, APressAndReleaseOverAButtonClicksOnceReleasingElsewhereDoesNot) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  PumpUiUntil([&] { return window.GetManager().GetFocus() != nullptr; });
  const POINT one = Centre(window.Find(L"one"));
  const POINT two = Centre(window.Find(L"two"));

  window.PostMouse(WM_LBUTTONDOWN, one.x, one.y, MK_LBUTTON);
  ASSERT_TRUE(PumpUiUntil([&] { return window.log.CountEvent(L"one:down") == 1; }));
  EXPECT_EQ(::GetCapture(), window.GetHWND());
  EXPECT_TRUE(window.GetManager().IsCaptured());
  EXPECT_EQ(window.GetManager().GetFocus(), window.Find(L"one")) << "the pressed control takes the focus";
  const auto& notes = window.log.notifications;
  ASSERT_TRUE(Has(notes, L"killfocus:closebtn:0:0"));
  EXPECT_LT(IndexOf(notes, L"killfocus:closebtn:0:0"), IndexOf(notes, L"setfocus:one:0:0"));
  window.PostMouse(WM_LBUTTONUP, one.x, one.y);
  ASSERT_TRUE(PumpUiUntil([&] { return window.log.Count(L"click") == 1; }));
  EXPECT_EQ(notes.back(), L"click:one:0:0");
  EXPECT_LT(IndexOf(window.log.events, L"one:down"), IndexOf(window.log.events, L"one:up"));
  EXPECT_FALSE(window.GetManager().IsCaptured());
  EXPECT_EQ(::GetCapture(), nullptr);

  // Captured: moving over another button sends it nothing; the release there clicks nothing.
  window.PostMouse(WM_LBUTTONDOWN, one.x, one.y, MK_LBUTTON);
  window.PostMouse(WM_MOUSEMOVE, two.x, two.y, MK_LBUTTON);
  window.PostMouse(WM_LBUTTONUP, two.x, two.y);
  ASSERT_TRUE(PumpUiUntil([&] { return window.log.CountEvent(L"one:up") == 2; }));
  PumpUiFor(50);
  EXPECT_EQ(window.log.Count(L"click"), 1);
  EXPECT_EQ(window.log.CountEvent(L"two:enter"), 0) << "the hover does not move while captured";
  EXPECT_EQ(window.log.CountEvent(L"two:down") + window.log.CountEvent(L"two:up"), 0);
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(WindowManager, AnXdotoolClickAtClientCoordinatesClicksTheButtonThere) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open(L"vx xdotool click", 150, 120));
  const POINT two = Centre(window.Find(L"two"));
  ASSERT_TRUE(vxtest::StartHostProgram(L"/usr/bin/xdotool",
                                       L"search --sync --name \"vx xdotool click\" mousemove --sync --window %1 " +
                                           std::to_wstring(two.x) + L" " + std::to_wstring(two.y) + L" click 1"));
  ASSERT_TRUE(PumpUiUntil([&] { return window.log.Count(L"click") == 1; }));
  EXPECT_EQ(window.log.notifications.back(), L"click:two:0:0");
  EXPECT_LT(IndexOf(window.log.events, L"two:enter"), IndexOf(window.log.events, L"two:down"));
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(WindowManager, HoverMovesWithTheMouseAndLeaveReachesTheListedControlsFirst) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  CManagerUI& manager = window.GetManager();
  const POINT one = Centre(window.Find(L"one"));
  const POINT two = Centre(window.Find(L"two"));
  POINT screen = one;
  ::ClientToScreen(window.GetHWND(), &screen);
  ::SetCursorPos(screen.x, screen.y);  // tracking sees the cursor where the posted moves say it is
  manager.AddMouseLeaveNeeded(window.Find(L"three"));

  window.PostMouse(WM_MOUSEMOVE, one.x, one.y);
  ASSERT_TRUE(PumpUiUntil([&] { return manager.GetHoverControl() == window.Find(L"one"); }));
  EXPECT_EQ(window.log.CountEvent(L"one:enter"), 1);
  ::PostMessageW(window.GetHWND(), WM_MOUSEHOVER, 0, MAKELPARAM(one.x, one.y));
  ASSERT_TRUE(PumpUiUntil([&] { return window.log.CountEvent(L"one:hover") >= 1; }));

  window.PostMouse(WM_MOUSEMOVE, two.x, two.y);
  ASSERT_TRUE(PumpUiUntil([&] { return manager.GetHoverControl() == window.Find(L"two"); }));
  const auto& events = window.log.events;
  EXPECT_LT(IndexOf(events, L"three:leave"), IndexOf(events, L"one:leave")) << "the listed control leaves first";
  EXPECT_LT(IndexOf(events, L"one:leave"), IndexOf(events, L"two:enter"));

  ::SetCursorPos(5, 5);  // outside the window: the leave reaches the hover control
  ::PostMessageW(window.GetHWND(), WM_MOUSELEAVE, 0, 0);
  ASSERT_TRUE(PumpUiUntil([&] { return window.log.CountEvent(L"two:leave") == 1; }));
  EXPECT_EQ(manager.GetHoverControl(), nullptr);
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(WindowManager, TabAndShiftTabWrapAroundTheTabStops) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  CManagerUI& manager = window.GetManager();
  ASSERT_TRUE(PumpUiUntil([&] { return manager.GetFocus() == window.Find(L"closebtn"); }));
  struct Step {
    bool shift;
    const wchar_t* from;
    const wchar_t* to;
  };
  const Step steps[] = {
      {false, L"closebtn", L"opt"},  {false, L"opt", L"one"}, {false, L"three", L"closebtn"},
      {true, L"closebtn", L"three"}, {true, L"two", L"one"},  {true, L"opt", L"closebtn"},
  };
  BYTE keys[256] = {};
  for (const Step& step : steps) {
    manager.SetFocus(window.Find(step.from));
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = step.shift ? 0x80 : 0;
    ::SetKeyboardState(keys);
    ::PostMessageW(window.GetHWND(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(PumpUiUntil([&] { return manager.GetFocus() == window.Find(step.to); }))
        << (step.shift ? "shift+tab from " : "tab from ") << std::wstring(step.from).size();
  }
  keys[VK_SHIFT] = 0;
  ::SetKeyboardState(keys);
  PumpUiFor(30);
  for (const std::wstring& event : window.log.events) {
    EXPECT_EQ(event.find(L":keydown"), std::wstring::npos) << "Tab is consumed before any control sees it";
  }
  // A control that is hidden, itself or with its parent, gives the focus up.
  manager.SetFocus(window.Find(L"one"));
  window.Find(L"one")->SetVisible(false);
  EXPECT_EQ(manager.GetFocus(), nullptr);
  EXPECT_EQ(window.log.notifications.back(), L"killfocus:one:0:0");
  manager.SetFocus(window.Find(L"two"));
  window.Find(L"row")->SetVisible(false);
  EXPECT_EQ(manager.GetFocus(), nullptr);
  EXPECT_EQ(window.log.notifications.back(), L"killfocus:two:0:0");
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(WindowManager, ControlTimersNotifyUntilKilledAndRestart) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  CManagerUI& manager = window.GetManager();
  CControlUI* rest = window.Find(L"rest");
  ASSERT_TRUE(manager.SetTimer(rest, 7, 15));
  EXPECT_FALSE(manager.SetTimer(rest, 7, 15)) << "a live timer cannot be set again";
  ASSERT_TRUE(PumpUiUntil([&] { return window.log.Count(L"timer") >= 2; }));
  EXPECT_EQ(window.log.notifications.back().rfind(L"timer:rest:7:", 0), 0u) << window.log.notifications.back();
  EXPECT_TRUE(window.log.CountEvent(L"rest:timer") >= 2);
  EXPECT_TRUE(manager.KillTimer(rest, 7));
  EXPECT_FALSE(manager.KillTimer(rest, 7));
  PumpUiFor(20);
  const int stopped = window.log.Count(L"timer");
  PumpUiFor(120);
  EXPECT_EQ(window.log.Count(L"timer"), stopped);
  ASSERT_TRUE(manager.SetTimer(rest, 7, 15)) << "a killed timer restarts";
  EXPECT_TRUE(PumpUiUntil([&] { return window.log.Count(L"timer") > stopped; }));
  manager.KillTimer(rest);
  EXPECT_FALSE(manager.KillTimer(rest, 7)) << "the control has no timer records left";
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(WindowManager, QueuedNotificationsWithoutRepeatsDeliverOnceWithTheLaterValues) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  CManagerUI& manager = window.GetManager();
  SkinUI::UINotify progress;
  progress.type = L"progress";
  progress.sender = window.Find(L"one");
  progress.wParam = 1;
  manager.SendNotification(progress, true, false);
  progress.wParam = 2;
  progress.lParam = 5;
  manager.SendNotification(progress, true, false);
  manager.SendNotification(window.Find(L"two"), L"step", 1, 0, true);
  manager.SendNotification(window.Find(L"two"), L"step", 2, 0, true);
  manager.SendNotification(window.Find(L"three"), L"now");
  EXPECT_EQ(window.log.notifications.back(), L"now:three:0:0") << "a synchronous one is delivered at once";
  EXPECT_EQ(window.log.Count(L"progress"), 0);
  ASSERT_TRUE(PumpUiUntil([&] { return window.log.Count(L"step") == 2; }));
  PumpUiFor(30);
  const auto& notes = window.log.notifications;
  EXPECT_EQ(window.log.Count(L"progress"), 1);
  EXPECT_TRUE(Has(notes, L"progress:one:2:5"));
  EXPECT_LT(IndexOf(notes, L"progress:one:2:5"), IndexOf(notes, L"step:two:1:0"));
  EXPECT_LT(IndexOf(notes, L"step:two:1:0"), IndexOf(notes, L"step:two:2:0")) << "repeats allowed keep both in order";
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(WindowManager, ARemovedChildIsDeletedWhenTheQueuedMessageComesRound) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  static bool deleted;
  deleted = false;
  CControlUI* two = window.Find(L"two");
  two->OnDestroy.Add(+[](CControlUI*) {
    deleted = true;
    return true;
  });
  auto* row = static_cast<SkinUI::IContainerUI*>(window.Find(L"row")->FindInterface(L"IContainer"));
  ASSERT_TRUE(row->Remove(two));
  EXPECT_FALSE(deleted) << "the control may still be handling the event that removed it";
  EXPECT_EQ(window.Find(L"two"), two) << "its name stays until it is deleted";
  ASSERT_TRUE(PumpUiUntil([&] { return deleted; }));
  EXPECT_EQ(window.Find(L"two"), nullptr);
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(WindowManager, TabPagesScrollBarsAndMenusNotifyThroughTheManager) {
  TestWindow window(
      LR"(<Window size="200,120"><VerticalLayout name="root">
    <TabLayout name="pages" height="60">
      <TestButton name="p0"/><TestButton name="p1"/><TestButton name="p2"/>
    </TabLayout>
    <VerticalLayout name="list" vscrollbar="true" height="60">
      <TestBox name="tall" height="300" menu="true"/>
    </VerticalLayout>
  </VerticalLayout></Window>)");
  ASSERT_TRUE(window.Open());
  auto* pages = static_cast<SkinUI::CTabLayoutUI*>(window.Find(L"pages")->FindInterface(L"TabLayout"));
  ASSERT_NE(pages, nullptr);
  ASSERT_TRUE(pages->SelectPage(2));
  EXPECT_EQ(window.log.notifications.back(), L"tabselect:pages:2:0");
  EXPECT_TRUE(pages->SelectPage(2));
  EXPECT_EQ(window.log.Count(L"tabselect"), 1) << "the current page sends nothing";
  EXPECT_TRUE(PumpUiUntil([&] { return window.GetManager().GetFocus() == window.Find(L"p2"); }))
      << "the focus moves to the next tab stop after the page";

  auto* list = static_cast<SkinUI::CContainerUI*>(window.Find(L"list")->FindInterface(L"Container"));
  ASSERT_NE(list->GetVerticalScrollBar(), nullptr);
  ASSERT_TRUE(PumpUiUntil([&] { return list->GetScrollRange().cy > 0; }));
  list->LineDown();
  list->LineDown();
  ASSERT_TRUE(PumpUiUntil([&] { return window.log.Count(L"scroll") > 0; }));
  PumpUiFor(30);
  EXPECT_EQ(window.log.Count(L"scroll"), 1) << "queued scrolls of one bar are delivered once";
  EXPECT_EQ(window.log.notifications.back(), L"scroll::16:8") << "the bar has no name; new and old position";

  const POINT tall{100, 90};  // inside the list's visible part
  ASSERT_EQ(window.GetManager().FindControl(tall), window.Find(L"tall"));
  POINT screen = tall;
  ::ClientToScreen(window.GetHWND(), &screen);
  window.PostMouse(WM_RBUTTONDOWN, tall.x, tall.y, MK_RBUTTON);
  ::PostMessageW(window.GetHWND(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.GetHWND()),
                 MAKELPARAM(screen.x, screen.y));
  ASSERT_TRUE(PumpUiUntil([&] { return window.log.Count(L"menu") == 1; }));
  EXPECT_EQ(window.log.notifications.back().rfind(L"menu:tall:", 0), 0u);
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(WindowManager, PrintClientPaintsTheWholeTreeIntoTheGivenContext) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  vxtest::Surface surface(320, 200, 0xFF000000);
  window.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
  ::GdiFlush();
  EXPECT_TRUE(vxtest::Near(surface.At(260, 20), 0xFF10A010, 0, false)) << vxtest::Hex(surface.At(260, 20));
  EXPECT_TRUE(vxtest::Near(surface.At(40, 70), 0xFFE03020, 0, false)) << vxtest::Hex(surface.At(40, 70));
  EXPECT_TRUE(vxtest::Near(surface.At(300, 70), 0xFFC0C0C0, 0, false)) << vxtest::Hex(surface.At(300, 70));
  EXPECT_TRUE(vxtest::Near(surface.At(160, 150), 0xFF204080, 0, false)) << vxtest::Hex(surface.At(160, 150));
  EXPECT_TRUE(window.CloseAndWait());
}

// The screenshots are compared where the skin is opaque: Wine without a
// compositor cuts fully transparent pixels of a layered window out and shows
// translucent ones opaque.
void ExpectSkinOnScreen(TestWindow& window, const char* file) {
  PumpUiFor(100);
  vxtest::Screenshot shot;
  ASSERT_TRUE(vxtest::CaptureScreen(std::string(VX_SCREENSHOT_DIR "/") + file, &shot));
  RECT frame{};
  ::GetWindowRect(window.GetHWND(), &frame);
  struct Probe {
    int x;
    int y;
    uint32_t rgb;
  };
  const Probe probes[] = {{260, 20, 0x10A010},  {40, 70, 0xE03020}, {300, 70, 0xC0C0C0},
                          {160, 150, 0x204080}, {22, 2, 0x10A010},  {317, 197, 0x204080}};
  for (const Probe& probe : probes) {
    const int x = frame.left + probe.x;
    const int y = frame.top + probe.y;
    ASSERT_LT(x, shot.width);
    ASSERT_LT(y, shot.height);
    EXPECT_EQ(shot.At(x, y), probe.rgb) << probe.x << "," << probe.y << " " << vxtest::Hex(shot.At(x, y));
  }
}

TEST(WindowManager, AScreenshotOfTheWindowShowsTheSkinAtItsOpaquePixels) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open(L"vx screenshot", 200, 160));
  ExpectSkinOnScreen(window, "skinned_window.ppm");
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(WindowManager, ALayeredWindowPushesItsPixelsFromTheLayeredTimer) {
  // The shape: opaque but for a fully transparent band of 20 columns on the left.
  std::vector<uint32_t> shape(320 * 200, 0xFFFFFFFF);
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 20; ++x) shape[static_cast<size_t>(y) * 320 + x] = 0;
  }
  vxtest::ImageFolder images;
  const std::wstring path = images.Write(L"shape", 320, 200, shape);
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open(L"vx layered", 560, 300));
  CManagerUI& manager = window.GetManager();
  manager.ApplyWindowAttribute(L"layeredimage", (L"file='" + path + L"'").c_str());
  ASSERT_TRUE(manager.IsLayered());
  ASSERT_NE(manager.GetLayeredImage().image, nullptr);
  EXPECT_NE(::GetWindowLongW(window.GetHWND(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  ExpectSkinOnScreen(window, "layered_window.ppm");
  manager.SetLayered(false);
  EXPECT_EQ(::GetWindowLongW(window.GetHWND(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_TRUE(window.CloseAndWait());
}

}  // namespace
