#include "skinui/render/color_adjust.h"

#include <gtest/gtest.h>

#include "tests/skinui/render/render_test_support.h"

namespace {

struct AdjustCase {
  uint32_t color;
  int hue;
  int saturation;
  int lightness;
  uint32_t expected;
};

class ColorAdjust : public testing::TestWithParam<AdjustCase> {};

TEST_P(ColorAdjust, ShiftsHueAndScalesSaturationAndLightness) {
  const AdjustCase& c = GetParam();
  const uint32_t actual = SkinUI::AdjustHsl(c.color, c.hue, c.saturation, c.lightness);
  EXPECT_TRUE(vxtest::Near(actual, c.expected, 1)) << vxtest::Hex(actual);
}

INSTANTIATE_TEST_SUITE_P(Table,
                         ColorAdjust,
                         testing::Values(
                             // The neutral values give the colour back exactly.
                             AdjustCase{0x7F123456, 180, 100, 100, 0x7F123456},
                             // Red shifted by +120 degrees is green; by -180 (hue 0) cyan.
                             AdjustCase{0xFFFF0000, 300, 100, 100, 0xFF00FF00},
                             AdjustCase{0xFFFF0000, 0, 100, 100, 0xFF00FFFF},
                             // Lightness halved: white becomes grey; saturation 0: red becomes grey.
                             AdjustCase{0xFFFFFFFF, 180, 100, 50, 0xFF808080},
                             AdjustCase{0x80FF0000, 180, 0, 100, 0x80808080},
                             // Saturation and lightness do not pass 1; a hue shift of more than a turn wraps.
                             AdjustCase{0xFF808080, 180, 300, 300, 0xFFFFFFFF},
                             AdjustCase{0xFFFF0000, 900, 100, 100, 0xFFFF0000}));

}  // namespace
