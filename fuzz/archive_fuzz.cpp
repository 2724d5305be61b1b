// Arbitrary bytes as a 7z archive: the glue and the decoder must neither
// read nor write outside their buffers, and each reported file must be
// readable in full. Each name also goes through the rule for unpacking to
// disk, which sees exactly such names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cwchar>

#include "skinui/core/resources/archive_entry_name.h"
#include "skinui/core/resources/archive_extract.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  unsigned sum = 0;
  int result =
      SkinUI::ExtractArchiveToMemory(data, size, [&sum](const wchar_t* name, const unsigned char* bytes, size_t n) {
        if (name == nullptr || bytes == nullptr || n == 0) std::abort();
        sum += static_cast<unsigned>(std::wcslen(name));
        sum += SkinUI::IsContainedEntryName(name) ? 1u : 0u;
        for (size_t i = 0; i < n; ++i) sum += bytes[i];
      });
  if (result != 0 && (result < 1000 || result > 1014)) std::abort();
  return static_cast<int>(sum & 0);
}
