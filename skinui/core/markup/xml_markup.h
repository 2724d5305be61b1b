#pragma once
// Reader of the skin markup: a small, non-validating, in-place parser for
// exactly what skin files use (elements, double-quoted attributes, five named
// entities, skipped comments and declarations). The decoded document is one
// wide buffer; names and values are terminated inside it and elements refer
// to each other by index, so a load costs one text buffer and one growing
// element table. Skin files may come from a folder other software can write
// to: every input either loads or fails with a message, never reads or
// writes outside the buffer, and nesting is bounded.

#include <cstddef>
#include <cstdint>

#include "skinui/core/markup/xml_node.h"

namespace SkinUI {

enum class MarkupEncoding { Utf8 = 0, Utf16 = 1, Ansi = 2 };

class CXmlMarkup {
 public:
  // Elements may nest this deep; a deeper document fails to load, so that
  // code walking the tree recursively stays within its stack.
  static constexpr int kMaxDepth = 256;
  static constexpr size_t kErrorTextLength = 100;
  static constexpr size_t kErrorContextLength = 50;

  CXmlMarkup();
  ~CXmlMarkup();
  CXmlMarkup(const CXmlMarkup&) = delete;
  CXmlMarkup& operator=(const CXmlMarkup&) = delete;

  // Loads a copy of a zero-terminated text (null loads an empty document).
  // False on failure, with everything released and the error kept.
  bool ParseText(const wchar_t* text);
  // Decodes size bytes in the given encoding and loads them; same results.
  bool ParseBytes(const void* bytes, size_t size, MarkupEncoding encoding);
  // Releases the document and loads the skin file name (skin directory
  // first, then the unpacked skin); false when no such file exists, with
  // "Could not load file" as the error and the name as its location.
  bool ParseSkinFile(const wchar_t* name, MarkupEncoding encoding);
  // Releases the document; nodes taken from it become unbound.
  void Clear();
  // The first element, or an unbound node when the document has none.
  CXmlNode GetRootNode() const;
  // Copies at most size characters of the last error message into buffer,
  // terminated only when shorter than size.
  void GetErrorText(wchar_t* buffer, size_t size) const;
  // Copies at most size characters of the text where the last load failed,
  // terminated only when shorter than size.
  void GetErrorContext(wchar_t* buffer, size_t size) const;
  // Keeps (true, the default) or collapses runs of whitespace after a blank in
  // values and text.
  void SetKeepWhitespace(bool on) { keepWhitespace_ = on; }

 private:
  friend class CXmlNode;

  struct Element {
    int32_t name;         // offset of the element name in the text
    int32_t firstChild;   // index, 0 for none
    int32_t nextSibling;  // index, 0 for none
    int32_t parent;       // index, 0 for top-level elements
    int32_t text;         // offset of the text content; bounds the attributes
  };

  // Whitespace is every unit from 1 to 32; 0 ends the text.
  static bool IsSpace(wchar_t ch) { return static_cast<uint32_t>(ch) - 1 < 32; }
  static void SkipSpace(wchar_t*& p);

  bool AllocateText(size_t length);
  bool DecodeInto(const unsigned char* bytes, size_t size, MarkupEncoding encoding);
  bool DecodeUtf16(const unsigned char* bytes, size_t size);
  bool Parse();
  bool ParseLevel(wchar_t*& p, int32_t parent, int depth);
  bool ParseElement(wchar_t*& p, int32_t index, int32_t parent, int depth);
  bool ParseAttributes(wchar_t*& p);
  bool ParseClosingTag(wchar_t*& p, wchar_t* textEnd, const wchar_t* name, const wchar_t* nameEnd);
  void ParseContent(wchar_t*& p, wchar_t*& dest, wchar_t end) const;
  bool Fail(const wchar_t* message, const wchar_t* location);
  int32_t AppendElement();
  bool IsLive(int32_t index, uint32_t generation) const;

  wchar_t* text_ = nullptr;
  Element* elements_ = nullptr;
  int32_t count_ = 0;
  uint32_t capacity_ = 0;
  uint32_t generation_ = 0;
  wchar_t errorText_[kErrorTextLength] = {};
  wchar_t errorContext_[kErrorContextLength] = {};
  bool keepWhitespace_ = true;
};

}  // namespace SkinUI
