// A gallery of every control the skins use, in one window on the installer's
// dark colours, captured from the X screen: the screenshot shows how they
// look together, and probes check that each one painted where it stands.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "skinui/control/gif_anim_ui.h"
#include "skinui/control/option_ui.h"
#include "tests/common/temp_dir.h"
#include "tests/skinui/control/control_test_support.h"
#include "tests/skinui/control/gif_test_file.h"

namespace {

using vxtest::TestWindow;

constexpr uint32_t kAccent = 0x2F80ED;
constexpr uint32_t kPanel = 0x2A3245;
constexpr uint32_t kField = 0xF4F6FA;
constexpr uint32_t kDone = 0x27AE60;

std::wstring GallerySkin(const std::wstring& gif) {
  return LR"(<Window size="560,470" defaultfontcolor="#FFE6EAF2" linkfontcolor="#FF8FB8FF" linkhoverfontcolor="#FFB8D2FF">
<Font id="0" name="Tahoma" size="13" default="true"/>
<Font id="1" name="Tahoma" size="24" bold="true"/>
<Font id="2" name="Tahoma" size="13" bold="true"/>
<VerticalLayout name="root" bkcolor="#FF161B2B" bkcolor2="#FF0E1220" inset="24,16,24,16" childpadding="10">
  <HorizontalLayout height="44" childvalign="vcenter">
    <Label name="heading" font="1" text="Control gallery" textcolor="#FFFFFFFF" textcolor1="#FF8FB8FF"
      enabledeffect="true" enabledshadow="true" shadowoffset="2,45" textshadowcolora="#C0000000"
      textshadowcolorb="#C0000000"/>
    <GifAnim name="gif" width="32" height="32" padding="12,0,0,0" autoplay="false" bkimage=")" +
         gif +
         LR"("/>
  </HorizontalLayout>
  <Label name="label" height="20" textcolor="#FFB8C2D6" endellipsis="true"
    text="A label: plain text in the window's font, cut with an ellipsis when it does not fit the room it has"/>
  <Text name="text" height="20" showhtml="true" text="A text with a &lt;a terms&gt;link to the licence terms&lt;/a&gt; and &lt;b&gt;bold&lt;/b&gt; words."/>
  <HorizontalLayout height="34" childpadding="12">
    <Button name="primary" width="130" text="Install" font="2" align="center" textcolor="#FFFFFFFF"
      bkcolor="#FF2F80ED" hotbkcolor="#FF4A93F0" pushbkcolor="#FF1F63C4"/>
    <Button name="secondary" width="130" text="Cancel" align="center" bkcolor="#FF2A3245"
      hotbkcolor="#FF343D54" bordersize="1" bordercolor="#FF44506A"/>
    <Button name="disabled" width="130" text="Unavailable" align="center" enabled="false"
      bkcolor="#FF2A3245" disabledbkcolor="#FF1E2434" disabledtextcolor="#FF5A6478"/>
  </HorizontalLayout>
  <HorizontalLayout height="28" childpadding="12">
    <Option name="fast" width="130" group="mode" text="Quick setup" align="center" bkcolor="#FF2A3245"
      selectedbkcolor="#FF2F80ED" selectedtextcolor="#FFFFFFFF"/>
    <Option name="custom" width="130" group="mode" text="Custom setup" align="center" bkcolor="#FF2A3245"
      selectedbkcolor="#FF2F80ED" selectedtextcolor="#FFFFFFFF"/>
    <CheckBox name="check" width="180" text="Desktop shortcut" align="center" bkcolor="#FF2A3245"
      selectedbkcolor="#FF27AE60" selectedtextcolor="#FFFFFFFF"/>
  </HorizontalLayout>
  <Progress name="progress" height="10" bkcolor="#FF2A3245" forecolor="#FF27AE60" value="64" padding="0,6,0,6"/>
  <Edit name="edit" height="28" text="C:\Program Files\Vandorix" textcolor="#FF1B2233" bkcolor="#FFF4F6FA"
    bordersize="1" bordercolor="#FF44506A" textpadding="8,0,8,0"/>
  <Edit name="password" height="28" password="true" text="secret" textcolor="#FF1B2233" bkcolor="#FFF4F6FA"
    bordersize="1" bordercolor="#FF44506A" textpadding="8,0,8,0"/>
  <RichEdit name="rich" height="96" readonly="true" multiline="true" vscrollbar="true" bkcolor="#FFF4F6FA"
    textcolor="#FF1B2233" textpadding="8,6,8,6"/>
</VerticalLayout></Window>)";
}

