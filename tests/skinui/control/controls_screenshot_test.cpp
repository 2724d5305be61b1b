// A window of every basic control, captured from the X screen.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "skinui/control/option_ui.h"
#include "skinui/control/progress_ui.h"
#include "tests/skinui/control/control_test_support.h"

namespace {

using vxtest::TestWindow;

constexpr wchar_t kSkin[] =
    LR"(<Window size="360,220">
<Font id="0" name="Tahoma" size="18" bold="true"/>
<VerticalLayout name="root" bkcolor="#FFF0F0F0">
  <Label name="title" height="40" font="0" text="Basic controls" textcolor="#FF203060" align="center"/>
  <HorizontalLayout height="40">
    <Button name="ok" width="110" text="Install" textcolor="#FFFFFFFF" bkcolor="#FF2A7F2A" padding="10,5,0,5"/>
    <Button name="cancel" width="110" text="Cancel" bkcolor="#FFD0D0D0" bordersize="1" bordercolor="#FF606060" padding="10,5,0,5"/>
    <Label name="fx" width="120" text="Glow" font="0" textcolor="#FFFFFFFF" enabledeffect="true" enabledstroke="true" strokecolor="#FF000080" align="center"/>
  </HorizontalLayout>
  <HorizontalLayout height="40">
    <Option name="o1" width="110" group="g" text="Fast" selectedbkcolor="#FFB0D0FF" padding="10,5,0,5"/>
    <Option name="o2" width="110" group="g" text="Custom" selectedbkcolor="#FFB0D0FF" padding="10,5,0,5"/>
    <CheckBox name="cb" width="120" text="Accept" selectedbkcolor="#FFFFE080" padding="10,5,0,5"/>
  </HorizontalLayout>
  <Progress name="bar" height="16" bkcolor="#FFFFFFFF" forecolor="#FF3080E0" value="60" padding="10,10,10,0"/>
  <Text name="link" height="40" showhtml="true" text="Read the <a terms>terms</a> first" padding="10,0,0,0"/>
</VerticalLayout></Window>)";

TEST(ControlsScreenshot, AWindowOfTheBasicControlsShowsThemOnScreen) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open(L"vx basic controls", 240, 200));
  static_cast<SkinUI::COptionUI*>(window.Find(L"o1"))->SetSelected(true);
  static_cast<SkinUI::COptionUI*>(window.Find(L"cb"))->SetSelected(true);
  vxtest::PumpUiFor(200);
  vxtest::Screenshot shot;
  ASSERT_TRUE(vxtest::CaptureScreen(VX_SCREENSHOT_DIR "/basic_controls.ppm", &shot));
  RECT frame{};
  ::GetWindowRect(window.GetHWND(), &frame);
  struct Probe {
    const wchar_t* control;
    int dx;  // from the control's left edge
    uint32_t rgb;
  } probes[] = {
      {L"ok", 3, 0x2A7F2A}, {L"cancel", 3, 0xD0D0D0}, {L"o1", 3, 0xB0D0FF},    {L"o2", 3, 0xF0F0F0},
      {L"cb", 3, 0xFFE080}, {L"bar", 3, 0x3080E0},    {L"bar", 330, 0xFFFFFF},
  };
  for (const Probe& probe : probes) {
    SCOPED_TRACE(testing::Message() << std::wstring(probe.control) << " +" << probe.dx);
    const RECT& bounds = window.Find(probe.control)->GetBounds();
    const int x = frame.left + bounds.left + probe.dx;
    const int y = frame.top + (bounds.top + bounds.bottom) / 2;
    ASSERT_LT(x, shot.width);
    ASSERT_LT(y, shot.height);
    EXPECT_EQ(shot.At(x, y), probe.rgb) << vxtest::Hex(shot.At(x, y));
  }
  EXPECT_TRUE(window.CloseAndWait());
}

}  // namespace
