#include "skinui/core/resources/lang_text.h"

#include <gtest/gtest.h>

#include <string>

#include "skinui/core/resources/resources.h"

namespace {

TEST(LangText, KnownKeyGivesItsTextMissingKeyBecomesItsOwnText) {
  SkinUI::CResourceContext& context = SkinUI::CResourceContext::Instance();
  context.AddLanguageText(L"lt_known", L"Known text");
  EXPECT_STREQ(SkinUI::LangText("lt_known"), L"Known text");

  ASSERT_EQ(SkinUI::GetLanguageText(L"lt_missing"), nullptr);
  const wchar_t* missing = SkinUI::LangText("lt_missing");
  EXPECT_STREQ(missing, L"lt_missing");
  EXPECT_EQ(SkinUI::GetLanguageText(L"lt_missing"), missing);
  EXPECT_EQ(SkinUI::LangText("lt_missing"), missing);

  SkinUI::CUIString text = L"@lt_missing";
  SkinUI::TranslateText(text);
  EXPECT_EQ(text, L"lt_missing");
}

TEST(LangText, KeyIsDecodedFromUtf8AndCutTo127Characters) {
  EXPECT_STREQ(SkinUI::LangText("lt_\xed\x95\x9c"), L"lt_\uD55C");
  std::string longKey(200, 'k');
  EXPECT_EQ(std::wstring(SkinUI::LangText(longKey.c_str())), std::wstring(127, L'k'));
  EXPECT_STREQ(SkinUI::LangText(nullptr), L"");
}

}  // namespace
