#pragma once
// The locale of the user's UI language, read from the system.

#include <string>

// Locale for the user's default UI language; fallback when it has none in
// the table.
std::wstring detectUiLocale(const std::wstring& fallback);
