#include "app/locale_table.h"

#include <string_view>

namespace {

struct LanguageLocale {
  unsigned primaryLanguage;
  std::wstring_view locale;
};

constexpr unsigned kPrimaryLanguageMask = 0x3FF;
constexpr unsigned kChinese = 0x04;

// Every Chinese variant shares the traditional-Chinese texts; handled apart.
constexpr LanguageLocale kLanguageLocales[] = {
    {0x01, L"ar_IL"}, {0x07, L"de_DE"}, {0x09, L"en_US"}, {0x0A, L"es_ES"}, {0x0C, L"fr_FR"}, {0x10, L"it_IT"},
    {0x11, L"ja_JP"}, {0x12, L"ko_KR"}, {0x16, L"pt_PT"}, {0x19, L"ru_RU"}, {0x1E, L"th_TH"}, {0x1F, L"tr_TR"},
    {0x21, L"in_ID"}, {0x22, L"uk_UA"}, {0x29, L"fa_IR"}, {0x2A, L"vi_VN"}, {0x39, L"hi_IN"}, {0x3E, L"ms_MY"},
};

struct CodeLocale {
  std::wstring_view code;
  std::wstring_view locale;
};

// The downloader's own codes: "kr", "jp", "vn", "ua", "id" for Indonesian,
// "in" for Hindi, "my" for Malay, "tw" for Chinese.
constexpr CodeLocale kCodeLocales[] = {
    {L"kr", L"ko_KR"}, {L"en", L"en_US"}, {L"vn", L"vi_VN"}, {L"th", L"th_TH"}, {L"ru", L"ru_RU"},
    {L"ua", L"uk_UA"}, {L"pt", L"pt_PT"}, {L"tr", L"tr_TR"}, {L"es", L"es_ES"}, {L"fr", L"fr_FR"},
    {L"de", L"de_DE"}, {L"jp", L"ja_JP"}, {L"id", L"in_ID"}, {L"ar", L"ar_IL"}, {L"fa", L"fa_IR"},
    {L"in", L"hi_IN"}, {L"it", L"it_IT"}, {L"my", L"ms_MY"}, {L"tw", L"zh_TW"},
};

constexpr std::wstring_view kDefaultCode = L"en";
constexpr std::wstring_view kDefaultLocale = L"en_US";

}  // namespace

std::wstring localeForLanguageId(unsigned languageId, const std::wstring& fallback) {
  const unsigned primary = languageId & kPrimaryLanguageMask;
  if (primary == kChinese) return L"zh_TW";
  for (const LanguageLocale& row : kLanguageLocales) {
    if (row.primaryLanguage == primary) return std::wstring(row.locale);
  }
  return fallback;
}

std::wstring codeToLocale(const std::wstring& code) {
  for (const CodeLocale& row : kCodeLocales) {
    if (row.code == code) return std::wstring(row.locale);
  }
  return std::wstring(kDefaultLocale);
}

std::wstring localeToCode(const std::wstring& locale) {
  for (const CodeLocale& row : kCodeLocales) {
    if (row.locale == locale) return std::wstring(row.code);
  }
  return std::wstring(kDefaultCode);
}
