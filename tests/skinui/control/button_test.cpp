#include "skinui/control/button_ui.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skinui/core/window/manager_ui.h"
#include "tests/skinui/control/control_test_support.h"

namespace {

using SkinUI::CButtonUI;
using SkinUI::kFadeTimerId;
using vxtest::Centre;
using vxtest::PumpUiFor;
using vxtest::PumpUiUntil;
using vxtest::Surface;
using vxtest::TestWindow;

constexpr uint32_t kRed = 0xFFE02020;
constexpr uint32_t kGreen = 0xFF20C020;
constexpr uint32_t kBlue = 0xFF2020E0;
constexpr uint32_t kGrey = 0xFF808080;

// A 400 x 120 window: a row of five 80 x 60 buttons (state images, state
// colours, a fading hover, a keyboard button with the hand cursor, a
// four-frame strip) above a box that takes the mouse away from them.
class ButtonWindow {
 public:
  ButtonWindow() : window(Skin()) {}

  CButtonUI* Button(const wchar_t* name) { return static_cast<CButtonUI*>(window.Find(name)); }
  // The colour at the centre of the button named name, painted now.
  uint32_t PaintedAt(const wchar_t* name) {
    Surface surface(400, 120, 0xFF000000);
    vxtest::PrintWindow(window, surface);
    const POINT at = Centre(Button(name));
    return surface.At(at.x, at.y) | 0xFF000000;
  }
  void PostAt(const wchar_t* name, UINT message, WPARAM keys = 0) {
    const POINT at = Centre(window.Find(name));
    window.PostMouse(message, at.x, at.y, keys);
  }

  vxtest::ImageFolder images;
  TestWindow window;

 private:
  std::wstring Skin() {
    const std::wstring red = vxtest::SolidImage(images, L"red", 8, 8, kRed);
    const std::wstring green = vxtest::SolidImage(images, L"green", 8, 8, kGreen);
    const std::wstring blue = vxtest::SolidImage(images, L"blue", 8, 8, kBlue);
    // The standard strip: normal, hot, pushed and disabled frames side by side.
    std::vector<uint32_t> strip;
    for (int y = 0; y < 8; ++y) {
      for (uint32_t frame : {kRed, kGreen, kBlue, kGrey}) strip.insert(strip.end(), 8, frame);
    }
    const std::wstring standard = L"file='" + images.Write(L"strip", 32, 8, strip) + L"'";
    return LR"(<Window size="400,120"><VerticalLayout name="root" bkcolor="#FFFFFFFF">
      <HorizontalLayout height="60">
        <Button name="img" width="80" normalimage=")" +
           red + LR"(" hotimage=")" + green + LR"(" pushedimage=")" + blue +
           LR"("/>
        <Button name="col" width="80" hotbkcolor="#FF20C020" pushbkcolor="#FF2020E0" disabledbkcolor="#FF808080"/>
        <Button name="fade" width="80" fadedelta="51" normalimage=")" +
           red + LR"(" hotimage=")" + green +
           LR"("/>
        <Button name="plain" width="80" keyboard="true" showcursor="true" text="Go"/>
        <Button name="std" width="80" standardimage=")" +
           standard +
           LR"("/>
      </HorizontalLayout>
      <Control name="rest"/>
    </VerticalLayout></Window>)";
  }
};

TEST(Button, APressAndReleaseInsideClicksOnceAndAReleaseOutsideDoesNot) {
  ButtonWindow w;
  ASSERT_TRUE(w.window.Open());
  ASSERT_TRUE(vxtest::ClickAt(w.window, L"plain", 1));
  EXPECT_EQ(w.window.log.notifications.back(), L"click:plain:0:0");
  EXPECT_EQ(w.Button(L"plain")->GetButtonState() & (SkinUI::kStatePushed | SkinUI::kStateCaptured), 0u);

  w.PostAt(L"plain", WM_LBUTTONDOWN, MK_LBUTTON);
  ASSERT_TRUE(PumpUiUntil([&] { return (w.Button(L"plain")->GetButtonState() & SkinUI::kStatePushed) != 0; }));
  w.PostAt(L"rest", WM_MOUSEMOVE, MK_LBUTTON);
  ASSERT_TRUE(PumpUiUntil([&] { return (w.Button(L"plain")->GetButtonState() & SkinUI::kStatePushed) == 0; }))
      << "pushed follows the mouse while captured";
  w.PostAt(L"rest", WM_LBUTTONUP);
  ASSERT_TRUE(PumpUiUntil([&] { return (w.Button(L"plain")->GetButtonState() & SkinUI::kStateCaptured) == 0; }));
  PumpUiFor(50);
  EXPECT_EQ(w.window.log.Count(L"click"), 1);

  w.Button(L"plain")->SetEnabled(false);
  w.PostAt(L"plain", WM_LBUTTONDOWN, MK_LBUTTON);
  w.PostAt(L"plain", WM_LBUTTONUP);
  PumpUiFor(100);
  EXPECT_EQ(w.window.log.Count(L"click"), 1) << "a disabled button does not click";
  EXPECT_TRUE(w.window.CloseAndWait());
}

