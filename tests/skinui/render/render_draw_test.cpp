#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skinui/core/window/manager_ui.h"
#include "skinui/render/render_ui.h"
#include "tests/skinui/render/render_test_support.h"

namespace {

using SkinUI::CRenderUI;
using vxtest::Hex;
using vxtest::Near;
using vxtest::Surface;

// Every drawing test runs with msimg32's functions and with the built-in ones.
class Drawing : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    CRenderUI::UsePlatformBlending(GetParam());
    if (GetParam() && !CRenderUI::IsPlatformBlending()) GTEST_SKIP() << "msimg32 not found";
  }
  void TearDown() override { CRenderUI::UsePlatformBlending(true); }

  // Draws the description over item of a surface the size of item's right and bottom.
  bool Draw(Surface& surface, const std::wstring& description, const RECT& item) {
    SkinUI::UIImageDesc desc;
    desc.Reset(description.c_str());
    manager_.SetPaintDC(surface.dc());
    return CRenderUI::DrawImage(surface.dc(), &manager_, item, surface.rect(), desc);
  }

  vxtest::ImageFolder folder_;
  SkinUI::CManagerUI manager_;
};

std::string Where(int x, int y, uint32_t actual) {
  return "at " + std::to_string(x) + "," + std::to_string(y) + ": " + Hex(actual);
}

// A 9 x 9 image of 3 x 3 blocks of nine colours: corners, edges and centre.
constexpr uint32_t kBlock[3][3] = {{0xFFFF0000, 0xFF00FF00, 0xFF0000FF},
                                   {0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF},
                                   {0xFF800000, 0xFF008000, 0xFF000080}};

std::vector<uint32_t> NineBlocks() {
  std::vector<uint32_t> pixels(81);
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 9; ++x) pixels[y * 9 + x] = kBlock[y / 3][x / 3];
  }
  return pixels;
}

TEST_P(Drawing, NineSlicesKeepTheirCornersAtEverySize) {
  const std::wstring path = folder_.Write(L"nine.png", 9, 9, NineBlocks());
  for (const SIZE size : {SIZE{9, 9}, SIZE{20, 15}, SIZE{64, 40}}) {
    Surface surface(size.cx, size.cy, 0xFF000000);
    ASSERT_TRUE(Draw(surface, L"file='" + path + L"' corner='3,3,3,3'", surface.rect()));
    const int w = size.cx;
    const int h = size.cy;
    // Corners are fixed 3 x 3 blocks; edges and centre stretch between them.
    const struct {
      int x, y, row, column;
    } points[] = {{0, 0, 0, 0},     {2, 2, 0, 0},         {w - 1, 0, 0, 2},     {w - 3, 2, 0, 2}, {0, h - 1, 2, 0},
                  {2, h - 3, 2, 0}, {w - 1, h - 1, 2, 2}, {w - 3, h - 3, 2, 2}, {w / 2, 1, 0, 1}, {w / 2, h - 2, 2, 1},
                  {1, h / 2, 1, 0}, {w - 2, h / 2, 1, 2}, {w / 2, h / 2, 1, 1}, {3, 3, 1, 1},     {w - 4, h - 4, 1, 1}};
    for (const auto& p : points) {
      const uint32_t actual = surface.At(p.x, p.y);
      EXPECT_TRUE(Near(actual, kBlock[p.row][p.column], 0, false)) << w << "x" << h << " " << Where(p.x, p.y, actual);
    }
  }
}

TEST_P(Drawing, AHoleLeavesTheCentreAlone) {
  const std::wstring path = folder_.Write(L"hole.png", 9, 9, NineBlocks());
  Surface surface(30, 30, 0xFF000000);
  ASSERT_TRUE(Draw(surface, L"file='" + path + L"' corner='3,3,3,3' hole='true'", surface.rect()));
  EXPECT_EQ(surface.At(15, 15), 0xFF000000u);
  EXPECT_EQ(surface.At(3, 3), 0xFF000000u);
  EXPECT_TRUE(Near(surface.At(0, 0), kBlock[0][0], 0, false));
  EXPECT_TRUE(Near(surface.At(15, 1), kBlock[0][1], 0, false));
}

