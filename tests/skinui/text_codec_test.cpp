#include "skinui/core/markup/text_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring decode(SkinUI::ByteEncoding encoding, const std::string& bytes) {
  size_t n = SkinUI::DecodedLength(encoding, bytes.data(), bytes.size());
  std::wstring out(n, L'\0');
  EXPECT_EQ(SkinUI::DecodeBytes(encoding, bytes.data(), bytes.size(), out.data(), out.size()), n);
  return out;
}

TEST(TextCodec, Utf8DecodesToUtf16IncludingSurrogatePairs) {
  EXPECT_EQ(decode(SkinUI::ByteEncoding::Utf8, "A\xC3\xA9\xE4\xB8\xAD"), L"A\u00E9\u4E2D");
  std::wstring emoji = decode(SkinUI::ByteEncoding::Utf8, "\xF0\x9F\x98\x80");
  ASSERT_EQ(emoji.size(), 2u);
  EXPECT_EQ(emoji[0], static_cast<wchar_t>(0xD83D));
  EXPECT_EQ(emoji[1], static_cast<wchar_t>(0xDE00));
}

TEST(TextCodec, InvalidUtf8BecomesReplacementCharacters) {
  std::wstring out = decode(SkinUI::ByteEncoding::Utf8,
                            "a\xFF"
                            "b");
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[1], static_cast<wchar_t>(0xFFFD));
}

TEST(TextCodec, TooSmallOutputOrEmptyInputGivesZero) {
  const char text[] = "hello";
  wchar_t out[4];
  EXPECT_EQ(SkinUI::DecodeBytes(SkinUI::ByteEncoding::Utf8, text, 5, out, 4), 0u);
  EXPECT_EQ(SkinUI::DecodedLength(SkinUI::ByteEncoding::Utf8, text, 0), 0u);
  EXPECT_EQ(SkinUI::DecodedLength(SkinUI::ByteEncoding::Utf8, nullptr, 5), 0u);
}

TEST(TextCodec, AnsiAsciiPassesThrough) { EXPECT_EQ(decode(SkinUI::ByteEncoding::Ansi, "Install"), L"Install"); }

}  // namespace
