#include "app/ui_locale.h"

#include <windows.h>

#include "app/locale_table.h"

std::wstring detectUiLocale(const std::wstring& fallback) {
  return localeForLanguageId(::GetUserDefaultUILanguage(), fallback);
}