// A 5 x 5 image: a 1-pixel frame around a 3 x 3 centre whose nine pixels differ.
constexpr uint32_t kCentre[3][3] = {{0xFF100000, 0xFF200000, 0xFF300000},
                                    {0xFF001000, 0xFF002000, 0xFF003000},
                                    {0xFF000010, 0xFF000020, 0xFF000030}};

std::vector<uint32_t> FramedCentre() {
  std::vector<uint32_t> pixels(25, 0xFFFFFFFF);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) pixels[(y + 1) * 5 + x + 1] = kCentre[y][x];
  }
  return pixels;
}

TEST_P(Drawing, XTilingRepeatsTheCentreAcrossAndCutsTheLastTile) {
  const std::wstring path = folder_.Write(L"tile.png", 5, 5, FramedCentre());
  // Centre 8 wide (3 + 3 + 2) and 3 high: tiles across, no stretching down.
  Surface surface(10, 5, 0xFF000000);
  ASSERT_TRUE(Draw(surface, L"file='" + path + L"' corner='1,1,1,1' xtiled='true'", surface.rect()));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 8; ++x) {
      const uint32_t actual = surface.At(1 + x, 1 + y);
      EXPECT_TRUE(Near(actual, kCentre[y][x % 3], 0, false)) << Where(1 + x, 1 + y, actual);
    }
  }
  EXPECT_TRUE(Near(surface.At(9, 2), 0xFFFFFFFF, 0, false)) << "the right edge follows the cut tile";
}

TEST_P(Drawing, YTilingRepeatsTheCentreDown) {
  const std::wstring path = folder_.Write(L"tile.png", 5, 5, FramedCentre());
  Surface surface(5, 9, 0xFF000000);
  ASSERT_TRUE(Draw(surface, L"file='" + path + L"' corner='1,1,1,1' ytiled='true'", surface.rect()));
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 3; ++x) {
      const uint32_t actual = surface.At(1 + x, 1 + y);
      EXPECT_TRUE(Near(actual, kCentre[y % 3][x], 0, false)) << Where(1 + x, 1 + y, actual);
    }
  }
}

TEST_P(Drawing, BothTilingsMakeAGrid) {
  const std::wstring path = folder_.Write(L"tile.png", 5, 5, FramedCentre());
  Surface surface(9, 9, 0xFF000000);
  ASSERT_TRUE(Draw(surface, L"file='" + path + L"' corner='1,1,1,1' xtiled='true' ytiled='true'", surface.rect()));
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      const uint32_t actual = surface.At(1 + x, 1 + y);
      EXPECT_TRUE(Near(actual, kCentre[y % 3][x % 3], 0, false)) << Where(1 + x, 1 + y, actual);
    }
  }
}

TEST_P(Drawing, ABareNameIsStretchedOverTheWholeItem) {
  // Four 5 x 5 quadrants, drawn twice as large; half-tone stretching
  // smooths the seams, so the quadrants are checked in their middles.
  const uint32_t quadrant[2][2] = {{0xFFFF0000, 0xFF00FF00}, {0xFF0000FF, 0xFFFFFF00}};
  std::vector<uint32_t> pixels(100);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) pixels[y * 10 + x] = quadrant[y / 5][x / 5];
  }
  const std::wstring path = folder_.Write(L"quad.png", 10, 10, pixels);
  Surface surface(40, 40, 0xFF000000);
  ASSERT_TRUE(Draw(surface, path, RECT{10, 10, 30, 30}));
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 2; ++column) {
      const int x = 15 + 10 * column;
      const int y = 15 + 10 * row;
      EXPECT_TRUE(Near(surface.At(x, y), quadrant[row][column], 0, false)) << Where(x, y, surface.At(x, y));
    }
  }
  EXPECT_EQ(surface.At(9, 9), 0xFF000000u);
  EXPECT_EQ(surface.At(30, 30), 0xFF000000u);
  EXPECT_EQ(surface.At(30, 15), 0xFF000000u);
}

