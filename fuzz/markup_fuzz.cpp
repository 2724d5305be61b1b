// Parses the input as UTF-8, UTF-16 and ANSI markup and walks whatever
// loaded, reading every name and attribute, so that a read or write outside
// the text buffer shows up under AddressSanitizer.
#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <initializer_list>

#include "skinui/core/markup/xml_markup.h"

namespace {

size_t g_sink = 0;  // keeps the reads from being optimised away

void Walk(const SkinUI::CXmlNode& node, int depth) {
  for (SkinUI::CXmlNode it = node; it.IsBound(); it = it.GetNextSibling()) {
    g_sink += std::wcslen(it.GetName());
    int count = it.CountAttributes();
    for (int i = -1; i <= count; ++i) {
      g_sink += std::wcslen(it.GetAttributeNameAt(i)) + std::wcslen(it.ReadAttribute(i));
    }
    if (count > 0) {
      wchar_t value[16] = {};
      g_sink += it.ReadAttribute(it.GetAttributeNameAt(count - 1), value, 15) ? std::wcslen(value) : 0;
    }
    if (it.HasChild()) Walk(it.GetFirstChild(), depth + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using SkinUI::MarkupEncoding;
  SkinUI::CXmlMarkup markup;
  markup.SetKeepWhitespace(size % 2 == 0);
  for (MarkupEncoding encoding : {MarkupEncoding::Utf8, MarkupEncoding::Utf16, MarkupEncoding::Ansi}) {
    SkinUI::CXmlNode previous = markup.GetRootNode();
    if (markup.ParseBytes(data, size, encoding)) {
      Walk(markup.GetRootNode(), 0);
    } else {
      wchar_t text[SkinUI::CXmlMarkup::kErrorTextLength] = {};
      wchar_t context[SkinUI::CXmlMarkup::kErrorContextLength] = {};
      markup.GetErrorText(text, SkinUI::CXmlMarkup::kErrorTextLength - 1);
      markup.GetErrorContext(context, SkinUI::CXmlMarkup::kErrorContextLength - 1);
      g_sink += std::wcslen(text) + std::wcslen(context);
    }
    // A node of the document just replaced must read as unbound.
    Walk(previous, 0);
  }
  return 0;
}
