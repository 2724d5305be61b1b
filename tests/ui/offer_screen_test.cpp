// The offers popup over a skinned owner window with our sample module:
// real windows, real ticks of the UI task queue, posted clicks.
#include "ui/sdk_api_impl.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "app/ui_task_queue.h"
#include "skinui/core/resources/lang_text.h"
#include "skinui/core/resources/resources.h"
#include "tests/common/log_capture.h"
#include "tests/skinui/core/window_test_support.h"
#include "tests/ui/offer_test_support.h"
#include "ui/sdk_wrapper.h"

namespace {

using vxtest::ReceivedCommand;
using vxtest::Utf16Bytes;

// The main window's size, so the popup is 656 x 396.
constexpr wchar_t kOwnerSkin[] =
    LR"(<Window size="688,458"><VerticalLayout name="root" bkcolor="#FF204080"/></Window>)";

std::wstring Decimal(HWND window) { return std::to_wstring(static_cast<int>(reinterpret_cast<INT_PTR>(window))); }

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

RECT RectOf(HWND window) {
  RECT area{};
  ::GetWindowRect(window, &area);
  return area;
}

// An offer screen over its own bridge, owner window and script.
class OfferScreen {
 public:
  explicit OfferScreen(const wchar_t* answers, int archive = SDKWrapper::kArchiveId)
      : script(answers), wrapper(nullptr, archive), owner(kOwnerSkin), impl(wrapper, Settings()) {
    impl.onOffersFinished = [this] { ++finished; };
    impl.onOfferCloseRequest = [this](bool flag) { closeRequests.push_back(flag); };
  }
  ~OfferScreen() {
    impl.releaseDLL();
    owner.CloseAndWait();
  }

  // Starts the module on a thread of its own, as at start-up, then opens
  // the owner and the popup over it.
  bool Open() {
    std::thread([this] { impl.init(); }).join();
    if (!impl.ready() || !owner.Open(L"vx offer owner", 40, 40)) return false;
    // The window manager raises the new owner a moment after it appears.
    vxtest::PumpUiFor(300);
    impl.showADWindow(owner.GetHWND());
    return popup() != nullptr;
  }
  // Pumps until the first tick has shown the buttons or ended the screen.
  bool WaitForFirstTick() {
    return vxtest::PumpUiUntil([this] { return ::IsWindowVisible(impl.popup().acceptButton()) || finished > 0; });
  }
  // Posts a left button press to window and pumps until done.
  bool Press(HWND window, const std::function<bool()>& done) {
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    return vxtest::PumpUiUntil(done);
  }
  int Count(const std::wstring& event) const {
    int count = 0;
    for (const std::wstring& seen : events) count += seen == event ? 1 : 0;
    return count;
  }
  HWND popup() const { return impl.popup().popup(); }

  vxtest::OfferScript script;
  SDKWrapper wrapper;
  vxtest::TestWindow owner;
  SDKAPIImpl impl;
  std::vector<std::wstring> events;
  int finished = 0;
  std::vector<bool> closeRequests;

 private:
  OfferSettings Settings() {
    OfferSettings settings;
    settings.instance = ::GetModuleHandleW(nullptr);
    settings.channelId = [] { return std::wstring(L"1200"); };
    settings.report = [this](const std::wstring& name, const std::wstring& label) {
      events.push_back(name + L":" + label);
    };
    return settings;
  }
};

class OfferScreenTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { utility::UITaskQueue::create(); }
};

struct ChildCase {
  HWND window;
  const wchar_t* className;
  RECT place;  // relative to the popup
  bool visible;
};

