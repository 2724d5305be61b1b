#pragma once
// The image description language of skin attributes: a bare image name, or
// pairs key='value' separated by one blank ("file='btn.png' corner='4,4,4,4'").
// Platform-free.

#include <cstddef>
#include <cstdint>

#include "skinui/core/markup/ui_string.h"

namespace SkinUI {

struct ImageDescRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool IsZero() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
};

struct ParsedImageDesc {
  CUIString name;          // the image; the whole description when no pair names one
  CUIString resourceType;  // "*COLOR*" for a colour, the restype of res, else empty
  uint32_t mask = 0;
  ImageDescRect dest;
  ImageDescRect source;
  ImageDescRect corner;
  uint8_t fade = 255;
  bool hole = false;
  bool xTiled = false;
  bool yTiled = false;
  bool keepPixels = false;  // hsl='true'
};

// Parses length characters of text into out (reset first). Pairs stop at
// the first closing quote that is not followed by a blank; unknown keys and
// empty values are ignored.
void ParseImageDescription(const wchar_t* text, size_t length, ParsedImageDesc* out);

// Reads up to four comma-separated decimals (missing ones are 0, values are
// clamped to the int range).
ImageDescRect ParseDescRect(const wchar_t* text, size_t length);
// Reads a hexadecimal colour with an optional '#' or "0x" (0 when there are no digits).
uint32_t ParseHexColor(const wchar_t* text, size_t length);
// Reads a decimal with an optional sign, clamped to the int range (0 when there are no digits).
int ParseDecimal(const wchar_t* text, size_t length);

}  // namespace SkinUI