TEST_P(Drawing, ASourceRectangleSelectsAFrame) {
  // Three 60 x 44 frames; the second one is drawn with fixed 20-pixel borders.
  std::vector<uint32_t> pixels(180 * 44);
  for (int y = 0; y < 44; ++y) {
    for (int x = 0; x < 180; ++x) pixels[y * 180 + x] = x < 60 ? 0xFFFF0000 : (x < 120 ? 0xFF00FF00 : 0xFF0000FF);
  }
  const std::wstring path = folder_.Write(L"btn_login.png", 180, 44, pixels);
  Surface surface(100, 44, 0xFF000000);
  ASSERT_TRUE(Draw(surface, L"file='" + path + L"' source='60,0,120,44' corner='20,20,20,20'", surface.rect()));
  EXPECT_EQ(surface.CountNotRgb(0x00FF00), 0);
}

TEST_P(Drawing, DestIsRelativeToTheItemAndCutToIt) {
  const std::wstring path = folder_.Write(L"red.png", 1, 1, {0xFFFF0000});
  Surface surface(40, 40, 0xFF000000);
  ASSERT_TRUE(Draw(surface, L"file='" + path + L"' dest='5,5,100,100'", RECT{10, 10, 30, 30}));
  EXPECT_EQ(surface.At(14, 14), 0xFF000000u);
  EXPECT_TRUE(Near(surface.At(15, 15), 0xFFFF0000, 0, false));
  EXPECT_TRUE(Near(surface.At(29, 29), 0xFFFF0000, 0, false));
  EXPECT_EQ(surface.At(30, 30), 0xFF000000u);
  EXPECT_EQ(surface.CountRgb(0xFF0000), 15 * 15);
}

TEST_P(Drawing, OnlyThePaintRectangleIsDrawn) {
  const std::wstring path = folder_.Write(L"red.png", 1, 1, {0xFFFF0000});
  Surface surface(40, 40, 0xFF000000);
  SkinUI::UIImageDesc desc;
  desc.Reset(path.c_str());
  ASSERT_TRUE(CRenderUI::DrawImage(surface.dc(), &manager_, surface.rect(), RECT{50, 50, 60, 60}, desc));
  EXPECT_EQ(surface.CountRgb(0xFF0000), 0) << "the image does not meet the paint rectangle";
}

TEST_P(Drawing, TranslucentImagesBlendOverWhatIsThere) {
  const std::wstring path = folder_.Write(L"half.png", 1, 1, {0x80FF0000});
  Surface surface(8, 8, 0xFF0000FF);
  ASSERT_TRUE(Draw(surface, path, surface.rect()));
  // (128, 0, 0, 128) over opaque blue: red 128, blue 255 * 127 / 255.
  EXPECT_TRUE(Near(surface.At(4, 4), 0xFF80007F, 2)) << Hex(surface.At(4, 4));
}

TEST_P(Drawing, FadeIsAConstantAlpha) {
  const std::wstring path = folder_.Write(L"white.png", 1, 1, {0xFFFFFFFF});
  Surface surface(8, 8, 0xFF000000);
  ASSERT_TRUE(Draw(surface, L"file='" + path + L"' fade='64'", surface.rect()));
  EXPECT_TRUE(Near(surface.At(3, 3), 0xFF404040, 2)) << Hex(surface.At(3, 3));
}

TEST_P(Drawing, AMaskedImageShowsWhatIsBehindItsKeyColour) {
  const std::wstring path = folder_.Write(L"keyed.png", 2, 1, {0xFFFF00FF, 0xFF00FF00});
  Surface surface(20, 10, 0xFF0000FF);
  ASSERT_TRUE(Draw(surface, L"file='" + path + L"' mask='0xffff00ff'", surface.rect()));
  EXPECT_EQ(surface.At(3, 5), 0xFF0000FFu) << Hex(surface.At(3, 5));
  EXPECT_TRUE(Near(surface.At(16, 5), 0xFF00FF00, 0)) << Hex(surface.At(16, 5));
}

