#include "skinui/core/resources/lang_text.h"

#include <cstring>
#include <string>

#include "skinui/core/markup/text_codec.h"
#include "skinui/core/resources/resources.h"

namespace SkinUI {

namespace {

constexpr size_t kMaxKeyUnits = 127;

std::wstring WideKey(const char* key) {
  size_t size = key != nullptr ? std::strlen(key) : 0;
  std::wstring wide(DecodedLength(ByteEncoding::Utf8, key, size), L'\0');
  wide.resize(DecodeBytes(ByteEncoding::Utf8, key, size, wide.data(), wide.size()));
  if (wide.size() > kMaxKeyUnits) wide.resize(kMaxKeyUnits);
  return wide;
}

}  // namespace

const wchar_t* LangText(const char* key) {
  CResourceContext& context = CResourceContext::Instance();
  std::wstring wide = WideKey(key);
  if (const wchar_t* text = context.GetLanguageText(wide.c_str())) return text;
  return context.AddLanguageText(wide, wide);
}

}  // namespace SkinUI
