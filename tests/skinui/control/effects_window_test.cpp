#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "skinui/control/gif_anim_ui.h"
#include "skinui/control/text_effects.h"
#include "skinui/core/gdi_handles.h"
#include "tests/common/temp_dir.h"
#include "tests/skinui/control/gif_test_file.h"
#include "tests/skinui/core/window_test_support.h"
#include "tests/skinui/render/render_test_support.h"

namespace {

using SkinUI::TextEffectStyle;

constexpr uint32_t kBackground = 0x3060A0;
constexpr uint32_t kStroke = 0x101010;

// Paints its text with every effect at once in a big bold font of its own.
class EffectText : public SkinUI::CControlUI {
 public:
  void PaintText(HDC dc) override {
    TextEffectStyle style;
    style.textColor = 0xFFFFE060;
    style.textColor1 = 0xFFFF6000;
    style.luminous = true;
    style.stroke = true;
    style.strokeColor = 0xFF000000 | kStroke;
    style.shadow = true;
    style.shadowOffset = SIZE{4, 4};
    drawn_ = SkinUI::DrawTextWithEffects(dc, GetBounds(), GetText().GetData(), font_.get(),
                                         DT_CENTER | DT_VCENTER | DT_SINGLELINE, style);
  }
  bool Drawn() const { return drawn_; }

 private:
  SkinUI::ScopedFont font_{::CreateFontW(-48,
                                         0,
                                         0,
                                         0,
                                         FW_BOLD,
                                         FALSE,
                                         FALSE,
                                         FALSE,
                                         DEFAULT_CHARSET,
                                         OUT_DEFAULT_PRECIS,
                                         CLIP_DEFAULT_PRECIS,
                                         ANTIALIASED_QUALITY,
                                         DEFAULT_PITCH,
                                         L"Tahoma")};
  bool drawn_ = false;
};

// The test window with "EffectText" elements besides the test controls.
class EffectWindow : public vxtest::TestWindow {
 public:
  using TestWindow::TestWindow;
  SkinUI::CControlUI* CreateCustomControl(const wchar_t* className) override {
    if (std::wstring(className) == L"EffectText") return new EffectText;
    return TestWindow::CreateCustomControl(className);
  }
};

TEST(EffectsWindow, AScreenshotShowsTheEffectTextAndTheGifFrame) {
  vxtest::TempDir dir;
  const std::wstring gifPath = dir.file(L"anim.gif");
  ASSERT_TRUE(vxtest::writeFile(
      gifPath, vxtest::MakeGif(8, 8, {{vxtest::kGifRed, 5}, {vxtest::kGifGreen, 5}, {vxtest::kGifBlue, 5}})));
  EffectWindow window(
      LR"(<Window size="400,140"><HorizontalLayout name="root" bkcolor="#FF3060A0">)"
      LR"(<EffectText name="title" text="Vandorix" width="280"/>)"
      LR"(<GifAnim name="gif" autoplay="false" width="80" padding="10,30,10,30" bkimage=")" +
      gifPath + LR"("/></HorizontalLayout></Window>)");
  ASSERT_TRUE(window.Open(L"vx effects", 240, 200));
  auto* gif = static_cast<SkinUI::CGifAnimUI*>(window.Find(L"gif")->FindInterface(L"GifAnim"));
  ASSERT_NE(gif, nullptr);
  // One tick shows the second frame, and it stays there.
  gif->StartAnimation();
  ASSERT_TRUE(vxtest::PumpUiUntil([&] { return gif->GetCurrentFrame() == 1; }, 2000));
  gif->PauseAnimation();
  vxtest::PumpUiFor(100);
  vxtest::Screenshot shot;
  ASSERT_TRUE(vxtest::CaptureScreen(std::string(VX_SCREENSHOT_DIR "/effects_and_gif.ppm"), &shot));
  EXPECT_TRUE(static_cast<EffectText*>(window.Find(L"title"))->Drawn());
  RECT frame{};
  ::GetWindowRect(window.GetHWND(), &frame);
  auto at = [&](int x, int y) { return shot.At(frame.left + x, frame.top + y); };
  const RECT& gifBox = gif->GetBounds();
  EXPECT_EQ(at((gifBox.left + gifBox.right) / 2, (gifBox.top + gifBox.bottom) / 2), vxtest::GifRgb(vxtest::kGifGreen));
  EXPECT_EQ(at(gifBox.left - 3, 5), kBackground);
  // The text: warm gradient pixels and its dark stroke within the title's box.
  int warm = 0;
  int dark = 0;
  for (int y = 0; y < 140; ++y) {
    for (int x = 0; x < 280; ++x) {
      const uint32_t p = at(x, y);
      warm += ((p >> 16) & 0xFF) > 0xE0 && ((p >> 8) & 0xFF) > 0x50 && (p & 0xFF) < 0x80 ? 1 : 0;
      dark += vxtest::Near(p, kStroke, 24, false) ? 1 : 0;
    }
  }
  EXPECT_GT(warm, 500);
  EXPECT_GT(dark, 100);
  EXPECT_TRUE(window.CloseAndWait());
}

}  // namespace