TEST_P(Drawing, FillColorFillsBlendsOrSkips) {
  Surface surface(10, 10, 0xFFFFFFFF);
  CRenderUI::FillColor(surface.dc(), RECT{0, 0, 5, 10}, 0xFF102030);
  CRenderUI::FillColor(surface.dc(), RECT{5, 0, 10, 10}, 0x80FF0000);
  CRenderUI::FillColor(surface.dc(), RECT{0, 0, 10, 10}, 0x00000000);
  EXPECT_TRUE(Near(surface.At(2, 2), 0xFF102030, 0, false)) << Hex(surface.At(2, 2));
  // Half red over white: red stays, green and blue keep half.
  EXPECT_TRUE(Near(surface.At(7, 7), 0xFFFF7F7F, 2)) << Hex(surface.At(7, 7));
}

TEST_P(Drawing, TwoColourGradientsRunFromOneColourToTheOther) {
  Surface surface(256, 256, 0xFF000000);
  CRenderUI::FillGradient(surface.dc(), RECT{0, 0, 256, 128}, 0xFF000000, 0xFFFFFFFF, false, 256);
  CRenderUI::FillGradient(surface.dc(), RECT{0, 128, 256, 256}, 0xFFFF0000, 0xFF0000FF, true, 256);
  EXPECT_TRUE(Near(surface.At(0, 10), 0xFF000000, 8, false)) << Hex(surface.At(0, 10));
  EXPECT_TRUE(Near(surface.At(128, 10), 0xFF808080, 8, false)) << Hex(surface.At(128, 10));
  EXPECT_TRUE(Near(surface.At(255, 10), 0xFFFFFFFF, 8, false)) << Hex(surface.At(255, 10));
  EXPECT_TRUE(Near(surface.At(10, 128), 0xFFFF0000, 8, false)) << Hex(surface.At(10, 128));
  EXPECT_TRUE(Near(surface.At(10, 255), 0xFF0000FF, 8, false)) << Hex(surface.At(10, 255));
  // Across a vertical gradient the colour does not change.
  EXPECT_EQ(surface.At(3, 200) & 0xFFFFFF, surface.At(250, 200) & 0xFFFFFF);
}

TEST_P(Drawing, ATranslucentGradientBlendsWithTheAverageAlpha) {
  Surface surface(64, 8, 0xFF000000);
  // Alphas 0x40 and 0xC0 average to 0x80: white at half over black.
  CRenderUI::FillGradient(surface.dc(), surface.rect(), 0x40FFFFFF, 0xC0FFFFFF, false, 64);
  EXPECT_TRUE(Near(surface.At(32, 4), 0xFF808080, 3, false)) << Hex(surface.At(32, 4));
  Surface untouched(8, 8, 0xFF000000);
  CRenderUI::FillGradient(untouched.dc(), untouched.rect(), 0x00FFFFFF, 0x01FFFFFF, false, 64);
  EXPECT_EQ(untouched.CountRgb(0), 64) << "an average alpha of 0 draws nothing";
}

TEST_P(Drawing, ARoundClipCutsTheCornersAndTheOldClipComesBack) {
  Surface surface(40, 40, 0xFFFFFFFF);
  {
    auto outer = CRenderUI::MakeClip(surface.dc(), RECT{0, 0, 40, 30});
    {
      auto round = CRenderUI::MakeRoundClip(surface.dc(), surface.rect(), surface.rect(), 20, 20);
      CRenderUI::FillColor(surface.dc(), surface.rect(), 0xFFFF0000);
    }
    EXPECT_EQ(surface.At(0, 0), 0xFFFFFFFFu) << "outside the rounded corner";
    EXPECT_TRUE(Near(surface.At(20, 20), 0xFFFF0000, 0, false));
    EXPECT_TRUE(Near(surface.At(20, 0), 0xFFFF0000, 0, false)) << "the edge between the corners";
    EXPECT_EQ(surface.At(20, 35), 0xFFFFFFFFu) << "the outer clip held inside";
    // The round clip is gone, the outer one is back.
    CRenderUI::FillColor(surface.dc(), surface.rect(), 0xFF0000FF);
    EXPECT_TRUE(Near(surface.At(0, 0), 0xFF0000FF, 0, false));
    EXPECT_EQ(surface.At(20, 35), 0xFFFFFFFFu);
  }
  CRenderUI::FillColor(surface.dc(), surface.rect(), 0xFF00FF00);
  EXPECT_EQ(surface.CountNotRgb(0x00FF00), 0) << "no clip is left";
}

