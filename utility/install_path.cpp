#include "utility/install_path.h"

namespace utility::usystem {

namespace {

std::wstring trimSpaces(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return {};
  const size_t last = text.find_last_not_of(L' ');
  return text.substr(first, last - first + 1);
}

bool isAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// A relative path would resolve against whatever the current directory is.
bool startsWithDriveRoot(const std::wstring& path) {
  return path.size() >= 3 && isAsciiLetter(path[0]) && path[1] == L':' && path[2] == L'\\';
}

// Only the text before each "\" is examined; the last name may be anything
// that passed the character check.
bool hasEmptyFolderName(const std::wstring& rest) {
  size_t start = 0;
  for (size_t slash = rest.find(L'\\'); slash != std::wstring::npos; slash = rest.find(L'\\', start)) {
    if (trimSpaces(rest.substr(start, slash - start)).empty()) return true;
    start = slash + 1;
  }
  return false;
}

}  // namespace

std::wstring normalizePath(const std::wstring& path) {
  std::wstring result;
  result.reserve(path.size());
  for (wchar_t c : path) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c == L'/') c = L'\\';
    if (c == L'\\' && !result.empty() && result.back() == L'\\') continue;
    result.push_back(c);
  }
  const size_t first = result.find_first_not_of(L'\\');
  if (first == std::wstring::npos) return {};
  const size_t last = result.find_last_not_of(L'\\');
  return result.substr(first, last - first + 1);
}

std::wstring installPathCandidate(const std::wstring& path) { return trimSpaces(normalizePath(path)); }

bool hasInstallPathShape(const std::wstring& candidate) {
  if (!startsWithDriveRoot(candidate)) return false;
  const std::wstring rest = trimSpaces(candidate.substr(3));
  // The drive root itself is no install directory, with or without spaces.
  if (rest.empty()) return false;
  if (rest.find_first_of(L"/:*?\"<>|") != std::wstring::npos) return false;
  return !hasEmptyFolderName(rest);
}

}  // namespace utility::usystem
