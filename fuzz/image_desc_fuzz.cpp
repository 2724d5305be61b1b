// Arbitrary text as an image description, read two bytes per character as
// a skin file's UTF-16 text would be.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "skinui/render/image_desc_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<wchar_t> text(size / 2);
  for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
  SkinUI::ParsedImageDesc parsed;
  SkinUI::ParseImageDescription(text.data(), text.size(), &parsed);
  // Every value is a piece of the text; nothing reads past it.
  if (parsed.name.GetLength() > text.size() || parsed.resourceType.GetLength() > text.size() + 7) std::abort();
  SkinUI::ParseDescRect(text.data(), text.size());
  SkinUI::ParseHexColor(text.data(), text.size());
  SkinUI::ParseDecimal(text.data(), text.size());
  return 0;
}
