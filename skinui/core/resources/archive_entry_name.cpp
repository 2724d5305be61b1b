#include "skinui/core/resources/archive_entry_name.h"

namespace SkinUI {

namespace {

// Windows trims trailing dots and blanks from names, so a step made only of
// them never names what it says; only "." (this folder) is harmless.
bool IsDotStep(const std::wstring& name, size_t start, size_t end) {
  if (end - start == 1 && name[start] == L'.') return false;
  for (size_t i = start; i < end; ++i) {
    if (name[i] != L'.' && name[i] != L' ') return false;
  }
  return end > start;
}

}  // namespace

bool IsContainedEntryName(const std::wstring& name) {
  if (name.empty() || name[0] == L'/' || name[0] == L'\\') return false;
  if (name.find(L':') != std::wstring::npos) return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of(L"/\\", start);
    if (end == std::wstring::npos) end = name.size();
    if (IsDotStep(name, start, end)) return false;
    start = end + 1;
  }
  return true;
}

}  // namespace SkinUI
