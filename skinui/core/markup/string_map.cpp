#include "skinui/core/markup/string_map.h"

#include <cwchar>

namespace SkinUI {

uint32_t HashStringKey(const wchar_t* key) {
  if (key == nullptr) return 0;
  uint32_t hash = 0;
  for (size_t i = std::wcslen(key); i > 0; --i) {
    hash = hash * 33 + static_cast<uint32_t>(key[i - 1]);
  }
  return hash;
}

}  // namespace SkinUI
