#pragma once
// The framework's one seam to the platform's text conversions, so that the
// markup parser and the language reader stay free of windows.h and build
// natively for sanitizers and fuzzing. Output is UTF-16 in wchar_t units
// (code points above U+FFFF become surrogate pairs on every platform).

#include <cstddef>

namespace SkinUI {

enum class ByteEncoding { Utf8, Ansi };

// Number of UTF-16 units that size bytes decode to; 0 when they decode to
// nothing. Invalid sequences decode to U+FFFD.
size_t DecodedLength(ByteEncoding encoding, const char* bytes, size_t size);

// Decodes size bytes into out, which has room for capacity units (no
// terminator is written). Returns the units written; 0 when the result is
// empty or does not fit.
size_t DecodeBytes(ByteEncoding encoding, const char* bytes, size_t size, wchar_t* out, size_t capacity);

}  // namespace SkinUI
