#include "skinui/core/markup/text_codec.h"

#include <windows.h>

#include <climits>

#include "utility/text.h"

namespace SkinUI {

namespace {

UINT CodePage(ByteEncoding encoding) { return encoding == ByteEncoding::Utf8 ? CP_UTF8 : CP_ACP; }

}  // namespace

size_t DecodedLength(ByteEncoding encoding, const char* bytes, size_t size) {
  if (size > INT_MAX) return 0;
  int n = utility::text::toWideInto(bytes, static_cast<int>(size), CodePage(encoding), nullptr, 0);
  return static_cast<size_t>(n);
}

size_t DecodeBytes(ByteEncoding encoding, const char* bytes, size_t size, wchar_t* out, size_t capacity) {
  if (size > INT_MAX || out == nullptr || capacity == 0) return 0;
  int room = capacity > INT_MAX ? INT_MAX : static_cast<int>(capacity);
  int n = utility::text::toWideInto(bytes, static_cast<int>(size), CodePage(encoding), out, room);
  return static_cast<size_t>(n);
}

}  // namespace SkinUI
