#include "skinui/control/text_effects.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "skinui/core/gdi_handles.h"
#include "tests/skinui/render/render_test_support.h"

namespace {

using SkinUI::DrawTextWithEffects;
using SkinUI::TextEffectStyle;

constexpr int kWidth = 240;
constexpr int kHeight = 100;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr RECT kTextRect{20, 10, 220, 90};

SkinUI::ScopedFont BigFont() {
  return SkinUI::ScopedFont(::CreateFontW(-60, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                                          L"Tahoma"));
}

int Red(uint32_t c) { return (c >> 16) & 0xFF; }
int Green(uint32_t c) { return (c >> 8) & 0xFF; }
int Blue(uint32_t c) { return c & 0xFF; }

// The pixels of one drawing, and where they differ from the white ground.
struct Drawing {
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * kWidth + x]; }
  bool Inked(int x, int y) const {
    return x >= 0 && y >= 0 && x < kWidth && y < kHeight && (At(x, y) & 0xFFFFFF) != 0xFFFFFF;
  }
  // True when a pixel at most reach away along a row or a column is inked.
  bool InkedWithin(int x, int y, int reach) const {
    for (int d = -reach; d <= reach; ++d) {
      if (Inked(x + d, y) || Inked(x, y + d)) return true;
    }
    return false;
  }
  // The box of the pixels accepted by pick; empty when none.
  template <typename Pick>
  RECT Box(Pick pick) const {
    RECT box{kWidth, kHeight, 0, 0};
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (!pick(At(x, y))) continue;
        box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                   std::max<LONG>(box.bottom, y + 1)};
      }
    }
    return box.right > box.left ? box : RECT{};
  }
  template <typename Pick>
  int Count(Pick pick) const {
    return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), pick));
  }
};

template <typename Visit>
void ForEachPixel(Visit visit) {
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) visit(x, y);
  }
}

bool NearRgb(uint32_t actual, uint32_t expected, int tolerance = 24) {
  return vxtest::Near(actual, expected, tolerance, false);
}

// Draws "HI" with style into a white surface; the font is given, or
// selected into the DC when selectFont is set and none is given.
Drawing Draw(const TextEffectStyle& style, UINT format = 0, bool selectFont = false) {
  vxtest::Surface surface(kWidth, kHeight, kWhite);
  SkinUI::ScopedFont font = BigFont();
  bool drawn = false;
  if (selectFont) {
    const SkinUI::ScopedSelectObject selection(surface.dc(), font.get());
    drawn = DrawTextWithEffects(surface.dc(), kTextRect, L"HI", nullptr, format, style);
  } else {
    drawn = DrawTextWithEffects(surface.dc(), kTextRect, L"HI", font.get(), format, style);
  }
  EXPECT_TRUE(drawn);
  ::GdiFlush();
  Drawing drawing;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) drawing.pixels.push_back(surface.At(x, y));
  }
  return drawing;
}

TextEffectStyle Plain(DWORD color) {
  TextEffectStyle style;
  style.textColor = color;
  return style;
}

TEST(TextEffects, PlainTextIsDrawnInTheTextColourInsideTheTextRectangle) {
  const Drawing drawing = Draw(Plain(0xFFE02010));
  const int solid = drawing.Count([](uint32_t c) { return NearRgb(c, 0xE02010, 8); });
  EXPECT_GT(solid, 400) << "the bold glyphs' insides";
  const RECT box = drawing.Box([](uint32_t c) { return (c & 0xFFFFFF) != 0xFFFFFF; });
  EXPECT_GE(box.left, kTextRect.left);
  EXPECT_GE(box.top, kTextRect.top);
  EXPECT_LE(box.right, kTextRect.right);
  EXPECT_LE(box.bottom, kTextRect.bottom);
  // Near alignment: the text starts at the rectangle's left and top (after
  // the library's leading space of about a sixth of the font's height).
  EXPECT_LT(box.left, kTextRect.left + 20);
  EXPECT_LT(box.top, kTextRect.top + 20);
}

TEST(TextEffects, WithoutAFontTheContextsCurrentFontIsUsed) {
  const Drawing given = Draw(Plain(0xFF000000));
  const Drawing selected = Draw(Plain(0xFF000000), 0, true);
  EXPECT_EQ(given.pixels, selected.pixels);
}

