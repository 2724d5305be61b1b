#include "utility/text.h"

#include <algorithm>

namespace utility::text {

std::wstring trim(const std::wstring& s) {
  std::size_t first = s.find_first_not_of(L' ');
  if (first == std::wstring::npos) return std::wstring();
  return s.substr(first, s.find_last_not_of(L' ') - first + 1);
}

std::wstring toLower(const std::wstring& s) {
  std::wstring lower = s;
  // ASCII only, independent of the current locale.
  for (wchar_t& c : lower) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return lower;
}

std::vector<std::wstring> split(const std::wstring& text, const std::wstring& separator) {
  std::vector<std::wstring> pieces;
  if (text.empty() || separator.empty()) return pieces;
  std::size_t start = 0;
  for (std::size_t at = text.find(separator); at != std::wstring::npos; at = text.find(separator, start)) {
    pieces.push_back(trim(text.substr(start, at - start)));
    start = at + separator.size();
  }
  pieces.push_back(trim(text.substr(start)));
  return pieces;
}

std::map<std::wstring, std::wstring> parsePairs(const std::vector<std::wstring>& items, const std::wstring& separator) {
  std::map<std::wstring, std::wstring> pairs;
  for (const std::wstring& item : items) {
    std::size_t at = separator.empty() ? std::wstring::npos : item.find(separator);
    if (at == std::wstring::npos) continue;
    std::wstring key = toLower(trim(item.substr(0, at)));
    if (!key.empty()) pairs[key] = trim(item.substr(at + separator.size()));
  }
  return pairs;
}

bool isAllDigits(const std::wstring& s) {
  return std::all_of(s.begin(), s.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

}  // namespace utility::text
