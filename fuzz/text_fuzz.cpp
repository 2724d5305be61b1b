// Splits and parses arbitrary text and checks what every result must hold.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "utility/text.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

bool hasOuterSpace(const std::wstring& s) { return !s.empty() && (s.front() == L' ' || s.back() == L' '); }

std::size_t occurrences(const std::wstring& text, const std::wstring& separator) {
  std::size_t count = 0;
  for (std::size_t at = text.find(separator); at != std::wstring::npos;
       at = text.find(separator, at + separator.size())) {
    ++count;
  }
  return count;
}

}  // namespace

// Input: one byte giving the separator's length (0 to 3 units), then UTF-16
// units, two bytes each; the separator comes first.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  std::wstring units;
  for (std::size_t i = 1; i + 1 < size; i += 2) {
    units.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  }
  const std::size_t separatorLength = std::min<std::size_t>(data[0] % 4, units.size());
  const std::wstring separator = units.substr(0, separatorLength);
  const std::wstring text = units.substr(separatorLength);
  using namespace utility::text;

  const auto pieces = split(text, separator);
  if (text.empty() || separator.empty()) {
    check(pieces.empty());
  } else {
    check(pieces.size() == occurrences(text, separator) + 1);
  }
  for (const std::wstring& piece : pieces) check(!hasOuterSpace(piece) && trim(piece) == piece);

  for (const auto& [key, value] : parsePairs(pieces, L"=")) {
    check(!key.empty() && !hasOuterSpace(key) && !hasOuterSpace(value));
    check(toLower(key) == key);
  }
  const std::wstring lower = toLower(text);
  check(lower.size() == text.size() && toLower(lower) == lower);
  check(trim(trim(text)) == trim(text));
  check(isAllDigits(text) == (text.find_first_not_of(L"0123456789") == std::wstring::npos));
  return 0;
}
