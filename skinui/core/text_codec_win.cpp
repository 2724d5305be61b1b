#include "skinui/core/text_codec.h"

#include <windows.h>

#include <climits>

namespace SkinUI {

namespace {

UINT codePage(ByteEncoding encoding) { return encoding == ByteEncoding::Utf8 ? CP_UTF8 : CP_ACP; }

}  // namespace

size_t DecodedLength(ByteEncoding encoding, const char* bytes, size_t size) {
  if (bytes == nullptr || size == 0 || size > INT_MAX) return 0;
  int n = ::MultiByteToWideChar(codePage(encoding), 0, bytes, static_cast<int>(size), nullptr, 0);
  return n > 0 ? static_cast<size_t>(n) : 0;
}

size_t DecodeBytes(ByteEncoding encoding, const char* bytes, size_t size, wchar_t* out,
                   size_t capacity) {
  if (bytes == nullptr || size == 0 || size > INT_MAX || out == nullptr || capacity == 0) return 0;
  int room = capacity > INT_MAX ? INT_MAX : static_cast<int>(capacity);
  int n = ::MultiByteToWideChar(codePage(encoding), 0, bytes, static_cast<int>(size), out, room);
  return n > 0 ? static_cast<size_t>(n) : 0;
}

}  // namespace SkinUI