TEST(Button, SpaceAndReturnClickAKeyboardEnabledButton) {
  struct Case {
    WPARAM key;
    bool keyboard;
    int clicks;
  } cases[] = {{VK_SPACE, true, 1}, {VK_RETURN, true, 1}, {'A', true, 0}, {VK_SPACE, false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.key << " keyboard " << c.keyboard);
    ButtonWindow w;
    ASSERT_TRUE(w.window.Open());
    CButtonUI* button = w.Button(L"plain");
    button->SetKeyboardEnabled(c.keyboard);
    w.window.GetManager().SetFocus(button);
    ASSERT_EQ(w.window.GetManager().GetFocus(), button);
    w.window.PostMessage(WM_KEYDOWN, c.key, 1);
    w.window.PostMessage(WM_KEYUP, c.key, 0xC0000001);
    PumpUiFor(150);
    EXPECT_EQ(w.window.log.Count(L"click"), c.clicks);
    EXPECT_TRUE(w.window.CloseAndWait());
  }
}

TEST(Button, StateImagesAndColoursFollowHoverAndPress) {
  struct Case {
    const wchar_t* button;
    uint32_t normal;
    uint32_t hot;
    uint32_t pushed;
  } cases[] = {{L"img", kRed, kGreen, kBlue}, {L"col", 0xFFFFFFFF, kGreen, kBlue}, {L"std", kRed, kGreen, kBlue}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.button));
    ButtonWindow w;
    ASSERT_TRUE(w.window.Open());
    EXPECT_EQ(w.PaintedAt(c.button), c.normal) << vxtest::Hex(w.PaintedAt(c.button));
    ASSERT_TRUE(vxtest::HoverOver(w.window, c.button));
    EXPECT_NE(w.Button(c.button)->GetButtonState() & SkinUI::kStateHot, 0u);
    EXPECT_EQ(w.PaintedAt(c.button), c.hot) << vxtest::Hex(w.PaintedAt(c.button));
    w.PostAt(c.button, WM_LBUTTONDOWN, MK_LBUTTON);
    ASSERT_TRUE(PumpUiUntil([&] { return (w.Button(c.button)->GetButtonState() & SkinUI::kStatePushed) != 0; }));
    EXPECT_EQ(w.PaintedAt(c.button), c.pushed) << vxtest::Hex(w.PaintedAt(c.button));
    w.PostAt(c.button, WM_LBUTTONUP);
    ASSERT_TRUE(PumpUiUntil([&] { return w.window.log.Count(L"click") == 1; }));
    ASSERT_TRUE(vxtest::HoverOver(w.window, L"rest"));
    EXPECT_EQ(w.Button(c.button)->GetButtonState() & SkinUI::kStateHot, 0u);
    EXPECT_EQ(w.PaintedAt(c.button), c.normal) << vxtest::Hex(w.PaintedAt(c.button));
    EXPECT_TRUE(w.window.CloseAndWait());
  }
}

TEST(Button, ADisabledButtonShowsItsDisabledColourOrFrame) {
  ButtonWindow w;
  ASSERT_TRUE(w.window.Open());
  for (const wchar_t* name : {L"col", L"std"}) {
    w.Button(name)->SetEnabled(false);
    EXPECT_EQ(w.PaintedAt(name), kGrey) << std::wstring(name) << " " << vxtest::Hex(w.PaintedAt(name));
  }
  EXPECT_TRUE(w.window.CloseAndWait());
}

TEST(Button, OnlyAButtonWithAFadeDeltaStartsTheFadeTimer) {
  struct Case {
    const wchar_t* button;
    bool timer;
  } cases[] = {{L"img", false}, {L"col", false}, {L"fade", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.button));
    ButtonWindow w;
    ASSERT_TRUE(w.window.Open());
    ASSERT_TRUE(vxtest::HoverOver(w.window, c.button));
    // KillTimer is true only for a running timer.
    EXPECT_EQ(w.window.GetManager().KillTimer(w.Button(c.button), kFadeTimerId), c.timer);
    ASSERT_TRUE(vxtest::HoverOver(w.window, L"rest"));
    EXPECT_EQ(w.window.GetManager().KillTimer(w.Button(c.button), kFadeTimerId), c.timer);
    EXPECT_TRUE(w.window.CloseAndWait());
  }
}

TEST(Button, AFadingHoverReachesItsEndStatesAndStopsItsTimer) {
  ButtonWindow w;
  ASSERT_TRUE(w.window.Open());
  CButtonUI* fade = w.Button(L"fade");
  EXPECT_EQ(fade->GetFadeAlpha(), 255);
  EXPECT_EQ(w.PaintedAt(L"fade"), kRed);
  ASSERT_TRUE(vxtest::HoverOver(w.window, L"fade"));
  ASSERT_TRUE(PumpUiUntil([&] { return fade->GetFadeAlpha() == 0; }));
  EXPECT_FALSE(w.window.GetManager().KillTimer(fade, kFadeTimerId)) << "the timer stopped at the end";
  EXPECT_EQ(w.PaintedAt(L"fade"), kGreen) << vxtest::Hex(w.PaintedAt(L"fade"));
  ASSERT_TRUE(vxtest::HoverOver(w.window, L"rest"));
  ASSERT_TRUE(PumpUiUntil([&] { return fade->GetFadeAlpha() == 255; }));
  EXPECT_FALSE(w.window.GetManager().KillTimer(fade, kFadeTimerId));
  EXPECT_EQ(w.PaintedAt(L"fade"), kRed) << vxtest::Hex(w.PaintedAt(L"fade"));
  EXPECT_TRUE(w.window.CloseAndWait());
}

