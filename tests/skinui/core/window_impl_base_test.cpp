#include "skinui/core/window/window_impl_base.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/common/wine_path.h"
#include "tests/skinui/core/window_test_support.h"
#include "utility/scoped_handle.h"

namespace {

using SkinUI::CControlUI;
using vxtest::PumpUiFor;
using vxtest::PumpUiUntil;
using vxtest::TestWindow;

constexpr wchar_t kSkin[] =
    LR"(<Window size="320,200" caption="0,0,0,40" sizebox="4,4,4,4" mininfo="200,150">
<VerticalLayout name="root" bkcolor="#FF204080">
  <HorizontalLayout name="bar" height="40" bkcolor="#FF10A010">
    <TestLabel name="title" width="100"/>
    <TestText name="link" width="40"/>
    <TestButton name="closebtn" width="40"/>
    <TestOption name="opt" width="40"/>
    <TestButton name="maxbtn" width="30"/>
    <TestButton name="restorebtn" width="30" visible="false"/>
  </HorizontalLayout>
  <HorizontalLayout name="row" height="60">
    <TestButton name="one" width="80"/>
    <TestButton name="two" width="80"/>
  </HorizontalLayout>
  <TestBox name="rest"/>
</VerticalLayout></Window>)";

RECT WorkArea(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcWork;
}

LRESULT HitTest(TestWindow& window, int x, int y) {
  POINT point{x, y};
  ::ClientToScreen(window.GetHWND(), &point);
  return window.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
}

void Click(TestWindow& window, const wchar_t* name) {
  const RECT& r = window.Find(name)->GetBounds();
  const int x = (r.left + r.right) / 2;
  const int y = (r.top + r.bottom) / 2;
  window.PostMouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  window.PostMouse(WM_LBUTTONUP, x, y);
}

TEST(WindowImplBase, HitTestsFindResizeBordersThenTheCaptionExceptOverButtonsOptionsAndTexts) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  struct Case {
    int x;
    int y;
    LRESULT expected;
  };
  const Case cases[] =
      {
          {1, 1, HTTOPLEFT},    {160, 1, HTTOP},        {318, 2, HTTOPRIGHT}, {1, 100, HTLEFT},
          {318, 100, HTRIGHT},  {1, 198, HTBOTTOMLEFT}, {160, 198, HTBOTTOM}, {318, 198, HTBOTTOMRIGHT},
          {50, 20, HTCAPTION},   // a label in the caption area drags the window
          {120, 20, HTCLIENT},   // a text
          {160, 20, HTCLIENT},   // a button
          {200, 20, HTCLIENT},   // an option
          {300, 20, HTCAPTION},  // the bar itself
          {40, 70, HTCLIENT},    // a button below the caption rows
          {160, 150, HTCLIENT},  // a box below the caption rows
          {300, 39, HTCAPTION},  // the caption's last row
          {300, 40, HTCLIENT},   // the first row below it
      };
  for (const Case& c : cases) EXPECT_EQ(HitTest(window, c.x, c.y), c.expected) << c.x << "," << c.y;
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(WindowImplBase, MaximisingFillsTheWorkAreaAndSwapsTheMaximiseAndRestoreButtons) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  CControlUI* maximise = window.Find(L"maxbtn");
  CControlUI* restore = window.Find(L"restorebtn");
  Click(window, L"maxbtn");
  ASSERT_TRUE(PumpUiUntil([&] { return ::IsZoomed(window.GetHWND()) != FALSE; }));
  RECT frame{};
  ::GetWindowRect(window.GetHWND(), &frame);
  const RECT work = WorkArea(window.GetHWND());
  EXPECT_TRUE(::EqualRect(&frame, &work))
      << frame.left << "," << frame.top << "," << frame.right << "," << frame.bottom;
  RECT client{};
  ::GetClientRect(window.GetHWND(), &client);
  EXPECT_EQ(client.right, work.right - work.left) << "the frameless client area is the work area";
  EXPECT_FALSE(maximise->IsVisible());
  EXPECT_TRUE(restore->IsVisible());
  EXPECT_EQ(HitTest(window, 1, 1), HTCAPTION) << "a maximised window has no resize borders";
  ASSERT_TRUE(PumpUiUntil([&] { return window.Find(L"root")->GetBounds().right == work.right - work.left; }));

  Click(window, L"restorebtn");
  ASSERT_TRUE(PumpUiUntil([&] { return ::IsZoomed(window.GetHWND()) == FALSE; }));
  ::GetWindowRect(window.GetHWND(), &frame);
  EXPECT_EQ(frame.right - frame.left, 320);
  EXPECT_TRUE(maximise->IsVisible());
  EXPECT_FALSE(restore->IsVisible());
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(WindowImplBase, CreationLeavesAFramelessClippingWindowWhateverTheStyleItWasCreatedWith) {
  constexpr DWORD kCreatedWith[] = {WS_OVERLAPPEDWINDOW, WS_POPUP | WS_CAPTION, WS_POPUP | WS_SYSMENU,
                                    WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN};
  for (const DWORD style : kCreatedWith) {
    TestWindow window(kSkin);
    ASSERT_NE(window.Create(nullptr, L"vx window test", style, 0, RECT{100, 100, 420, 300}), nullptr);
    const LONG now = ::GetWindowLongW(window.GetHWND(), GWL_STYLE);
    EXPECT_EQ(now & WS_CAPTION, 0) << std::hex << style;
    EXPECT_EQ(now & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN), WS_CLIPSIBLINGS | WS_CLIPCHILDREN) << std::hex << style;
    RECT frame{};
    RECT client{};
    ::GetWindowRect(window.GetHWND(), &frame);
    ::GetClientRect(window.GetHWND(), &client);
    EXPECT_EQ(client.right, frame.right - frame.left) << "no frame is left around the client area";
    EXPECT_EQ(client.bottom, frame.bottom - frame.top);
    EXPECT_TRUE(window.CloseAndWait());
  }
}

