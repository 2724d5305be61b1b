#include "app/locale_table.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "app/ui_locale.h"

namespace {

const wchar_t* const kFallback = L"xx_FALLBACK";

struct LanguageIdCase {
  unsigned languageId;
  const wchar_t* locale;
};

// Full language ids, sub-language in the high bits, for every table row.
const LanguageIdCase kLanguageIdCases[] = {
    {0x0404, L"zh_TW"},  // Chinese (Taiwan)
    {0x0804, L"zh_TW"},  // Chinese (PRC): simplified Chinese gets the one Chinese text set
    {0x0C04, L"zh_TW"},  // Chinese (Hong Kong)
    {0x7C04, L"zh_TW"},  // Chinese (traditional, neutral)
    {0x0401, L"ar_IL"},
    {0x0407, L"de_DE"},
    {0x0C07, L"de_DE"},
    {0x0409, L"en_US"},
    {0x0809, L"en_US"},  // English (UK): only the primary language counts
    {0x0C0A, L"es_ES"},
    {0x080A, L"es_ES"},
    {0x040C, L"fr_FR"},
    {0x0410, L"it_IT"},
    {0x0411, L"ja_JP"},
    {0x0412, L"ko_KR"},
    {0x0416, L"pt_PT"},
    {0x0816, L"pt_PT"},
    {0x0419, L"ru_RU"},
    {0x041E, L"th_TH"},
    {0x041F, L"tr_TR"},
    {0x0421, L"in_ID"},
    {0x0422, L"uk_UA"},
    {0x0429, L"fa_IR"},
    {0x042A, L"vi_VN"},
    {0x0439, L"hi_IN"},
    {0x043E, L"ms_MY"},
    {0x083E, L"ms_MY"},
    {0x0413, kFallback},  // Dutch
    {0x0415, kFallback},  // Polish
    {0x0000, kFallback},  // neutral
    // The primary language is 10 bits wide: 0x104 and 0x109 are neither
    // Chinese nor English.
    {0x0104, kFallback},
    {0x0109, kFallback},
};

TEST(LocaleForLanguageId, MapsThePrimaryLanguageOrFallsBack) {
  for (const LanguageIdCase& c : kLanguageIdCases) {
    EXPECT_EQ(localeForLanguageId(c.languageId, kFallback), c.locale) << std::hex << "language id 0x" << c.languageId;
  }
}

TEST(LocaleForLanguageId, ChineseAndDutchThroughToTheLanguageCode) {
  // The model asks with "en_US" and then derives its code from the locale.
  EXPECT_EQ(localeToCode(localeForLanguageId(0x0804, L"en_US")), L"tw");
  EXPECT_EQ(localeToCode(localeForLanguageId(0x0413, L"en_US")), L"en");
}

// Wine takes the UI language from the process's LC_ALL; ctest runs this test
// again under Chinese and Dutch and names the locale to expect.
TEST(DetectUiLocale, FollowsTheSystemUiLanguage) {
  const LANGID id = ::GetUserDefaultUILanguage();
  std::cout << "system UI language id: 0x" << std::hex << id << std::dec << "\n";
  const std::wstring locale = detectUiLocale(L"en_US");
  EXPECT_EQ(locale, localeForLanguageId(id, L"en_US"));
  if (const char* expected = std::getenv("VX_EXPECTED_UI_LOCALE")) {
    EXPECT_EQ(locale, std::wstring(expected, expected + std::strlen(expected)));
  }
}

struct CodeLocaleCase {
  const wchar_t* code;
  const wchar_t* locale;
};

// The downloader's own codes differ from the locales' language parts.
const CodeLocaleCase kCodeLocaleCases[] = {
    {L"kr", L"ko_KR"}, {L"en", L"en_US"}, {L"vn", L"vi_VN"}, {L"th", L"th_TH"}, {L"ru", L"ru_RU"},
    {L"ua", L"uk_UA"}, {L"pt", L"pt_PT"}, {L"tr", L"tr_TR"}, {L"es", L"es_ES"}, {L"fr", L"fr_FR"},
    {L"de", L"de_DE"}, {L"jp", L"ja_JP"}, {L"id", L"in_ID"}, {L"ar", L"ar_IL"}, {L"fa", L"fa_IR"},
    {L"in", L"hi_IN"}, {L"it", L"it_IT"}, {L"my", L"ms_MY"}, {L"tw", L"zh_TW"},
};

TEST(CodeAndLocale, EveryPairMapsBothWays) {
  for (const CodeLocaleCase& c : kCodeLocaleCases) {
    EXPECT_EQ(codeToLocale(c.code), c.locale) << c.code;
    EXPECT_EQ(localeToCode(c.locale), c.code) << c.locale;
  }
}

TEST(CodeAndLocale, MissesGiveEnglishAndCompareExactly) {
  // Not in the table: "cn" is a site language only; codes and locales of the
  // wrong case, a different region or another spelling.
  for (const wchar_t* code : {L"cn", L"EN", L"Kr", L"ko", L"ja", L"zh", L"xx", L"", L"en "}) {
    EXPECT_EQ(codeToLocale(code), L"en_US") << code;
  }
  for (const wchar_t* locale : {L"en_GB", L"zh_CN", L"ko_kr", L"ko-KR", L"EN_US", L"ko", L"nl_NL", L"", L"tw"}) {
    EXPECT_EQ(localeToCode(locale), L"en") << locale;
  }
}

}  // namespace