RECT InkBox(UINT format) {
  return Draw(Plain(0xFF000000), format).Box([](uint32_t c) { return (c & 0xFFFFFF) != 0xFFFFFF; });
}

TEST(TextEffects, TheFormatsFlagsAlignTheText) {
  const RECT nearBox = InkBox(0);
  const RECT farBox = InkBox(DT_RIGHT | DT_BOTTOM);
  const RECT centreBox = InkBox(DT_CENTER | DT_VCENTER);
  const RECT centreWins = InkBox(DT_CENTER | DT_RIGHT);
  // Far: at the right and bottom edges (within the library's spacing).
  EXPECT_GT(farBox.right, kTextRect.right - 20);
  EXPECT_GT(farBox.bottom, kTextRect.bottom - 20);
  EXPECT_GT(farBox.left, nearBox.left + 50);
  // Centre: halfway between near and far on both axes.
  EXPECT_NEAR(centreBox.left, (nearBox.left + farBox.left) / 2, 2);
  EXPECT_NEAR(centreBox.top, (nearBox.top + farBox.top) / 2, 2);
  // The centre flag is tested before the right flag; no vertical flag means near.
  EXPECT_EQ(centreWins.left, centreBox.left);
  EXPECT_EQ(centreWins.top, nearBox.top);
  for (const RECT& box : {farBox, centreBox, centreWins}) {
    EXPECT_EQ(box.right - box.left, nearBox.right - nearBox.left);
    EXPECT_EQ(box.bottom - box.top, nearBox.bottom - nearBox.top);
  }
}

TEST(TextEffects, TheStrokeSurroundsTheGlyphsInTheStrokeColour) {
  const Drawing plain = Draw(Plain(0xFF00C000));
  TextEffectStyle style = Plain(0xFF00C000);
  style.stroke = true;
  style.strokeColor = 0xFF0000FF;
  const Drawing stroked = Draw(style);
  int ring = 0;
  int strayed = 0;
  ForEachPixel([&](int x, int y) {
    if (!NearRgb(stroked.At(x, y), 0x0000FF, 40)) return;
    (plain.InkedWithin(x, y, 1) && !NearRgb(plain.At(x, y), 0x00C000, 8) ? ring : strayed) += 1;
  });
  EXPECT_GT(ring, 50) << "blue one pixel around the green glyphs";
  EXPECT_EQ(strayed, 0);
  // The glyphs' insides keep the text colour: the text is drawn over its stroke.
  EXPECT_GT(stroked.Count([](uint32_t c) { return NearRgb(c, 0x00C000, 8); }), 300);
  // Without a stroke colour there is no stroke.
  style.strokeColor = 0;
  EXPECT_EQ(Draw(style).pixels, plain.pixels);
}

TEST(TextEffects, TheShadowIsTheTextDisplacedInTheShadowColour) {
  TextEffectStyle style = Plain(0xFFE00000);
  style.shadow = true;
  style.shadowOffset = SIZE{6, 5};
  const Drawing plain = Draw(Plain(0xFFE00000));
  const Drawing shadowed = Draw(style);
  auto dark = [](uint32_t c) { return NearRgb(c, 0x000000, 40); };
  const RECT text = plain.Box([](uint32_t c) { return (c & 0xFFFFFF) != 0xFFFFFF; });
  const RECT shadow = shadowed.Box(dark);
  ASSERT_GT(shadowed.Count(dark), 100);
  EXPECT_NEAR(shadow.right, text.right + 6, 1);
  EXPECT_NEAR(shadow.bottom, text.bottom + 5, 1);
  // Shadow colours both 0: no shadow.
  style.shadowColorA = 0;
  style.shadowColorB = 0;
  EXPECT_EQ(Draw(style).pixels, plain.pixels);
}

