// Native (non-Windows) conversions for sanitizer and fuzz builds: UTF-8 as
// the platform decodes it (invalid sequences become U+FFFD), and the ANSI
// code page taken as Latin-1.
#include "skinui/core/markup/text_codec.h"

#include <cstdint>

namespace SkinUI {

namespace {

constexpr uint32_t kReplacement = 0xFFFD;

// Decodes one code point at bytes[i]; advances i past what was consumed.
uint32_t NextCodePoint(const unsigned char* bytes, size_t size, size_t& i) {
  unsigned char lead = bytes[i++];
  if (lead < 0x80) return lead;
  int extra;
  uint32_t cp;
  uint32_t min;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, cp = lead & 0x1F, min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, cp = lead & 0x0F, min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, cp = lead & 0x07, min = 0x10000;
  } else {
    return kReplacement;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= size || (bytes[i] & 0xC0) != 0x80) return kReplacement;
    cp = (cp << 6) | (bytes[i++] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
  return cp;
}

// Walks the input and emits UTF-16 units; out may be null to only count.
size_t Decode(ByteEncoding encoding, const char* bytes, size_t size, wchar_t* out, size_t capacity) {
  const auto* in = reinterpret_cast<const unsigned char*>(bytes);
  size_t units = 0;
  auto emit = [&](uint32_t unit) {
    if (out != nullptr && units < capacity) out[units] = static_cast<wchar_t>(unit);
    ++units;
  };
  for (size_t i = 0; i < size;) {
    uint32_t cp = encoding == ByteEncoding::Ansi ? in[i++] : NextCodePoint(in, size, i);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      emit(0xD800 + (cp >> 10));
      emit(0xDC00 + (cp & 0x3FF));
    } else {
      emit(cp);
    }
  }
  return units;
}

}  // namespace

size_t DecodedLength(ByteEncoding encoding, const char* bytes, size_t size) {
  if (bytes == nullptr || size == 0) return 0;
  return Decode(encoding, bytes, size, nullptr, 0);
}

size_t DecodeBytes(ByteEncoding encoding, const char* bytes, size_t size, wchar_t* out, size_t capacity) {
  if (bytes == nullptr || size == 0 || out == nullptr || capacity == 0) return 0;
  size_t units = Decode(encoding, bytes, size, out, capacity);
  return units <= capacity ? units : 0;
}

}  // namespace SkinUI
