#pragma once
// Reading attribute values of skin markup: decimals, colours, rectangles,
// pairs, booleans and floating-point anchors, and walking an attribute list
// (name="value" pairs separated by one blank). Skin text may be anything, so
// every reader stops at the terminator and never reads past it.

#include <cstdint>

#include "skinui/core/markup/ui_string.h"

namespace SkinUI {

// A decimal with an optional sign; text without digits gives 0, values
// beyond int are cut to its range. end (optional) receives the first
// character not read.
int ParseDecimal(const wchar_t* text, const wchar_t** end = nullptr);

// A 32-bit colour 0xAARRGGBB in hexadecimal with an optional leading '#'
// (and an optional "0x"); text without hex digits gives 0, overflow gives
// 0xFFFFFFFF.
uint32_t ParseColor(const wchar_t* text);

// count decimals, each followed by one separator character, into values;
// missing numbers are 0, and so is a field without digits (up to the next comma).
void ParseDecimals(const wchar_t* text, int* values, int count);

// count floating-point numbers separated like ParseDecimals; missing or
// non-finite numbers are 0.
void ParseFractions(const wchar_t* text, double* values, int count);

// True only for the exact text "true".
bool ParseBool(const wchar_t* text);

// True when text holds ch.
bool Contains(const wchar_t* text, wchar_t ch);

// Walks an attribute list: name="value" pairs separated by exactly one
// blank. Each call to Next gives the next pair; it gives false at the end
// of the list and at the first syntax error (no '=' followed by '"', an
// unterminated value, a character other than a blank after a closing quote,
// or a name that is empty or holds a blank).
class CAttributeListReader {
 public:
  // Reads list (null reads as empty); list must outlive the reader.
  explicit CAttributeListReader(const wchar_t* list) : cursor_(list != nullptr ? list : L"") {}

  // The next pair in name and value; false when there is none.
  bool Next(CUIString& name, CUIString& value);

 private:
  const wchar_t* cursor_;
  bool stopped_ = false;
};

}  // namespace SkinUI
