// Normalises and checks arbitrary typed paths and checks what every result
// must hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "utility/install_path.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

// Two bytes make one UTF-16 unit, so any character can appear.
std::wstring unitsOf(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  for (std::size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  return text;
}

void checkNormalized(const std::wstring& path) {
  const std::wstring n = utility::usystem::normalizePath(path);
  check(n.size() <= path.size());
  check(n.find(L'/') == std::wstring::npos);
  check(n.find(L"\\\\") == std::wstring::npos);
  check(n.empty() || (n.front() != L'\\' && n.back() != L'\\'));
  for (wchar_t c : n) check(c < L'A' || c > L'Z');
  check(utility::usystem::normalizePath(n) == n);
}

void checkShape(const std::wstring& path) {
  const std::wstring candidate = utility::usystem::installPathCandidate(path);
  check(candidate.empty() || (candidate.front() != L' ' && candidate.back() != L' '));
  if (!utility::usystem::hasInstallPathShape(candidate)) return;
  check(candidate.size() > 3 && candidate[1] == L':' && candidate[2] == L'\\');
  check(candidate[0] >= L'a' && candidate[0] <= L'z');
  check(candidate.find_first_of(L"/:*?\"<>|", 3) == std::wstring::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring path = unitsOf(data, size);
  checkNormalized(path);
  checkShape(path);
  return 0;
}
