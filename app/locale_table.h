#pragma once
// Translation between the system's UI language id, the downloader's short
// language codes ("kr", "jp", "tw", ...) and the UI language table's locales
// ("ko_KR", "ja_JP", "zh_TW", ...). Pure tables, no platform calls.

#include <string>

// Locale for a Windows language id (primary language = low 10 bits); any
// Chinese gives "zh_TW"; an unknown primary language gives fallback.
std::wstring localeForLanguageId(unsigned languageId, const std::wstring& fallback);

// Locale of a short language code, exact match; unknown codes give "en_US".
std::wstring codeToLocale(const std::wstring& code);

// Short language code of a locale, exact match; unknown locales give "en".
std::wstring localeToCode(const std::wstring& locale);
