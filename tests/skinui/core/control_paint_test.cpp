#include <gtest/gtest.h>

#include "skinui/core/control_ui.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/render/render_ui.h"
#include "tests/skinui/render/render_test_support.h"

namespace {

using namespace SkinUI;
using vxtest::Hex;
using vxtest::Near;
using vxtest::Surface;

constexpr uint32_t kWhite = 0xFFFFFF;

// A control bound to a manager and placed at rect, painted into surface.
struct Painted {
  CManagerUI manager;
  CControlUI control;

  Painted(const wchar_t* attributes, const RECT& rect) {
    control.AttachManager(&manager, nullptr, false);
    control.ApplyAttributes(attributes);
    control.SetBounds(rect, false);
  }
  void PaintInto(Surface& surface) { control.Paint(surface.dc(), surface.rect(), nullptr); }
};

TEST(ControlPaint, BackgroundColourHidesTheBackgroundImage) {
  Surface surface(20, 20);
  Painted both(L"bkcolor=\"#FFFF0000\" bkimage=\"color='#FF00FF00'\"", {0, 0, 20, 20});
  both.PaintInto(surface);
  EXPECT_TRUE(Near(surface.At(10, 10), 0xFFFF0000, 0, false)) << Hex(surface.At(10, 10));

  Surface imageOnly(20, 20);
  Painted image(L"bkimage=\"color='#FF00FF00'\"", {0, 0, 20, 20});
  image.PaintInto(imageOnly);
  EXPECT_TRUE(Near(imageOnly.At(10, 10), 0xFF00FF00, 0, false)) << Hex(imageOnly.At(10, 10));
}

TEST(ControlPaint, OneBorderSizeDrawsAOnePixelRectangle) {
  Surface surface(24, 24);
  Painted framed(L"bordersize=\"1\" bordercolor=\"#FF0000FF\"", {2, 2, 22, 22});
  framed.PaintInto(surface);
  for (POINT p : {POINT{2, 2}, POINT{21, 2}, POINT{2, 21}, POINT{21, 21}, POINT{12, 2}, POINT{2, 12}}) {
    EXPECT_TRUE(Near(surface.At(p.x, p.y), 0xFF0000FF, 0, false))
        << p.x << "," << p.y << " " << Hex(surface.At(p.x, p.y));
  }
  EXPECT_TRUE(Near(surface.At(3, 3), kWhite, 0, false));
  EXPECT_TRUE(Near(surface.At(1, 1), kWhite, 0, false));
  EXPECT_TRUE(Near(surface.At(22, 22), kWhite, 0, false));
  // 20 x 20 frame of one pixel: 76 border pixels.
  EXPECT_EQ(surface.CountRgb(0x0000FF), 76);
}

TEST(ControlPaint, BorderWithoutALeftSideDrawsNothing) {
  Surface surface(24, 24);
  Painted framed(L"bordersize=\"0,2,0,0\" bordercolor=\"#FF0000FF\"", {2, 2, 22, 22});
  framed.PaintInto(surface);
  EXPECT_EQ(surface.CountNotRgb(kWhite), 0);
}

TEST(ControlPaint, SeparateBorderLines) {
  Surface surface(24, 24);
  Painted framed(L"bordersize=\"1,0,0,2\" bordercolor=\"#FF00FF00\"", {2, 2, 22, 22});
  framed.PaintInto(surface);
  // Left line at x = 2 over the full height, bottom line of two pixels above the bottom edge.
  EXPECT_TRUE(Near(surface.At(2, 10), 0xFF00FF00, 0, false));
  EXPECT_TRUE(Near(surface.At(12, 21), 0xFF00FF00, 0, false)) << Hex(surface.At(12, 21));
  EXPECT_TRUE(Near(surface.At(12, 2), kWhite, 0, false));
  EXPECT_TRUE(Near(surface.At(21, 10), kWhite, 0, false));
}

TEST(ControlPaint, RightAndBottomBorderLinesStayInside) {
  // The control covers 2..21 on both axes; 22 is the first pixel outside.
  struct Case {
    const wchar_t* attributes;
    int size;
  };
  const Case cases[] = {
      {L"bordersize=\"1,0,1,1\" bordercolor=\"#FF00FF00\"", 1},
      {L"bordersize=\"1,0,2,2\" bordercolor=\"#FF00FF00\"", 2},
      {L"bordersize=\"1,0,3,3\" bordercolor=\"#FF00FF00\"", 3},
  };
  for (const Case& c : cases) {
    Surface surface(24, 24);
    Painted framed(c.attributes, {2, 2, 22, 22});
    framed.PaintInto(surface);
    for (int inside = 22 - c.size; inside < 22; ++inside) {
      EXPECT_TRUE(Near(surface.At(inside, 12), 0xFF00FF00, 0, false))
          << c.size << ": right line at x " << inside << " " << Hex(surface.At(inside, 12));
      EXPECT_TRUE(Near(surface.At(12, inside), 0xFF00FF00, 0, false))
          << c.size << ": bottom line at y " << inside << " " << Hex(surface.At(12, inside));
    }
    EXPECT_TRUE(Near(surface.At(21 - c.size, 12), kWhite, 0, false))
        << c.size << " " << Hex(surface.At(21 - c.size, 12));
    EXPECT_TRUE(Near(surface.At(12, 21 - c.size), kWhite, 0, false))
        << c.size << " " << Hex(surface.At(12, 21 - c.size));
    EXPECT_TRUE(Near(surface.At(22, 12), kWhite, 0, false)) << c.size << " " << Hex(surface.At(22, 12));
    EXPECT_TRUE(Near(surface.At(12, 22), kWhite, 0, false)) << c.size << " " << Hex(surface.At(12, 22));
  }
}

TEST(ControlPaint, FocusBorderColourWhileFocused) {
  Surface surface(24, 24);
  Painted framed(L"bordersize=\"1\" bordercolor=\"#FF0000FF\" focusbordercolor=\"#FFFF0000\"", {2, 2, 22, 22});
  UIEvent focus;
  focus.type = kEventSetFocus;
  framed.control.DispatchEvent(focus);
  framed.PaintInto(surface);
  EXPECT_TRUE(Near(surface.At(2, 2), 0xFFFF0000, 0, false)) << Hex(surface.At(2, 2));
}

TEST(ControlPaint, TwoColourGradientRunsDownwards) {
  Surface surface(10, 64);
  Painted gradient(L"bkcolor=\"#FF000000\" bkcolor2=\"#FF0000FF\"", {0, 0, 10, 64});
  gradient.PaintInto(surface);
  EXPECT_LT(surface.At(5, 0) & 0xFF, 0x20u) << Hex(surface.At(5, 0));
  EXPECT_GT(surface.At(5, 63) & 0xFF, 0xE0u) << Hex(surface.At(5, 63));
  EXPECT_GT(surface.At(5, 40) & 0xFF, surface.At(5, 20) & 0xFF);
}

TEST(ControlPaint, ThreeColourGradientMeetsInTheMiddle) {
  Surface surface(10, 64);
  Painted gradient(L"bkcolor=\"#FF000000\" bkcolor2=\"#FF0000FF\" bkcolor3=\"#FF000000\"", {0, 0, 10, 64});
  gradient.PaintInto(surface);
  EXPECT_LT(surface.At(5, 0) & 0xFF, 0x30u);
  EXPECT_GT(surface.At(5, 31) & 0xFF, 0xC0u) << Hex(surface.At(5, 31));
  EXPECT_LT(surface.At(5, 63) & 0xFF, 0x30u);
}

TEST(ControlPaint, RoundBorderClipsTheCorners) {
  Surface surface(40, 40);
  Painted round(L"bkcolor=\"#FFFF0000\" borderround=\"20,20\"", {0, 0, 40, 40});
  round.PaintInto(surface);
  EXPECT_TRUE(Near(surface.At(0, 0), kWhite, 0, false)) << Hex(surface.At(0, 0));
  EXPECT_TRUE(Near(surface.At(20, 20), 0xFFFF0000, 0, false));
  // The clip is gone afterwards: a later fill reaches the corner.
  CRenderUI::FillColor(surface.dc(), {0, 0, 2, 2}, 0xFF00FF00);
  EXPECT_TRUE(Near(surface.At(0, 0), 0xFF00FF00, 0, false));
}

TEST(ControlPaint, OnlyThePaintAreaIsFilledWithAnOpaqueColour) {
  Surface surface(20, 20);
  Painted filled(L"bkcolor=\"#FFFF0000\"", {0, 0, 20, 20});
  filled.control.Paint(surface.dc(), {0, 0, 10, 20}, nullptr);
  EXPECT_TRUE(Near(surface.At(5, 5), 0xFFFF0000, 0, false));
  EXPECT_TRUE(Near(surface.At(15, 5), kWhite, 0, false));
}

}  // namespace
