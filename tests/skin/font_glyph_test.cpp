// The skin's font under Wine: "Microsoft YaHei" and its native name draw
// real glyphs for every script of the language table, in regular and bold,
// not the box that a missing glyph gives.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skinui/core/gdi_handles.h"
#include "tests/skinui/render/render_test_support.h"

namespace {

constexpr int kSize = 40;

// The pixels of one character drawn black on white in face at 20 pixels.
std::vector<uint32_t> Draw(const wchar_t* face, int weight, wchar_t character) {
  vxtest::Surface surface(kSize, kSize);
  SkinUI::ScopedFont font(
      ::CreateFontW(-20, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, face));
  if (!font) return {};
  SkinUI::ScopedSelectObject select(surface.dc(), font.get());
  ::SetTextColor(surface.dc(), RGB(0, 0, 0));
  ::SetBkMode(surface.dc(), TRANSPARENT);
  ::TextOutW(surface.dc(), 8, 6, &character, 1);
  ::GdiFlush();
  std::vector<uint32_t> pixels;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) pixels.push_back(surface.At(x, y));
  }
  return pixels;
}

int InkedPixels(const std::vector<uint32_t>& pixels) {
  int inked = 0;
  for (uint32_t p : pixels) inked += (p & 0xFFFFFF) != 0xFFFFFF ? 1 : 0;
  return inked;
}

TEST(SkinFont, EveryScriptOfTheTableDrawsRealGlyphs) {
  const struct {
    const char* script;
    wchar_t character;
  } cases[] = {
      {"Chinese", L'\u4E2D'},   {"Traditional Chinese", L'\u9AD4'},
      {"Japanese", L'\u3042'},  {"Korean", L'\uD55C'},
      {"Thai", L'\u0E01'},      {"Arabic", L'\u0639'},
      {"Persian", L'\u06CC'},   {"Cyrillic", L'\u0416'},
      {"Ukrainian", L'\u0457'}, {"Vietnamese", L'\u1EBF'},
  };
  // A code point no font has: what a missing glyph looks like.
  const wchar_t unassigned = static_cast<wchar_t>(0x0378);
  for (const wchar_t* face : {L"Microsoft YaHei", L"\u5FAE\u8F6F\u96C5\u9ED1"}) {
    for (int weight : {FW_NORMAL, FW_BOLD}) {
      const std::vector<uint32_t> missing = Draw(face, weight, unassigned);
      ASSERT_EQ(missing.size(), static_cast<size_t>(kSize * kSize));
      for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.script << " weight " << weight);
        const std::vector<uint32_t> glyph = Draw(face, weight, c.character);
        ASSERT_EQ(glyph.size(), missing.size());
        EXPECT_GT(InkedPixels(glyph), 12);
        EXPECT_NE(glyph, missing);
      }
    }
  }
}

}  // namespace
