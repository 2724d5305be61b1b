#include "skinui/render/image_desc_parser.h"

#include <climits>
#include <cwchar>

namespace SkinUI {
namespace {

constexpr wchar_t kColorType[] = L"*COLOR*";

struct Span {
  const wchar_t* data;
  size_t length;
  bool Is(const wchar_t* word) const {
    const size_t n = std::wcslen(word);
    return n == length && std::wmemcmp(data, word, n) == 0;
  }
};

bool IsBlank(wchar_t ch) { return ch == L' '; }

// Reads digits at text[*pos] into a value clamped to the int range.
int ReadNumber(const wchar_t* text, size_t length, size_t* pos) {
  bool negative = false;
  if (*pos < length && (text[*pos] == L'-' || text[*pos] == L'+')) negative = text[(*pos)++] == L'-';
  long long value = 0;
  for (; *pos < length && text[*pos] >= L'0' && text[*pos] <= L'9'; ++*pos) {
    if (value <= INT_MAX) value = value * 10 + (text[*pos] - L'0');
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int HexDigit(wchar_t ch) {
  if (ch >= L'0' && ch <= L'9') return ch - L'0';
  if (ch >= L'a' && ch <= L'f') return ch - L'a' + 10;
  if (ch >= L'A' && ch <= L'F') return ch - L'A' + 10;
  return -1;
}

bool IsTrue(const Span& value) { return value.Is(L"true"); }

// Where the image comes from: the last of file, res and color wins.
enum class ImageSource { kSkinFile, kResource, kColor };

void ApplyPair(const Span& key, const Span& value, ParsedImageDesc* out, ImageSource* from, CUIString* resType) {
  if (value.length == 0) return;
  if (key.Is(L"file") || key.Is(L"res") || key.Is(L"color")) {
    out->name.Assign(value.data, value.length);
    *from = key.Is(L"file") ? ImageSource::kSkinFile : (key.Is(L"res") ? ImageSource::kResource : ImageSource::kColor);
  } else if (key.Is(L"restype")) {
    resType->Assign(value.data, value.length);
  } else if (key.Is(L"dest")) {
    out->dest = ParseDescRect(value.data, value.length);
  } else if (key.Is(L"source")) {
    out->source = ParseDescRect(value.data, value.length);
  } else if (key.Is(L"corner") || key.Is(L"scale9")) {
    out->corner = ParseDescRect(value.data, value.length);
  } else if (key.Is(L"mask")) {
    out->mask = ParseHexColor(value.data, value.length);
  } else if (key.Is(L"fade")) {
    const int fade = ParseDecimal(value.data, value.length);
    out->fade = static_cast<uint8_t>(fade < 0 ? 0 : (fade > 255 ? 255 : fade));
  } else if (key.Is(L"hole")) {
    out->hole = IsTrue(value);
  } else if (key.Is(L"xtiled")) {
    out->xTiled = IsTrue(value);
  } else if (key.Is(L"ytiled")) {
    out->yTiled = IsTrue(value);
  } else if (key.Is(L"hsl")) {
    out->keepPixels = IsTrue(value);
  }
}

// Reads one key='value' pair at *pos; false when there is none.
bool ReadPair(const wchar_t* text, size_t length, size_t* pos, Span* key, Span* value) {
  size_t i = *pos;
  while (i < length && IsBlank(text[i])) ++i;
  const size_t keyStart = i;
  while (i < length && text[i] != L'=' && !IsBlank(text[i])) ++i;
  *key = Span{text + keyStart, i - keyStart};
  while (i < length && IsBlank(text[i])) ++i;
  if (i >= length || text[i] != L'=') return false;
  ++i;
  while (i < length && IsBlank(text[i])) ++i;
  if (i >= length || text[i] != L'\'') return false;
  const size_t valueStart = ++i;
  while (i < length && text[i] != L'\'') ++i;
  if (i >= length) return false;
  *value = Span{text + valueStart, i - valueStart};
  *pos = i + 1;
  return true;
}

}  // namespace

int ParseDecimal(const wchar_t* text, size_t length) {
  size_t pos = 0;
  while (pos < length && IsBlank(text[pos])) ++pos;
  return ReadNumber(text, length, &pos);
}

ImageDescRect ParseDescRect(const wchar_t* text, size_t length) {
  int values[4] = {};
  size_t pos = 0;
  for (int& value : values) {
    while (pos < length && IsBlank(text[pos])) ++pos;
    value = ReadNumber(text, length, &pos);
    while (pos < length && text[pos] != L',') ++pos;
    if (pos >= length) break;
    ++pos;
  }
  return ImageDescRect{values[0], values[1], values[2], values[3]};
}

uint32_t ParseHexColor(const wchar_t* text, size_t length) {
  size_t pos = 0;
  while (pos < length && IsBlank(text[pos])) ++pos;
  if (pos < length && text[pos] == L'#') ++pos;
  if (pos + 1 < length && text[pos] == L'0' && (text[pos + 1] == L'x' || text[pos + 1] == L'X')) pos += 2;
  uint32_t value = 0;
  for (; pos < length && HexDigit(text[pos]) >= 0; ++pos)
    value = (value << 4) | static_cast<uint32_t>(HexDigit(text[pos]));
  return value;
}

void ParseImageDescription(const wchar_t* text, size_t length, ParsedImageDesc* out) {
  *out = ParsedImageDesc{};
  out->name.Assign(text, length);
  ImageSource from = ImageSource::kSkinFile;
  CUIString resType;
  size_t pos = 0;
  Span key{};
  Span value{};
  while (ReadPair(text, length, &pos, &key, &value)) {
    ApplyPair(key, value, out, &from, &resType);
    // Exactly one blank after a closing quote lets parsing go on.
    if (pos >= length || !IsBlank(text[pos])) break;
    ++pos;
  }
  // restype counts only for res; a colour has its own type.
  if (from == ImageSource::kResource) out->resourceType = resType;
  if (from == ImageSource::kColor) out->resourceType = kColorType;
}

}  // namespace SkinUI
