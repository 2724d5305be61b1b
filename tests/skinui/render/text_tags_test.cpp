#include "skinui/render/text_tags.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {

using SkinUI::CTextTagScanner;
using SkinUI::TextToken;
using SkinUI::TextTokenType;

// Tokens written as "T:text", "<c:params>" and "</c>", joined with '|'.
std::wstring Tokens(const wchar_t* text) {
  CTextTagScanner scanner(text, std::wcslen(text));
  std::wstring out;
  TextToken token;
  while (scanner.Next(&token)) {
    if (!out.empty()) out += L'|';
    const std::wstring body(token.text != nullptr ? token.text : L"", token.length);
    switch (token.type) {
      case TextTokenType::kText:
        out += L"T:" + body;
        break;
      case TextTokenType::kTag:
        out += std::wstring(L"<") + token.tag + L":" + body + L">";
        break;
      case TextTokenType::kEndTag:
        out += std::wstring(L"</") + token.tag + L">";
        break;
    }
  }
  return out;
}

struct ScanCase {
  const wchar_t* text;
  const wchar_t* tokens;
};

class TagScanner : public testing::TestWithParam<ScanCase> {};

TEST_P(TagScanner, SplitsTextAndTags) { EXPECT_EQ(Tokens(GetParam().text), GetParam().tokens); }

INSTANTIATE_TEST_SUITE_P(Table,
                         TagScanner,
                         testing::Values(ScanCase{L"plain text", L"T:plain text"},
                                         ScanCase{L"<b>bold</b> rest", L"<b:>|T:bold|</b>|T: rest"},
                                         ScanCase{L"{c #FF0000}red{/c}", L"<c:#FF0000>|T:red|</c>"},
                                         ScanCase{L"<a http://x/?a=1>go</a>", L"<a:http://x/?a=1>|T:go|</a>"},
                                         // Either closing character ends a tag.
                                         ScanCase{L"<f 1}x{/f>", L"<f:1>|T:x|</f>"},
                                         // Raw text shows tags literally up to the closing r tag.
                                         ScanCase{L"<r><b>raw</b>{n}</r><b>", L"<r:>|T:<b>raw</b>{n}|</r>|<b:>"},
                                         ScanCase{L"<r>never closed <b>", L"<r:>|T:never closed <b>"},
                                         // Not tags: upper case, two letters, no closing character.
                                         ScanCase{L"a<3 b<B>c<bb>", L"T:a<3 b<B>c<bb>"},
                                         ScanCase{L"x<c #FF", L"T:x<c #FF"},
                                         ScanCase{L"<", L"T:<"},
                                         ScanCase{L"</", L"T:</"},
                                         ScanCase{L"{/q", L"T:{/q"},
                                         // Unknown letters are still tags (the drawing shows nothing for them).
                                         ScanCase{L"a<q>b</q>", L"T:a|<q:>|T:b|</q>"},
                                         ScanCase{L"{/r}", L"</r>"},
                                         ScanCase{L"<n><p 5>x", L"<n:>|<p:5>|T:x"},
                                         ScanCase{L"", L""}));

TEST(FontTag, IndexOrDescription) {
  SkinUI::FontTagSpec tag;
  ASSERT_TRUE(SkinUI::ParseFontTag(L" 2", 2, &tag));
  EXPECT_TRUE(tag.byIndex);
  EXPECT_EQ(tag.index, 2);

  const wchar_t* described = L"Microsoft Sans Serif 14 bold italic";
  ASSERT_TRUE(SkinUI::ParseFontTag(described, std::wcslen(described), &tag));
  EXPECT_FALSE(tag.byIndex);
  EXPECT_TRUE(tag.face == L"Microsoft Sans Serif");
  EXPECT_EQ(tag.size, 14);
  EXPECT_TRUE(tag.bold);
  EXPECT_TRUE(tag.italic);
  EXPECT_FALSE(tag.underline);

  ASSERT_TRUE(SkinUI::ParseFontTag(L"Tahoma underline", 16, &tag));
  EXPECT_TRUE(tag.face == L"Tahoma underline") << "styles come after the size";
  EXPECT_EQ(tag.size, 10) << "the size defaults to 10";

  EXPECT_FALSE(SkinUI::ParseFontTag(L"   ", 3, &tag));
}

struct ImageTagCase {
  const wchar_t* params;
  const wchar_t* image;
  int frames;
  int frame;
};

class ImageTag : public testing::TestWithParam<ImageTagCase> {};

TEST_P(ImageTag, NameFramesAndFrame) {
  const ImageTagCase& c = GetParam();
  SkinUI::ImageTagSpec tag;
  SkinUI::ParseImageTag(c.params, std::wcslen(c.params), &tag);
  EXPECT_EQ(std::wstring(tag.image, tag.imageLength), c.image);
  EXPECT_EQ(tag.frames, c.frames);
  EXPECT_EQ(tag.frame, c.frame);
}

INSTANTIATE_TEST_SUITE_P(Table,
                         ImageTag,
                         testing::Values(ImageTagCase{L"icon.png", L"icon.png", 1, 0},
                                         ImageTagCase{L"icon.png 3 1", L"icon.png", 3, 1},
                                         ImageTagCase{L"icon.png 3 7", L"icon.png", 3, 0},
                                         ImageTagCase{L"icon.png 0 -1", L"icon.png", 1, 0},
                                         ImageTagCase{L"file='a b.png' mask='#FFFF00FF' 2 1",
                                                      L"file='a b.png' mask='#FFFF00FF'", 2, 1}));

}  // namespace
