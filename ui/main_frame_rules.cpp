#include "ui/main_frame_rules.h"

#include <algorithm>
#include <cstdio>

namespace mainframe {
namespace {

std::wstring formatAmount(float value, const wchar_t* unit) {
  wchar_t text[64];
  std::swprintf(text, 64, L"%0.2f%ls", static_cast<double>(value), unit);
  return text;
}

void replaceAll(std::wstring& text, const std::wstring& from, const std::wstring& to) {
  for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

}  // namespace

void normalizeInstallPath(std::wstring& path) {
  std::replace(path.begin(), path.end(), L'/', L'\\');
  replaceAll(path, L"\\\\", L"\\");
  const size_t first = path.find_first_not_of(L' ');
  if (first == std::wstring::npos) {
    path.clear();
    return;
  }
  path = path.substr(first, path.find_last_not_of(L' ') - first + 1);
  if (path.back() != L'\\') path += L'\\';
}

std::wstring downloadAmountText(int received, int total) {
  constexpr int kKilo = 1024;
  constexpr int kMega = 1024 * 1024;
  std::wstring text;
  if (received < kKilo) {
    text = formatAmount(static_cast<float>(received), L"B");
  } else if (received < kMega) {
    text = formatAmount(static_cast<float>(received) / kKilo, L"KB");
  } else {
    text = formatAmount(static_cast<float>(received) / kMega, L"M");
  }
  return text + L"/" + formatAmount(static_cast<float>(total) / kMega, L"M");
}

int downloadBarValue(int percent, bool arabic) {
  float value = static_cast<float>(percent) * 0.63f;
  if (value < 1) value = static_cast<float>(percent);
  if (value < 3 && !arabic) value = 3;
  return static_cast<int>(value);
}

int installCreepValue(int step) { return std::min(step, 35) + 64; }

}  // namespace mainframe