TEST(GalleryScreenshot, EveryControlPaintsInOneWindow) {
  vxtest::TempDir dir;
  const std::wstring gifPath = dir.file(L"busy.gif");
  ASSERT_TRUE(vxtest::writeFile(gifPath, vxtest::MakeGif(32, 32, {{vxtest::kGifRed, 10}, {vxtest::kGifGreen, 10}})));
  TestWindow window(GallerySkin(gifPath));
  ASSERT_TRUE(window.Open(L"vx control gallery", 200, 160));
  window.Find(L"rich")->SetText(
      L"Licence terms\r\nThis sample licence shows the rich edit's multi-line, read-only text with its "
      L"vertical scroll bar.\r\n1. Use the program as you like.\r\n2. Tell us what breaks.\r\n3. Keep this "
      L"text with every copy.\r\n4. There is no fourth rule.");
  static_cast<SkinUI::COptionUI*>(window.Find(L"custom"))->SetSelected(true);
  static_cast<SkinUI::COptionUI*>(window.Find(L"check"))->SetSelected(true);
  vxtest::PumpUiFor(300);
  vxtest::Screenshot shot;
  ASSERT_TRUE(vxtest::CaptureScreen(VX_SCREENSHOT_DIR "/control_gallery.ppm", &shot));
  RECT frame{};
  ::GetWindowRect(window.GetHWND(), &frame);
  struct Probe {
    const wchar_t* control;
    int dx;  // from the control's left edge, at its middle row
    uint32_t rgb;
  } probes[] = {
      {L"primary", 4, kAccent},   {L"secondary", 4, kPanel},
      {L"fast", 4, kPanel},       {L"custom", 4, kAccent},
      {L"check", 4, kDone},       {L"progress", 4, kDone},
      {L"progress", 500, kPanel}, {L"edit", 3, kField},
      {L"password", 3, kField},   {L"gif", 16, vxtest::GifRgb(vxtest::kGifRed)},
  };
  for (const Probe& probe : probes) {
    SCOPED_TRACE(testing::Message() << std::wstring(probe.control) << " +" << probe.dx);
    const RECT& bounds = window.Find(probe.control)->GetBounds();
    EXPECT_EQ(shot.At(frame.left + bounds.left + probe.dx, frame.top + (bounds.top + bounds.bottom) / 2), probe.rgb)
        << vxtest::Hex(shot.At(frame.left + bounds.left + probe.dx, frame.top + (bounds.top + bounds.bottom) / 2));
  }
  // Text ink: the heading's light gradient pixels, the rich edit's dark letters on its field.
  auto count = [&](const wchar_t* name, auto test) {
    const RECT& b = window.Find(name)->GetBounds();
    int n = 0;
    for (int y = b.top; y < b.bottom; ++y) {
      for (int x = b.left; x < b.right; ++x) n += test(shot.At(frame.left + x, frame.top + y)) ? 1 : 0;
    }
    return n;
  };
  EXPECT_GT(count(L"heading", [](uint32_t p) { return (p & 0xFF) > 0xE0 && ((p >> 16) & 0xFF) > 0x80; }), 200);
  EXPECT_GT(count(L"rich", [](uint32_t p) { return ((p >> 16) & 0xFF) < 0x60 && (p & 0xFF) < 0x80; }), 200);
  EXPECT_TRUE(window.CloseAndWait());
}

}  // namespace
