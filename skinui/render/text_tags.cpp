#include "skinui/render/text_tags.h"

#include "skinui/render/image_desc_parser.h"

namespace SkinUI {
namespace {

bool IsOpen(wchar_t ch) { return ch == L'<' || ch == L'{'; }
bool IsClose(wchar_t ch) { return ch == L'>' || ch == L'}'; }
bool IsLetter(wchar_t ch) { return ch >= L'a' && ch <= L'z'; }
bool IsDigit(wchar_t ch) { return ch >= L'0' && ch <= L'9'; }
bool IsBlank(wchar_t ch) { return ch == L' '; }

// The next blank-separated word at or after *pos; false when none is left.
bool NextWord(const wchar_t* text, size_t length, size_t* pos, size_t* start, size_t* wordLength) {
  while (*pos < length && IsBlank(text[*pos])) ++*pos;
  if (*pos >= length) return false;
  *start = *pos;
  while (*pos < length && !IsBlank(text[*pos])) ++*pos;
  *wordLength = *pos - *start;
  return true;
}

}  // namespace

bool CTextTagScanner::ReadTag(size_t pos, TextToken* token, size_t* end) const {
  const size_t left = length_ - pos;
  if (left < 3 || !IsOpen(text_[pos])) return false;
  if (text_[pos + 1] == L'/') {
    if (left < 4 || !IsLetter(text_[pos + 2]) || !IsClose(text_[pos + 3])) return false;
    *token = TextToken{TextTokenType::kEndTag, text_[pos + 2], nullptr, 0};
    *end = pos + 4;
    return true;
  }
  const wchar_t letter = text_[pos + 1];
  const wchar_t next = text_[pos + 2];
  if (!IsLetter(letter) || !(IsBlank(next) || IsClose(next))) return false;
  if (IsClose(next)) {
    *token = TextToken{TextTokenType::kTag, letter, text_ + pos + 2, 0};
    *end = pos + 3;
    return true;
  }
  size_t close = pos + 3;
  while (close < length_ && !IsClose(text_[close])) ++close;
  if (close >= length_) return false;
  *token = TextToken{TextTokenType::kTag, letter, text_ + pos + 3, close - (pos + 3)};
  *end = close + 1;
  return true;
}

bool CTextTagScanner::IsRawEnd(size_t pos) const {
  return length_ - pos >= 4 && IsOpen(text_[pos]) && text_[pos + 1] == L'/' && text_[pos + 2] == L'r' &&
         IsClose(text_[pos + 3]);
}

bool CTextTagScanner::Next(TextToken* token) {
  if (pos_ >= length_) return false;
  size_t end = 0;
  if (raw_ ? IsRawEnd(pos_) : ReadTag(pos_, token, &end)) {
    if (raw_) {
      *token = TextToken{TextTokenType::kEndTag, L'r', nullptr, 0};
      end = pos_ + 4;
      raw_ = false;
    } else if (token->type == TextTokenType::kTag && token->tag == L'r') {
      raw_ = true;
    }
    pos_ = end;
    return true;
  }
  size_t stop = pos_ + 1;
  TextToken ignored;
  while (stop < length_ && !(raw_ ? IsRawEnd(stop) : ReadTag(stop, &ignored, &end))) ++stop;
  *token = TextToken{TextTokenType::kText, 0, text_ + pos_, stop - pos_};
  pos_ = stop;
  return true;
}

bool SpanEquals(const wchar_t* text, size_t length, const wchar_t* word) {
  size_t i = 0;
  for (; i < length; ++i) {
    if (word[i] == L'\0' || word[i] != text[i]) return false;
  }
  return word[i] == L'\0';
}

bool ParseFontTag(const wchar_t* params, size_t length, FontTagSpec* out) {
  *out = FontTagSpec{};
  size_t pos = 0;
  size_t start = 0;
  size_t word = 0;
  if (!NextWord(params, length, &pos, &start, &word)) return false;
  if (IsDigit(params[start])) {
    out->byIndex = true;
    out->index = ParseDecimal(params + start, word);
    return true;
  }
  // The face runs up to the first word that starts with a digit.
  const size_t faceStart = start;
  size_t faceEnd = start + word;
  bool sized = false;
  while (NextWord(params, length, &pos, &start, &word)) {
    if (!sized && IsDigit(params[start])) {
      out->size = ParseDecimal(params + start, word);
      sized = true;
    } else if (!sized) {
      faceEnd = start + word;
    } else if (SpanEquals(params + start, word, L"bold")) {
      out->bold = true;
    } else if (SpanEquals(params + start, word, L"underline")) {
      out->underline = true;
    } else if (SpanEquals(params + start, word, L"italic")) {
      out->italic = true;
    }
  }
  out->face.Assign(params + faceStart, faceEnd - faceStart);
  return true;
}

void ParseImageTag(const wchar_t* params, size_t length, ImageTagSpec* out) {
  *out = ImageTagSpec{};
  size_t pos = 0;
  while (pos < length && IsBlank(params[pos])) ++pos;
  const size_t start = pos;
  // A description with quoted values runs to its last quote; a name to the first blank.
  size_t lastQuote = length;
  for (size_t i = start; i < length; ++i) {
    if (params[i] == L'\'') lastQuote = i;
  }
  if (lastQuote < length) {
    pos = lastQuote + 1;
  } else {
    while (pos < length && !IsBlank(params[pos])) ++pos;
  }
  out->image = params + start;
  out->imageLength = pos - start;
  size_t word = 0;
  size_t wordStart = 0;
  if (NextWord(params, length, &pos, &wordStart, &word)) out->frames = ParseDecimal(params + wordStart, word);
  if (NextWord(params, length, &pos, &wordStart, &word)) out->frame = ParseDecimal(params + wordStart, word);
  if (out->frames < 1) out->frames = 1;
  if (out->frame < 0 || out->frame >= out->frames) out->frame = 0;
}

}  // namespace SkinUI
