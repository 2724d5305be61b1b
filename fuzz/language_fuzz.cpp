// Arbitrary bytes as language.tsv. Bytes before a 0x01 byte, when there is
// one, are the language code, so that every column can be chosen.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "skinui/core/resources/language_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  std::wstring language = L"en_US";
  const void* mark = std::memchr(bytes, 1, size);
  if (mark != nullptr) {
    size_t n = static_cast<size_t>(static_cast<const char*>(mark) - bytes);
    language.assign(bytes, bytes + n);
    bytes += n + 1;
    size -= n + 1;
  }
  SkinUI::CLanguageTable table;
  bool loaded = table.Load(bytes, size, language);
  if (!loaded && table.Size() != 0) std::abort();
  for (const std::wstring& cell : table.Header().codes) {
    if (cell.size() > 512) std::abort();
  }
  return 0;
}