TEST_F(OfferScreenTest, ThePopupLiesOverTheOwnerWithItsWindowsInPlace) {
  OfferScreen screen(L"");
  ASSERT_TRUE(screen.Open());
  const offer::OfferPopup& popup = screen.impl.popup();
  const RECT owner = RectOf(screen.owner.GetHWND());
  const RECT frame = RectOf(screen.popup());
  EXPECT_EQ(ClassOf(screen.popup()), L"Installer Main Window");
  EXPECT_EQ(::GetWindow(screen.popup(), GW_OWNER), screen.owner.GetHWND());
  EXPECT_EQ(frame.left - owner.left, 16);
  EXPECT_EQ(frame.top - owner.top, 16);
  EXPECT_EQ(frame.right - frame.left, 656);
  EXPECT_EQ(frame.bottom - frame.top, 396);
  EXPECT_TRUE(::IsWindowVisible(screen.popup()));
  const ChildCase children[] = {
      {popup.acceptButton(), L"Install_Accept", {210, 338, 306, 368}, false},
      {popup.declineButton(), L"Install_reject", {350, 338, 446, 368}, false},
      {popup.closeButton(), L"Install_Close", {630, 14, 642, 26}, true},
      {popup.title(), L"Installer_main_title", {85, 40, 305, 64}, true},
      {popup.host(), L"Install_ad_parent", {85, 80, 571, 324}, true},
  };
  for (const ChildCase& c : children) {
    const RECT place = RectOf(c.window);
    EXPECT_EQ(ClassOf(c.window), c.className);
    EXPECT_EQ(place.left - frame.left, c.place.left) << c.className;
    EXPECT_EQ(place.top - frame.top, c.place.top) << c.className;
    EXPECT_EQ(place.right - frame.left, c.place.right) << c.className;
    EXPECT_EQ(place.bottom - frame.top, c.place.bottom) << c.className;
    EXPECT_EQ(::IsWindowVisible(c.window) != FALSE, c.visible) << c.className;
  }
  // Dragging anywhere but on a button moves the popup.
  EXPECT_EQ(::SendMessageW(screen.popup(), WM_NCHITTEST, 0, MAKELPARAM(frame.left + 5, frame.top + 5)), HTCAPTION);
  EXPECT_EQ(::SendMessageW(popup.title(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
}

TEST_F(OfferScreenTest, TheFirstTickGivesTheModuleItsWindowAndButtonsAndShowsThem) {
  OfferScreen screen(L"");
  ASSERT_TRUE(screen.Open());
  ASSERT_TRUE(screen.WaitForFirstTick());
  const offer::OfferPopup& popup = screen.impl.popup();
  EXPECT_TRUE(::IsWindowVisible(popup.acceptButton()));
  EXPECT_TRUE(::IsWindowVisible(popup.declineButton()));
  EXPECT_EQ(screen.wrapper.moduleStatus(), SDKWrapper::kStatusButtonsGiven);
  const std::vector<ReceivedCommand> expected = {
      {1, Utf16Bytes(LR"({"local":"en","channel":"buy"})")},
      {2, Utf16Bytes(LR"({"blocking":"true"})")},
      {3, Utf16Bytes(L"{\"wnd\":\"" + Decimal(popup.host()) +
                     LR"(", "backgroundColor":"#FF0e0e0e", "x":"0", "y":"0", "width":"486", "height":"214"})")},
      {4, Utf16Bytes(L"{\"acceptBtnWnd\":\"" + Decimal(popup.acceptButton()) + L"\", \"declineBtnWnd\":\"" +
                     Decimal(popup.declineButton()) + L"\"}")},
  };
  EXPECT_EQ(screen.script.Received(), expected);
  EXPECT_EQ(screen.events, (std::vector<std::wstring>{L"ad_iron_show:1200"}));
  // Later ticks send nothing more.
  vxtest::PumpUiFor(1200);
  EXPECT_EQ(screen.script.Received().size(), 4u);
}

TEST_F(OfferScreenTest, AcceptEndsTheScreenWhenTheModuleAnswersZero) {
  vxtest::LogCapture log;
  OfferScreen screen(L"");
  ASSERT_TRUE(screen.Open());
  ASSERT_TRUE(screen.WaitForFirstTick());
  EXPECT_TRUE(log.has("SDKAPIImpl::showADWindow", L"start time 100"));
  EXPECT_TRUE(log.has("SDKAPIImpl::onTick", L"time comming"));
  ASSERT_TRUE(screen.Press(screen.impl.popup().acceptButton(), [&] { return screen.finished > 0; }));
  EXPECT_EQ(screen.popup(), nullptr);
  EXPECT_EQ(screen.finished, 1);
  EXPECT_EQ(screen.wrapper.moduleStatus(), SDKWrapper::kStatusScreenOver);
  EXPECT_EQ(screen.Count(L"ad_iron_accept:1200"), 1);
  screen.impl.installOffers();
  EXPECT_EQ(screen.wrapper.moduleStatus(), SDKWrapper::kStatusInstalling);
  const std::wstring folder = screen.wrapper.setupDirectory();
  screen.impl.releaseDLL();
  EXPECT_TRUE(screen.impl.released());
  EXPECT_TRUE(log.has("SDKAPIImpl::releaseDLL", L"release dll end"));
  EXPECT_FALSE(std::filesystem::exists(folder));
  EXPECT_EQ(screen.script.Numbers(), (std::vector<int>{1, 2, 3, 4, 5, 7, 9}));
  EXPECT_EQ(screen.script.Received().back().textBytes, "");
}

TEST_F(OfferScreenTest, ADeclineAnsweredNonZeroKeepsThePopupForTheNextOffer) {
  OfferScreen screen(L"6=1");
  ASSERT_TRUE(screen.Open());
  ASSERT_TRUE(screen.WaitForFirstTick());
  HWND decline = screen.impl.popup().declineButton();
  for (int click = 1; click <= 2; ++click) {
    ASSERT_TRUE(screen.Press(decline, [&] { return screen.Count(L"ad_iron_reject:1200") == click; }));
  }
  EXPECT_EQ(screen.finished, 0);
  EXPECT_TRUE(::IsWindowVisible(screen.popup()));
  EXPECT_TRUE(::IsWindowVisible(screen.impl.popup().acceptButton()));
  EXPECT_TRUE(::IsWindowVisible(decline));
  EXPECT_EQ(screen.script.Numbers(), (std::vector<int>{1, 2, 3, 4, 6, 6}));
}

TEST_F(OfferScreenTest, ARefusedCommandFourClosesThePopupOnTheFirstTick) {
  OfferScreen screen(L"4=0");
  ASSERT_TRUE(screen.Open());
  ASSERT_TRUE(screen.WaitForFirstTick());
  EXPECT_EQ(screen.finished, 1);
  EXPECT_EQ(screen.popup(), nullptr);
  EXPECT_TRUE(screen.events.empty());
  EXPECT_EQ(screen.script.Numbers(), (std::vector<int>{1, 2, 3, 4}));
}

struct DeadModuleCase {
  const char* name;
  const wchar_t* answers;
  int archive;
  std::vector<int> received;
};

TEST_F(OfferScreenTest, AModuleThatDidNotStartOpensAPopupThatClosesAtOnce) {
  const DeadModuleCase cases[] = {
      {"refuses command 1", L"1=0", SDKWrapper::kArchiveId, {1}},
      {"lacks InvokeW", L"", 135, {}},
  };
  for (const DeadModuleCase& c : cases) {
    OfferScreen screen(c.answers, c.archive);
    ASSERT_TRUE(screen.Open()) << c.name;
    EXPECT_TRUE(screen.impl.available()) << c.name;
    ASSERT_TRUE(screen.WaitForFirstTick()) << c.name;
    EXPECT_EQ(screen.popup(), nullptr) << c.name;
    EXPECT_EQ(screen.finished, 1) << c.name;
    const std::wstring folder = screen.wrapper.setupDirectory();
    screen.impl.releaseDLL();
    EXPECT_EQ(screen.script.Numbers(), c.received) << c.name;
    EXPECT_FALSE(std::filesystem::exists(folder)) << c.name;
  }
}

TEST_F(OfferScreenTest, CloseAsksTheOwnerAndALaterAcceptSendsNothing) {
  OfferScreen screen(L"");
  ASSERT_TRUE(screen.Open());
  ASSERT_TRUE(screen.WaitForFirstTick());
  ASSERT_TRUE(screen.Press(screen.impl.popup().closeButton(), [&] { return !screen.closeRequests.empty(); }));
  EXPECT_EQ(screen.closeRequests, (std::vector<bool>{false}));
  EXPECT_EQ(screen.wrapper.moduleState(), SDKWrapper::kStateUserClosed);
  EXPECT_EQ(screen.Count(L"ad_iron_close:1200"), 1);
  // The answer No leaves the popup up.
  EXPECT_TRUE(::IsWindowVisible(screen.popup()));
  ASSERT_TRUE(screen.Press(screen.impl.popup().acceptButton(), [&] { return screen.finished > 0; }));
  EXPECT_EQ(screen.popup(), nullptr);
  screen.impl.releaseDLL();
  const std::vector<ReceivedCommand> received = screen.script.Received();
  ASSERT_EQ(received.size(), 5u);
  EXPECT_EQ(received[4], (ReceivedCommand{9, Utf16Bytes(LR"({"force":"true"})")}));
}

TEST_F(OfferScreenTest, CloseForExitHidesPopupAndOwnerAndEndsTheScreen) {
  OfferScreen screen(L"");
  ASSERT_TRUE(screen.Open());
  ASSERT_TRUE(screen.WaitForFirstTick());
  screen.impl.closeForExit();
  EXPECT_FALSE(::IsWindowVisible(screen.popup()));
  EXPECT_FALSE(::IsWindowVisible(screen.owner.GetHWND()));
  EXPECT_EQ(screen.finished, 1);
}

TEST_F(OfferScreenTest, MovingThePopupMovesTheOwnerWithIt) {
  OfferScreen screen(L"");
  ASSERT_TRUE(screen.Open());
  const RECT before = RectOf(screen.popup());
  ::SetWindowPos(screen.popup(), nullptr, before.left + 37, before.top + 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  const RECT frame = RectOf(screen.popup());
  const RECT owner = RectOf(screen.owner.GetHWND());
  EXPECT_EQ(frame.left, before.left + 37);
  EXPECT_EQ(owner.left, frame.left - 16);
  EXPECT_EQ(owner.top, frame.top - 16);
  EXPECT_EQ(owner.right, frame.right + 16);
  EXPECT_EQ(owner.bottom, frame.bottom + 46);
}

TEST_F(OfferScreenTest, DraggingThePopupWithTheMouseMovesTheOwnerWithIt) {
  OfferScreen screen(L"");
  ASSERT_TRUE(screen.Open());
  const RECT before = RectOf(screen.owner.GetHWND());
  // Down on the popup's frame, a move and up, from the display's pointer.
  ASSERT_TRUE(vxtest::StartHostProgram(
      L"/usr/bin/xdotool",
      L"search --sync --name \"^Installer Main Window$\" windowraise mousemove --sync --window %1 "
      L"40 200 mousedown 1 sleep 0.3 mousemove_relative --sync 60 40 sleep 0.3 mouseup 1"));
  ASSERT_TRUE(vxtest::PumpUiUntil([&] { return RectOf(screen.owner.GetHWND()).left != before.left; }));
  vxtest::PumpUiFor(500);
  const RECT frame = RectOf(screen.popup());
  const RECT owner = RectOf(screen.owner.GetHWND());
  // The test display's window manager runs the move itself and now and then
  // lands it far from the pointer, so only that it moved is certain; the
  // owner must sit exactly around the popup wherever it went.
  EXPECT_EQ(owner.left, frame.left - 16);
  EXPECT_EQ(owner.top, frame.top - 16);
  EXPECT_EQ(owner.right, frame.right + 16);
  EXPECT_EQ(owner.bottom, frame.bottom + 46);
}

// The popup's title and buttons in the program's own language table.
TEST_F(OfferScreenTest, ScreenshotsShowTheFrameTheButtonsAndTheSampleOfferInThreeLanguages) {
  for (const wchar_t* language : {L"en_US", L"ko_KR", L"ar_IL"}) {
    SCOPED_TRACE(testing::Message() << std::wstring(language));
    SkinUI::SetModuleHandle(::GetModuleHandleW(nullptr));
    SkinUI::SetLanguage(language, L"en_US");
    SkinUI::SetSkinDirectory(L"");
    SkinUI::LoadSkinPackage(129, L"language.tsv");
    ASSERT_NE(std::wstring(SkinUI::LangText("additional_software")), L"additional_software") << "the table is loaded";
    OfferScreen screen(L"");
    ASSERT_TRUE(screen.Open());
    ASSERT_TRUE(screen.WaitForFirstTick());
    // Windows keeps an owned popup above its owner; the window manager of the
    // test display raises the owner over it once the owner is mapped, so the
    // popup is raised on the display for the picture.
    ASSERT_TRUE(
        vxtest::StartHostProgram(L"/usr/bin/xdotool", L"search --sync --name \"^Installer Main Window$\" windowraise"));
    vxtest::PumpUiFor(800);
    vxtest::Screenshot shot;
    const std::string file = VX_SCREENSHOT_DIR "/offer_popup_" + std::string(language, language + 5) + ".ppm";
    ASSERT_TRUE(vxtest::CaptureScreen(file, &shot));
    const RECT frame = RectOf(screen.popup());
    auto at = [&](int x, int y) { return shot.At(frame.left + x, frame.top + y); };
    EXPECT_EQ(at(40, 200), 0x1E1E1Eu);   // the frame bitmap
    EXPECT_EQ(at(212, 340), 0xF4C51Cu);  // the Accept face
    EXPECT_EQ(at(352, 366), 0xF4C51Cu);  // the Decline face
    EXPECT_EQ(at(90, 318), 0x0F0F0Fu);   // the host area below the module's part
    EXPECT_EQ(at(560, 280), 0x0E0E0Eu);  // the module's own background
  }
}

}  // namespace