TEST_P(Drawing, LinesAndFramesStayWhereTheyAreDrawn) {
  Surface surface(20, 20, 0xFFFFFFFF);
  CRenderUI::DrawRect(surface.dc(), RECT{2, 2, 12, 12}, 1, 0xFFFF0000);
  EXPECT_TRUE(Near(surface.At(2, 2), 0xFFFF0000, 0, false));
  EXPECT_TRUE(Near(surface.At(11, 11), 0xFFFF0000, 0, false)) << "the frame stays inside";
  EXPECT_EQ(surface.At(12, 12), 0xFFFFFFFFu);
  EXPECT_EQ(surface.At(6, 6), 0xFFFFFFFFu) << "no fill";
  CRenderUI::DrawLine(surface.dc(), RECT{0, 16, 20, 16}, 1, 0xFF0000FF);
  EXPECT_TRUE(Near(surface.At(10, 16), 0xFF0000FF, 0, false));
  EXPECT_EQ(surface.At(10, 17), 0xFFFFFFFFu);
  CRenderUI::DrawRoundRect(surface.dc(), RECT{0, 0, 20, 20}, 1, 10, 10, 0xFF00FF00);
  EXPECT_TRUE(Near(surface.At(10, 0), 0xFF00FF00, 0, false));
  EXPECT_FALSE(Near(surface.At(0, 0), 0xFF00FF00, 0, false)) << "the corner is rounded off";
}

INSTANTIATE_TEST_SUITE_P(Blending, Drawing, testing::Values(true, false), [](const testing::TestParamInfo<bool>& info) {
  return info.param ? "Msimg32" : "BuiltIn";
});

// Without msimg32's gradient the fill is made of solid bands.
struct BandCase {
  int steps;
  int bands;
};

class GradientBands : public testing::TestWithParam<BandCase> {
 protected:
  void SetUp() override { CRenderUI::UsePlatformBlending(false); }
  void TearDown() override { CRenderUI::UsePlatformBlending(true); }
};

TEST_P(GradientBands, StepsChooseTheBandCount) {
  const BandCase& c = GetParam();
  Surface surface(128, 4, 0xFF000000);
  CRenderUI::FillGradient(surface.dc(), surface.rect(), 0xFF000000, 0xFFFF0000, false, c.steps);
  const int bandWidth = 128 / c.bands;
  for (int band = 0; band < c.bands; ++band) {
    const uint32_t red = static_cast<uint32_t>(255 * band / (c.bands - 1));
    const uint32_t expected = 0xFF000000 | (red << 16);
    for (int x : {band * bandWidth, band * bandWidth + bandWidth - 1}) {
      EXPECT_TRUE(Near(surface.At(x, 2), expected, 0, false))
          << "steps " << c.steps << " " << Where(x, 2, surface.At(x, 2));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Table,
                         GradientBands,
                         testing::Values(BandCase{0, 2},
                                         BandCase{3, 2},
                                         BandCase{4, 4},
                                         BandCase{7, 4},
                                         BandCase{8, 8},
                                         BandCase{16, 16},
                                         BandCase{32, 32},
                                         BandCase{63, 32},
                                         BandCase{64, 64},
                                         BandCase{1000, 64}));

}  // namespace
