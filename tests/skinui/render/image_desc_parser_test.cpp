#include "skinui/render/image_desc_parser.h"

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <string>

namespace {

using SkinUI::ImageDescRect;
using SkinUI::ParsedImageDesc;

struct DescCase {
  const wchar_t* text;
  const wchar_t* name;
  const wchar_t* type;
  uint32_t mask;
  ImageDescRect dest;
  ImageDescRect source;
  ImageDescRect corner;
  int fade;
  bool hole;
  bool xTiled;
  bool yTiled;
  bool keepPixels;
};

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; *text != 0; ++text) out += static_cast<char>(*text);
  return out;
}

void PrintTo(const DescCase& c, std::ostream* os) { *os << Narrow(c.text); }

bool Same(const ImageDescRect& a, const ImageDescRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class ImageDescParse : public testing::TestWithParam<DescCase> {};

TEST_P(ImageDescParse, GivesTheFields) {
  const DescCase& c = GetParam();
  ParsedImageDesc parsed;
  SkinUI::ParseImageDescription(c.text, std::wcslen(c.text), &parsed);
  EXPECT_TRUE(parsed.name == c.name) << Narrow(parsed.name.GetData());
  EXPECT_TRUE(parsed.resourceType == c.type) << Narrow(parsed.resourceType.GetData());
  EXPECT_EQ(parsed.mask, c.mask);
  EXPECT_TRUE(Same(parsed.dest, c.dest));
  EXPECT_TRUE(Same(parsed.source, c.source));
  EXPECT_TRUE(Same(parsed.corner, c.corner));
  EXPECT_EQ(parsed.fade, c.fade);
  EXPECT_EQ(parsed.hole, c.hole);
  EXPECT_EQ(parsed.xTiled, c.xTiled);
  EXPECT_EQ(parsed.yTiled, c.yTiled);
  EXPECT_EQ(parsed.keepPixels, c.keepPixels);
}

constexpr ImageDescRect kZero{};

INSTANTIATE_TEST_SUITE_P(
    Table,
    ImageDescParse,
    testing::Values(
        // A bare name is the image, drawn whole.
        DescCase{L"btn_login.png", L"btn_login.png", L"", 0, kZero, kZero, kZero, 255, false, false, false, false},
        DescCase{L"file='btn_login.png' source='60,0,120,44' corner='20,20,20,20'",
                 L"btn_login.png",
                 L"",
                 0,
                 kZero,
                 {60, 0, 120, 44},
                 {20, 20, 20, 20},
                 255,
                 false,
                 false,
                 false,
                 false},
        // No blank after a closing quote: only the first pair counts.
        DescCase{L"file='bk.png'dest='0,0,10,10'", L"bk.png", L"", 0, kZero, kZero, kZero, 255, false, false, false,
                 false},
        // After the one blank, further blanks are skipped.
        DescCase{L"file='bk.png'   dest='1,2,3,4'",
                 L"bk.png",
                 L"",
                 0,
                 {1, 2, 3, 4},
                 kZero,
                 kZero,
                 255,
                 false,
                 false,
                 false,
                 false},
        DescCase{L"  file = 'bk.png' fade = '9'", L"bk.png", L"", 0, kZero, kZero, kZero, 9, false, false, false,
                 false},
        DescCase{L"file='a.png' mask='0xffff00ff'", L"a.png", L"", 0xFFFF00FF, kZero, kZero, kZero, 255, false, false,
                 false, false},
        DescCase{L"file='a.png' mask='#FFFF00FF'", L"a.png", L"", 0xFFFF00FF, kZero, kZero, kZero, 255, false, false,
                 false, false},
        DescCase{L"res='130' restype='PNG'", L"130", L"PNG", 0, kZero, kZero, kZero, 255, false, false, false, false},
        // restype alone does not make a resource.
        DescCase{L"file='a.png' restype='PNG'", L"a.png", L"", 0, kZero, kZero, kZero, 255, false, false, false, false},
        DescCase{L"color='#FF112233' restype='PNG'", L"#FF112233", L"*COLOR*", 0, kZero, kZero, kZero, 255, false,
                 false, false, false},
        // Empty values are ignored; the name stays the whole description.
        DescCase{L"file='' dest='1,1,2,2'",
                 L"file='' dest='1,1,2,2'",
                 L"",
                 0,
                 {1, 1, 2, 2},
                 kZero,
                 kZero,
                 255,
                 false,
                 false,
                 false,
                 false},
        DescCase{L"file='t.png' fade='128' hole='true' xtiled='true' ytiled='false' hsl='true'", L"t.png", L"", 0,
                 kZero, kZero, kZero, 128, true, true, false, true},
        DescCase{L"file='t.png' hole='TRUE' ytiled='true'", L"t.png", L"", 0, kZero, kZero, kZero, 255, false, false,
                 true, false},
        DescCase{L"file='t.png' fade='999'", L"t.png", L"", 0, kZero, kZero, kZero, 255, false, false, false, false},
        DescCase{L"file='t.png' fade='-5'", L"t.png", L"", 0, kZero, kZero, kZero, 0, false, false, false, false},
        DescCase{L"file='t.png' scale9='1,2,3,4'",
                 L"t.png",
                 L"",
                 0,
                 kZero,
                 kZero,
                 {1, 2, 3, 4},
                 255,
                 false,
                 false,
                 false,
                 false},
        // Unknown keys are skipped; keys compare exactly.
        DescCase{L"unknown='x' file='b.png'", L"b.png", L"", 0, kZero, kZero, kZero, 255, false, false, false, false},
        DescCase{L"File='a.png'", L"File='a.png'", L"", 0, kZero, kZero, kZero, 255, false, false, false, false},
        // An unterminated value ends the description.
        DescCase{L"dest='1,2,3,4' file='a.png",
                 L"dest='1,2,3,4' file='a.png",
                 L"",
                 0,
                 {1, 2, 3, 4},
                 kZero,
                 kZero,
                 255,
                 false,
                 false,
                 false,
                 false},
        // Missing and oversized numbers.
        DescCase{L"file='n.png' dest='1,,3'",
                 L"n.png",
                 L"",
                 0,
                 {1, 0, 3, 0},
                 kZero,
                 kZero,
                 255,
                 false,
                 false,
                 false,
                 false},
        DescCase{L"file='n.png' source='99999999999,-99999999999,x,7'",
                 L"n.png",
                 L"",
                 0,
                 kZero,
                 {INT_MAX, INT_MIN, 0, 7},
                 kZero,
                 255,
                 false,
                 false,
                 false,
                 false}));

}  // namespace
