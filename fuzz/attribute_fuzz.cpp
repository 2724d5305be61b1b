// Arbitrary bytes as an attribute list of skin markup, one byte per
// character: every pair found, and every value read as the numbers,
// colours, rectangles, anchors and booleans that attributes hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "skinui/core/markup/attribute_values.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::wstring list(data, data + size);
  SkinUI::CAttributeListReader reader(list.c_str());
  SkinUI::CUIString name;
  SkinUI::CUIString value;
  size_t pairs = 0;
  while (reader.Next(name, value)) {
    if (name.IsEmpty() || name.Find(L' ') != SkinUI::CUIString::kNotFound) std::abort();
    if (++pairs > size) std::abort();
    int numbers[4];
    double fractions[4];
    SkinUI::ParseDecimals(value.GetData(), numbers, 4);
    SkinUI::ParseFractions(value.GetData(), fractions, 4);
    static_cast<void>(SkinUI::ParseColor(value.GetData()));
    static_cast<void>(SkinUI::ParseBool(value.GetData()));
  }
  return 0;
}