TEST(TextEffects, TheGradientChangesColourAlongItsAxis) {
  struct Case {
    const char* name;
    int angle;
    int length;
    bool vertical;  // the axis runs down (else right to left)
  } cases[] = {
      {"down the text rectangle's height", 0, 0, true},
      {"from right to left", 240, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TextEffectStyle style = Plain(0xFFFF0000);
    style.textColor1 = 0xFF0000FF;
    style.gradientAngle = c.angle;
    style.gradientLength = c.length;
    const Drawing drawing = Draw(style);
    auto solid = [](uint32_t p) { return Red(p) + Blue(p) > 200 && Green(p) < 40; };
    const RECT box = drawing.Box(solid);
    ASSERT_FALSE(::IsRectEmpty(&box));
    // The mean red minus blue of the glyph pixels in the first and the last fifth along the axis.
    auto balance = [&](bool first) {
      long sum = 0;
      int count = 0;
      for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
          const int along = c.vertical ? y - box.top : x - box.left;
          const int extent = c.vertical ? box.bottom - box.top : box.right - box.left;
          const bool inPart = first ? along < extent / 5 : along >= extent - extent / 5;
          if (!inPart || !solid(drawing.At(x, y))) continue;
          sum += Red(drawing.At(x, y)) - Blue(drawing.At(x, y));
          ++count;
        }
      }
      return count == 0 ? 0 : sum / count;
    };
    if (c.vertical) {
      EXPECT_GT(balance(true), balance(false) + 60) << "red at the top, blue below";
    } else {
      EXPECT_LT(balance(true), balance(false) - 60) << "blue at the left, red at the right";
    }
  }
}

TEST(TextEffects, TheGlowSpreadsBeyondTheGlyphs) {
  const Drawing plain = Draw(Plain(0xFFFF0000));
  TextEffectStyle style = Plain(0xFFFF0000);
  style.luminous = true;
  style.luminousFuzzy = 4.0f;
  const Drawing glowing = Draw(style);
  int halo = 0;
  ForEachPixel([&](int x, int y) {
    const uint32_t p = glowing.At(x, y);
    if (!plain.InkedWithin(x, y, 2) && Red(p) == 0xFF && Blue(p) < 0xF0) ++halo;  // reddened white
  });
  EXPECT_GT(halo, 100) << "a reddish halo more than two pixels from the glyphs";
}

// The box of the pixels of surface that are not white.
RECT InkOf(const vxtest::Surface& surface) {
  RECT box{kWidth, kHeight, 0, 0};
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if ((surface.At(x, y) & 0xFFFFFF) == 0xFFFFFF) continue;
      box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                 std::max<LONG>(box.bottom, y + 1)};
    }
  }
  return box;
}

TEST(TextEffects, ALineFillsTheRoomThatThePlainDrawingMeasuresForIt) {
  vxtest::Surface surface(kWidth, kHeight, kWhite);
  SkinUI::ScopedFont font(::CreateFontW(-24, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                        CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma"));
  const SkinUI::ScopedSelectObject selection(surface.dc(), font.get());
  // A label gives its text exactly the room the platform's plain drawing measures.
  RECT room{10, 10, 10, 10};
  ::DrawTextW(surface.dc(), L"Two words", -1, &room, DT_SINGLELINE | DT_CALCRECT);
  room.bottom = kHeight - 10;
  RECT plainRoom = room;
  ::DrawTextW(surface.dc(), L"Two words", -1, &plainRoom, DT_SINGLELINE | DT_VCENTER);
  ::GdiFlush();
  const RECT plain = InkOf(surface);
  surface.Fill(kWhite);
  ASSERT_TRUE(
      DrawTextWithEffects(surface.dc(), room, L"Two words", font.get(), DT_SINGLELINE | DT_VCENTER, Plain(0xFF000000)));
  ::GdiFlush();
  const RECT effects = InkOf(surface);
  // Neither moved right by the library's padding nor wrapped or cut short.
  EXPECT_NEAR(effects.left, plain.left, 2);
  EXPECT_NEAR(effects.right, plain.right, 3);
  EXPECT_LT(effects.bottom - effects.top, 30) << "one line";
}

TEST(TextEffects, EmptyTextDrawsNothing) {
  vxtest::Surface surface(kWidth, kHeight, kWhite);
  SkinUI::ScopedFont font = BigFont();
  EXPECT_TRUE(DrawTextWithEffects(surface.dc(), kTextRect, L"", font.get(), 0, Plain(0xFF000000)));
  EXPECT_TRUE(DrawTextWithEffects(surface.dc(), RECT{5, 5, 5, 40}, L"HI", font.get(), 0, Plain(0xFF000000)));
  EXPECT_EQ(surface.CountNotRgb(kWhite), 0);
}

}  // namespace