TEST(WindowImplBase, TheTrackingSizesComeFromTheSkinAndTheWorkArea) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  MINMAXINFO info{};
  window.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 200);
  EXPECT_EQ(info.ptMinTrackSize.y, 150);
  const RECT work = WorkArea(window.GetHWND());
  EXPECT_EQ(info.ptMaxTrackSize.x, work.right - work.left);
  EXPECT_EQ(info.ptMaxTrackSize.y, work.bottom - work.top);
  window.GetManager().SetMaxInfo(640, 480);
  window.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMaxTrackSize.x, 640) << "the manager's maximum size is added afterwards";
  EXPECT_EQ(info.ptMaxTrackSize.y, 480);
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(WindowImplBase, EscapeAndTheCloseButtonCloseWithResultOne) {
  {
    TestWindow window(kSkin);
    ASSERT_TRUE(window.Open());
    ::PostMessageW(window.GetHWND(), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(PumpUiUntil([&] { return window.destroyed; }));
    EXPECT_EQ(window.closeResult, 1);
  }
  {
    TestWindow window(kSkin);
    ASSERT_TRUE(window.Open());
    ::PostMessageW(window.GetHWND(), WM_KEYDOWN, VK_RETURN, 0);
    PumpUiFor(50);
    EXPECT_FALSE(window.destroyed) << "Return goes on to the focused control";
    Click(window, L"closebtn");
    ASSERT_TRUE(PumpUiUntil([&] { return window.destroyed; }));
    EXPECT_EQ(window.closeResult, 1);
  }
}

// A window whose own table takes clicks of "one" by name and every other click.
class TableWindow : public TestWindow {
 public:
  using TestWindow::TestWindow;
  std::wstring handled;

 protected:
  const SkinUI::NotifyMap* GetNotifyMap() const override {
    static const SkinUI::NotifyMapEntry entries[] = {
        SkinUI::NotifyMapEntry::Notify(L"click", L"", &TableWindow::OnAnyClick),
        SkinUI::NotifyMapEntry::Notify(L"click", L"one", &TableWindow::OnOne),
        SkinUI::NotifyMapEntry::Params(L"custom", L"", &TableWindow::OnCustom),
        SkinUI::NotifyMapEntry::End(),
    };
    static const SkinUI::NotifyMap map{TestWindow::GetNotifyMap(), entries};
    return &map;
  }
  void OnAnyClick(SkinUI::UINotify& notify) { handled += L"any:" + std::wstring(notify.sender->GetName().GetData()); }
  void OnOne(SkinUI::UINotify&) { handled += L"one"; }
  void OnCustom(WPARAM wParam, LPARAM lParam) { handled += std::to_wstring(wParam) + L"," + std::to_wstring(lParam); }
};

TEST(WindowImplBase, HandlerTablesPreferTheSendersNameAndEndAtTheFirstTableWithAnEntry) {
  TableWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  Click(window, L"one");
  ASSERT_TRUE(PumpUiUntil([&] { return window.log.Count(L"click") == 1; }));
  EXPECT_EQ(window.handled, L"one");
  window.handled.clear();
  Click(window, L"closebtn");
  ASSERT_TRUE(PumpUiUntil([&] { return window.log.Count(L"click") == 2; }));
  PumpUiFor(50);
  EXPECT_EQ(window.handled, L"any:closebtn");
  EXPECT_FALSE(window.destroyed) << "the base table's close handling is not reached";
  window.handled.clear();
  window.GetManager().SendNotification(window.Find(L"two"), L"custom", 3, 4);
  EXPECT_EQ(window.handled, L"3,4");
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(WindowImplBase, AWindowOpenedAndClosedFiftyTimesLeavesNoGdiObjects) {
  {
    // The first window makes the process-wide fonts and pens.
    TestWindow warm(kSkin);
    ASSERT_TRUE(warm.Open());
    ASSERT_TRUE(warm.CloseAndWait());
  }
  const DWORD before = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 50; ++i) {
    TestWindow window(kSkin);
    ASSERT_TRUE(window.Open());
    window.GetManager().SetTimer(window.Find(L"rest"), 1, 10);
    const POINT point{40, 70};
    window.PostMouse(WM_MOUSEMOVE, point.x, point.y);
    PumpUiFor(15);
    ASSERT_TRUE(window.CloseAndWait());
  }
  EXPECT_EQ(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), before);
}