TEST(Button, RightButtonAndDoubleClickNotify) {
  ButtonWindow w;
  ASSERT_TRUE(w.window.Open());
  w.PostAt(L"plain", WM_RBUTTONDOWN, MK_RBUTTON);
  ASSERT_TRUE(PumpUiUntil([&] { return w.window.log.Count(L"rightbuttondown") == 1; }));
  EXPECT_EQ(w.window.log.notifications.back(), L"rightbuttondown:plain:0:0");
  w.PostAt(L"plain", WM_RBUTTONUP);
  w.PostAt(L"plain", WM_LBUTTONDBLCLK, MK_LBUTTON);
  ASSERT_TRUE(PumpUiUntil([&] { return w.window.log.Count(L"doubblebuttonclick") == 1; }));
  EXPECT_EQ(w.window.log.notifications.back(), L"doubblebuttonclick:plain:0:0");
  EXPECT_NE(w.Button(L"plain")->GetButtonState() & SkinUI::kStatePushed, 0u);
  w.PostAt(L"plain", WM_LBUTTONUP);
  ASSERT_TRUE(PumpUiUntil([&] { return w.window.log.Count(L"click") == 1; }));
  EXPECT_TRUE(w.window.CloseAndWait());
}

TEST(Button, TheHandCursorShowsOverAButtonThatAsksForIt) {
  struct Case {
    const wchar_t* button;
    bool hand;
  } cases[] = {{L"plain", true}, {L"img", false}};
  const HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.button));
    ButtonWindow w;
    ASSERT_TRUE(w.window.Open(L"vx button cursor"));
    EXPECT_EQ((w.Button(c.button)->GetInputFlags() & SkinUI::kInputSetCursor) != 0, c.hand);
    ASSERT_TRUE(vxtest::HoverOver(w.window, c.button));
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    w.window.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(w.window.GetHWND()),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor() == hand, c.hand);
    EXPECT_TRUE(w.window.CloseAndWait());
  }
}

TEST(Button, InputFlagsFollowKeyboardEnabledAndTheHandCursor) {
  struct Case {
    bool keyboard;
    bool enabled;
    bool cursor;
    uint32_t flags;
  } cases[] = {
      {false, true, false, 0},
      {true, true, false, SkinUI::kInputTabStop},
      {false, true, true, SkinUI::kInputSetCursor},
      {true, false, true, SkinUI::kInputTabStop},
      {true, true, true, SkinUI::kInputTabStop | SkinUI::kInputSetCursor},
  };
  for (const Case& c : cases) {
    CButtonUI button;
    button.SetKeyboardEnabled(c.keyboard);
    button.SetEnabled(c.enabled);
    button.SetShowCursor(c.cursor);
    EXPECT_EQ(button.GetInputFlags(), c.flags) << c.keyboard << c.enabled << c.cursor;
  }
}

TEST(Button, FormattedMultiLineTextIsSplitIntoLinesCentredAsABlock) {
  TestWindow window(
      LR"(<Window size="120,60"><VerticalLayout bkcolor="#FFFFFFFF">
    <Button name="b" height="60" showhtml="true" drawmulline="true" text="<c #FF000000>HHH</c><n><c #FF000000>HHH</c>"/>
    </VerticalLayout></Window>)");
  ASSERT_TRUE(window.Open());
  Surface surface(120, 60);
  vxtest::PrintWindow(window, surface);
  // Two lines 14 high and 18 apart, the first at (60 - 2 x 18 + 4) / 2 = 14.
  std::vector<int> inkRows;
  for (int y = 0; y < 60; ++y) {
    bool ink = false;
    for (int x = 0; x < 120 && !ink; ++x) ink = (surface.At(x, y) & 0xFFFFFF) != 0xFFFFFF;
    if (ink) inkRows.push_back(y);
  }
  ASSERT_FALSE(inkRows.empty());
  EXPECT_GE(inkRows.front(), 14);
  EXPECT_LT(inkRows.back(), 32 + 14);
  std::vector<int> bandTops{inkRows.front()};
  for (size_t i = 1; i < inkRows.size(); ++i) {
    if (inkRows[i] - inkRows[i - 1] > 1) bandTops.push_back(inkRows[i]);
  }
  ASSERT_EQ(bandTops.size(), 2u);
  // The formatted text's own line break would put the lines one font height apart.
  ASSERT_NE(window.GetManager().GetFontInfo(-1)->metrics.tmHeight, 18);
  EXPECT_EQ(bandTops[1] - bandTops[0], 18);
  EXPECT_TRUE(window.CloseAndWait());
}

}  // namespace
