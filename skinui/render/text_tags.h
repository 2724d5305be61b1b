#pragma once
// The tag scanner of formatted text: splits "<b>bold</b> {c #FF0000}red{/c}"
// into text runs, tags with their parameters and closing tags, and reads
// the parameters of the tags that carry more than a number. Platform-free.

#include <cstddef>

#include "skinui/core/markup/ui_string.h"

namespace SkinUI {

enum class TextTokenType { kText, kTag, kEndTag };

struct TextToken {
  TextTokenType type = TextTokenType::kText;
  wchar_t tag = 0;                // the tag letter of kTag and kEndTag
  const wchar_t* text = nullptr;  // the run of kText, the parameters of kTag
  size_t length = 0;
};

// A position in a text; copy it to go over the same part again.
class CTextTagScanner {
 public:
  // Scans the first length characters of text, which must outlive the scanner.
  CTextTagScanner(const wchar_t* text, size_t length) : text_(text), length_(length) {}

  // The next token; false at the end. After the tag 'r' everything up to the
  // closing 'r' tag is text.
  bool Next(TextToken* token);
  // Characters consumed so far.
  size_t Position() const { return pos_; }

 private:
  // Reads a tag or closing tag at pos; false when pos starts text.
  bool ReadTag(size_t pos, TextToken* token, size_t* end) const;
  bool IsRawEnd(size_t pos) const;

  const wchar_t* text_;
  size_t length_;
  size_t pos_ = 0;
  bool raw_ = false;
};

// True when the first length characters of text are exactly word.
bool SpanEquals(const wchar_t* text, size_t length, const wchar_t* word);

// Parameters of the 'f' tag: a font index, or a face, a size and styles.
struct FontTagSpec {
  bool byIndex = false;
  int index = -1;
  CUIString face;
  int size = 10;
  bool bold = false;
  bool underline = false;
  bool italic = false;
};
// Reads "2" or "Tahoma 12 bold underline"; false when there is nothing to read.
bool ParseFontTag(const wchar_t* params, size_t length, FontTagSpec* out);

// Parameters of the 'i' tag with an image: its name or description, the
// number of frames it is cut into (at least 1) and the frame to draw.
struct ImageTagSpec {
  const wchar_t* image = nullptr;
  size_t imageLength = 0;
  int frames = 1;
  int frame = 0;
};
// Reads "name.png 3 1" or "file='name.png' mask='#FFFF00FF' 3 1"; a frame out of range is 0.
void ParseImageTag(const wchar_t* params, size_t length, ImageTagSpec* out);

}  // namespace SkinUI