TEST(WindowImplBase, ASkinThatCannotBeBuiltShowsTheErrorBoxAndEndsWithCodeOne) {
  std::wstring commandLine = L"\"" + vxtest::winePath(std::wstring(L"" VX_SKIN_ERROR_WINDOW)) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(
      ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
  utility::ScopedHandle process(info.hProcess);
  utility::ScopedHandle thread(info.hThread);
  HWND box = nullptr;
  ASSERT_TRUE(PumpUiUntil([&] { return (box = ::FindWindowW(L"#32770", L"SkinUI")) != nullptr; }));
  std::wstring text;
  ::EnumChildWindows(
      box,
      [](HWND child, LPARAM data) -> BOOL {
        wchar_t buffer[2048] = {};
        ::GetWindowTextW(child, buffer, 2048);
        if (std::wstring(buffer).find(L"load resource errr.") != std::wstring::npos) {
          *reinterpret_cast<std::wstring*>(data) = buffer;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&text));
  EXPECT_EQ(text.rfind(L"load resource errr. location:", 0), 0u) << text;
  EXPECT_NE(text.find(L" msg:"), std::wstring::npos) << text;
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(PumpUiUntil([&] { return ::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; }));
  DWORD code = 0;
  ::GetExitCodeProcess(process.get(), &code);
  EXPECT_EQ(code, 1u);
}

}  // namespace
