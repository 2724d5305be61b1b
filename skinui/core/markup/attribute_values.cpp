#include "skinui/core/markup/attribute_values.h"

#include <climits>
#include <cmath>
#include <cwchar>

namespace SkinUI {

namespace {

bool IsDigit(wchar_t ch) { return ch >= L'0' && ch <= L'9'; }

int HexDigit(wchar_t ch) {
  if (IsDigit(ch)) return ch - L'0';
  if (ch >= L'a' && ch <= L'f') return ch - L'a' + 10;
  if (ch >= L'A' && ch <= L'F') return ch - L'A' + 10;
  return -1;
}

// Moves past one separator character unless at the terminator.
const wchar_t* SkipSeparator(const wchar_t* text) { return *text != L'\0' ? text + 1 : text; }

// Longest number text handed to the floating-point reader; longer numbers
// are cut there.
constexpr size_t kMaxFractionLength = 63;

double ParseFraction(const wchar_t* text, const wchar_t** end) {
  const wchar_t* stop = text;
  while (*stop != L'\0' && *stop != L',' && static_cast<size_t>(stop - text) < kMaxFractionLength) ++stop;
  wchar_t buffer[kMaxFractionLength + 1];
  size_t length = static_cast<size_t>(stop - text);
  wmemcpy(buffer, text, length);
  buffer[length] = L'\0';
  wchar_t* parsedEnd = nullptr;
  double value = std::wcstod(buffer, &parsedEnd);
  *end = parsedEnd == buffer ? text : stop;
  return std::isfinite(value) ? value : 0;
}

}  // namespace

int ParseDecimal(const wchar_t* text, const wchar_t** end) {
  if (text == nullptr) text = L"";
  const wchar_t* p = text;
  while (*p == L' ' || *p == L'\t') ++p;
  bool negative = *p == L'-';
  if (*p == L'-' || *p == L'+') ++p;
  if (!IsDigit(*p)) {
    if (end != nullptr) *end = text;
    return 0;
  }
  long long value = 0;
  for (; IsDigit(*p); ++p) {
    if (value <= INT_MAX) value = value * 10 + (*p - L'0');
  }
  if (negative) value = -value;
  if (end != nullptr) *end = p;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

uint32_t ParseColor(const wchar_t* text) {
  if (text == nullptr) return 0;
  const wchar_t* p = text;
  if (*p == L'#') ++p;
  if (p[0] == L'0' && (p[1] == L'x' || p[1] == L'X') && HexDigit(p[2]) >= 0) p += 2;
  uint64_t value = 0;
  for (int digit = HexDigit(*p); digit >= 0; digit = HexDigit(*++p)) {
    value = value * 16 + static_cast<uint64_t>(digit);
    if (value > UINT32_MAX) return UINT32_MAX;
  }
  return static_cast<uint32_t>(value);
}

void ParseDecimals(const wchar_t* text, int* values, int count) {
  const wchar_t* p = text != nullptr ? text : L"";
  for (int i = 0; i < count; ++i) {
    const wchar_t* end = p;
    values[i] = ParseDecimal(p, &end);
    if (end == p) {
      const wchar_t* comma = std::wcschr(p, L',');
      end = comma != nullptr ? comma : p + std::wcslen(p);
    }
    p = SkipSeparator(end);
  }
}

void ParseFractions(const wchar_t* text, double* values, int count) {
  const wchar_t* p = text != nullptr ? text : L"";
  for (int i = 0; i < count; ++i) {
    const wchar_t* end = p;
    values[i] = ParseFraction(p, &end);
    p = SkipSeparator(end);
  }
}

bool ParseBool(const wchar_t* text) { return text != nullptr && std::wcscmp(text, L"true") == 0; }

bool Contains(const wchar_t* text, wchar_t ch) { return text != nullptr && std::wcschr(text, ch) != nullptr; }

bool CAttributeListReader::Next(CUIString& name, CUIString& value) {
  if (stopped_ || *cursor_ == L'\0') return false;
  stopped_ = true;
  const wchar_t* p = cursor_;
  const wchar_t* nameStart = p;
  while (*p != L'\0' && *p != L'=') {
    if (*p == L' ') return false;
    ++p;
  }
  if (p == nameStart || p[0] != L'=' || p[1] != L'"') return false;
  name.Assign(nameStart, static_cast<size_t>(p - nameStart));
  p += 2;
  const wchar_t* valueStart = p;
  while (*p != L'\0' && *p != L'"') ++p;
  if (*p != L'"') return false;
  value.Assign(valueStart, static_cast<size_t>(p - valueStart));
  ++p;
  if (*p == L' ') {
    cursor_ = p + 1;
    stopped_ = false;
  } else {
    cursor_ = p;
  }
  return true;
}

}  // namespace SkinUI
