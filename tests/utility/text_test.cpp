#include "utility/text.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using utility::text::isAllDigits;
using utility::text::parsePairs;
using utility::text::split;
using utility::text::toLower;
using utility::text::trim;
using Pieces = std::vector<std::wstring>;

TEST(Text, TrimRemovesOnlySpaces) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"", L""}, {L"   ", L""}, {L" a b ", L"a b"}, {L"\ta\t", L"\ta\t"}, {L"\r\nx ", L"\r\nx"}, {L"x", L"x"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(trim(in), out) << in;
}

TEST(Text, ToLowerChangesAsciiLettersOnly) {
  EXPECT_EQ(toLower(L"VanDoRix9_KR"), L"vandorix9_kr");
  EXPECT_EQ(toLower(L"\u00C4\u0130\u0391Z@["), L"\u00C4\u0130\u0391z@[");
}

TEST(Text, SplitKeepsEmptyPiecesAndTrims) {
  const struct {
    std::wstring text;
    std::wstring separator;
    Pieces pieces;
  } cases[] = {
      {L"a_b_", L"_", {L"a", L"b", L""}},
      {L"", L"_", {}},
      {L"abc", L"", {}},
      {L" x ", L"_", {L"x"}},
      {L"vandorix9_kr_2033_x", L"_", {L"vandorix9", L"kr", L"2033", L"x"}},
      {L"__", L"_", {L"", L"", L""}},
      {L"a :: b::c", L"::", {L"a", L"b", L"c"}},
      {L"a\tb", L"_", {L"a\tb"}},
  };
  for (const auto& c : cases) EXPECT_EQ(split(c.text, c.separator), c.pieces) << c.text;
}

TEST(Text, ParsePairsLowerCasesKeysAndSkipsItemsWithoutSeparator) {
  using Map = std::map<std::wstring, std::wstring>;
  const struct {
    Pieces items;
    std::wstring separator;
    Map pairs;
  } cases[] = {
      {{L" Key = v ", L"x"}, L"=", {{L"key", L"v"}}},
      {{L"a=1", L"A = 2"}, L"=", {{L"a", L"2"}}},
      {{L" = v", L"k="}, L"=", {{L"k", L""}}},
      {{L"k=a=b"}, L"=", {{L"k", L"a=b"}}},
      {{L"k: v"}, L": ", {{L"k", L"v"}}},
      {{L"k=v"}, L"", {}},
      {{}, L"=", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(parsePairs(c.items, c.separator), c.pairs);
}

TEST(Text, IsAllDigits) {
  const std::pair<std::wstring, bool> cases[] = {
      {L"", true}, {L"0123456789", true}, {L"12a", false}, {L" 1", false}, {L"-1", false}, {L"\u0661", false},
  };
  for (const auto& [in, digits] : cases) EXPECT_EQ(isAllDigits(in), digits) << in;
}

TEST(Text, ToWideHandlesCountsAndBadInput) {
  using utility::text::toWide;
  const char text[] = "ab\xE4\xB8\xAD";  // "ab" and U+4E2D in UTF-8
  EXPECT_EQ(toWide(text, -1, CP_UTF8), L"ab\u4E2D");
  EXPECT_EQ(toWide(text, 2, CP_UTF8), L"ab");
  EXPECT_EQ(toWide(text, 0, CP_UTF8), L"");
  EXPECT_EQ(toWide(text, -5, CP_UTF8), L"");
  EXPECT_EQ(toWide(nullptr, -1, CP_UTF8), L"");
  EXPECT_EQ(toWide("", -1, CP_UTF8), L"");
  // Embedded NULs are kept when the count is given.
  EXPECT_EQ(toWide("a\0b", 3, CP_UTF8), std::wstring(L"a\0b", 3));
}

TEST(Text, ToWideIntoMeasuresAndConvertsIntoTheCallersBuffer) {
  const char text[] = "ab\xE4\xB8\xAD";  // "ab" and U+4E2D in UTF-8
  const struct {
    const char* bytes;
    int count;
    int capacity;  // -1: measure only (no buffer)
    int result;
    std::wstring written;
  } cases[] = {
      {text, 5, -1, 3, L""},
      {text, 5, 3, 3, L"ab\u4E2D"},
      {text, 5, 8, 3, L"ab\u4E2D"},
      {text, 5, 2, 0, L""},  // does not fit
      {text, -1, 8, 4, std::wstring(L"ab\u4E2D\0", 4)},
      {text, 0, 8, 0, L""},
      {text, -2, 8, 0, L""},
      {nullptr, 5, 8, 0, L""},
      {"a\xFF", 2, 8, 2, L"a\uFFFD"},
  };
  for (const auto& c : cases) {
    wchar_t out[8] = {};
    const bool measure = c.capacity < 0;
    const int result =
        utility::text::toWideInto(c.bytes, c.count, CP_UTF8, measure ? nullptr : out, measure ? 0 : c.capacity);
    EXPECT_EQ(result, c.result) << c.count << " " << c.capacity;
    EXPECT_EQ(std::wstring(out, static_cast<size_t>(result > 0 && !measure ? result : 0)), c.written)
        << c.count << " " << c.capacity;
  }
  wchar_t out[4] = {};
  EXPECT_EQ(utility::text::toWideInto(text, 5, CP_UTF8, out, -1), 0);
}

TEST(Text, ToMultiByteHandlesCountsAndBadInput) {
  using utility::text::toMultiByte;
  EXPECT_EQ(toMultiByte(L"ab\u4E2D", -1, CP_UTF8), "ab\xE4\xB8\xAD");
  EXPECT_EQ(toMultiByte(L"ab\u4E2D", 1, CP_UTF8), "a");
  EXPECT_EQ(toMultiByte(L"ab", -2, CP_UTF8), "");
  EXPECT_EQ(toMultiByte(nullptr, -1, CP_UTF8), "");
  EXPECT_EQ(toMultiByte(L"", -1, CP_UTF8), "");
}

TEST(Text, CodePageRoundTrips) {
  using namespace utility::text;
  const std::wstring text = L"Vandorix \u00E9\u4E2D\U0001F600 100%";
  EXPECT_EQ(utf8ToWide(toMultiByte(text.c_str(), -1, CP_UTF8)), text);
  EXPECT_EQ(utf8ToWide(std::string("x\0y", 3)), std::wstring(L"x\0y", 3));
  // ASCII is the same in every ANSI code page.
  const std::string url = "http://127.0.0.1:8080/p/Vandorix.exe?a=1%20b";
  EXPECT_EQ(ansiToWide(url), std::wstring(url.begin(), url.end()));
  EXPECT_EQ(wideToAnsi(std::wstring(url.begin(), url.end())), url);
  EXPECT_EQ(ansiToUtf8(url), url);
  EXPECT_EQ(ansiToUtf8(""), "");
  // Beyond ASCII, in the Western code page of the test prefix.
  ASSERT_EQ(::GetACP(), 1252u);
  EXPECT_EQ(ansiToWide("caf\xE9"), L"caf\u00E9");
  EXPECT_EQ(ansiToUtf8("caf\xE9"), "caf\xC3\xA9");
  EXPECT_EQ(wideToAnsi(L"caf\u00E9"), "caf\xE9");
  EXPECT_EQ(wideToAnsi(L"\u4E2D"), "?");
}

}  // namespace
