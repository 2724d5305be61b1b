#include "skinui/core/markup/xml_markup.h"

#include <cstring>
#include <cwchar>
#include <cwctype>
#include <new>

#include "skinui/core/markup/text_codec.h"

namespace SkinUI {

namespace {

constexpr size_t kMaxTextLength = INT32_MAX - 1;  // offsets are 32-bit

bool IsNameChar(wchar_t ch) { return ch == L'_' || ch == L':' || std::iswalnum(static_cast<wint_t>(ch)) != 0; }

void SkipName(wchar_t*& p) {
  while (IsNameChar(*p)) ++p;
}

// Copies up to size units of a zero-terminated source, stopping after its
// terminator; the result is terminated only when the source is shorter.
void CopyLimited(wchar_t* buffer, size_t size, const wchar_t* source) {
  if (buffer == nullptr) return;
  size_t i = 0;
  for (; i < size && source[i] != L'\0'; ++i) buffer[i] = source[i];
  if (i < size) buffer[i] = L'\0';
}

// Copies a zero-terminated source into a fixed array, cut to fit.
template <size_t N>
void StoreCut(wchar_t (&target)[N], const wchar_t* source) {
  size_t i = 0;
  for (; source != nullptr && i + 1 < N && source[i] != L'\0'; ++i) target[i] = source[i];
  target[i] = L'\0';
}

// p follows an '&': decodes one of the five named entities, or keeps the '&'.
void DecodeEntity(wchar_t*& p, wchar_t*& dest) {
  static constexpr struct {
    const wchar_t* name;
    wchar_t ch;
  } kEntities[] = {{L"amp;", L'&'}, {L"lt;", L'<'}, {L"gt;", L'>'}, {L"quot;", L'"'}, {L"apos;", L'\''}};
  for (const auto& entity : kEntities) {
    size_t n = std::wcslen(entity.name);
    size_t i = 0;
    while (i < n && p[i] == entity.name[i]) ++i;  // stops at the text's end
    if (i == n) {
      *dest++ = entity.ch;
      p += n;
      return;
    }
  }
  *dest++ = L'&';
}

// p is at the '!' or '?' after '<': skips to just past "->" or "?>", or to
// the end of the text.
void SkipDeclaration(wchar_t*& p) {
  wchar_t closer = *p == L'!' ? L'-' : L'?';
  while (*p != L'\0' && !(p[0] == closer && p[1] == L'>')) ++p;
  if (*p != L'\0') p += 2;
}

// Where a failure that blames the character after p is reported; never past
// the end of the text.
const wchar_t* NextOrEnd(const wchar_t* p) { return *p == L'\0' ? p : p + 1; }

}  // namespace

CXmlMarkup::CXmlMarkup() = default;

CXmlMarkup::~CXmlMarkup() { Clear(); }

void CXmlMarkup::SkipSpace(wchar_t*& p) {
  while (IsSpace(*p)) ++p;
}

bool CXmlMarkup::ParseText(const wchar_t* text) {
  Clear();
  if (text == nullptr) text = L"";
  size_t length = std::wcslen(text);
  if (!AllocateText(length)) return false;
  std::memcpy(text_, text, (length + 1) * sizeof(wchar_t));
  return Parse();
}

bool CXmlMarkup::ParseBytes(const void* bytes, size_t size, MarkupEncoding encoding) {
  Clear();
  if (bytes == nullptr) size = 0;
  if (!DecodeInto(static_cast<const unsigned char*>(bytes), size, encoding)) {
    Clear();
    return false;
  }
  return Parse();
}

void CXmlMarkup::Clear() {
  delete[] text_;
  delete[] elements_;
  text_ = nullptr;
  elements_ = nullptr;
  count_ = 0;
  ++generation_;
}

CXmlNode CXmlMarkup::GetRootNode() const { return count_ > 1 ? CXmlNode(this, 1, generation_) : CXmlNode(); }

void CXmlMarkup::GetErrorText(wchar_t* buffer, size_t size) const { CopyLimited(buffer, size, errorText_); }

void CXmlMarkup::GetErrorContext(wchar_t* buffer, size_t size) const { CopyLimited(buffer, size, errorContext_); }

bool CXmlMarkup::AllocateText(size_t length) {
  errorText_[0] = L'\0';
  errorContext_[0] = L'\0';
  if (length > kMaxTextLength) return Fail(L"Document too large", nullptr);
  text_ = new (std::nothrow) wchar_t[length + 1];
  if (text_ == nullptr) return Fail(L"Out of memory", nullptr);
  text_[length] = L'\0';
  return true;
}

bool CXmlMarkup::DecodeInto(const unsigned char* bytes, size_t size, MarkupEncoding encoding) {
  if (encoding == MarkupEncoding::Utf16) return DecodeUtf16(bytes, size);
  if (encoding != MarkupEncoding::Utf8 && encoding != MarkupEncoding::Ansi) {
    return Fail(L"Unknown encoding", nullptr);
  }
  ByteEncoding codec = ByteEncoding::Ansi;
  if (encoding == MarkupEncoding::Utf8) {
    codec = ByteEncoding::Utf8;
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
      bytes += 3;
      size -= 3;
    }
  }
  const char* chars = reinterpret_cast<const char*>(bytes);
  size_t length = size == 0 ? 0 : DecodedLength(codec, chars, size);
  if (size > 0 && length == 0) return Fail(L"Error decoding text", nullptr);
  if (!AllocateText(length)) return false;
  if (length > 0 && DecodeBytes(codec, chars, size, text_, length) != length) {
    return Fail(L"Error decoding text", nullptr);
  }
  return true;
}

bool CXmlMarkup::DecodeUtf16(const unsigned char* bytes, size_t size) {
  bool little = size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
  bool big = size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF;
  if (!little && !big) return Fail(L"Expected byte-order mark", nullptr);
  size_t length = size / 2 - 1;
  if (!AllocateText(length)) return false;
  const unsigned char* unit = bytes + 2;
  for (size_t i = 0; i < length; ++i, unit += 2) {
    unsigned value = little ? unit[0] | (unit[1] << 8) : (unit[0] << 8) | unit[1];
    text_[i] = static_cast<wchar_t>(value);
  }
  return true;
}

bool CXmlMarkup::Parse() {
  if (AppendElement() < 0) {
    Clear();
    return false;
  }
  elements_[0] = Element{};
  wchar_t* p = text_;
  if (!ParseLevel(p, 0, 0)) {
    Clear();
    return false;
  }
  return true;
}

bool CXmlMarkup::Fail(const wchar_t* message, const wchar_t* location) {
  StoreCut(errorText_, message);
  StoreCut(errorContext_, location);
  return false;
}

int32_t CXmlMarkup::AppendElement() {
  if (count_ == 0) capacity_ = 0;
  if (static_cast<uint32_t>(count_) >= capacity_) {
    // Elements link by index, so moving the table breaks nothing.
    uint64_t capacity = uint64_t{capacity_} + capacity_ / 2 + 500;
    auto* table = capacity > INT32_MAX ? nullptr : new (std::nothrow) Element[capacity];
    if (table == nullptr) {
      Fail(L"Out of memory", nullptr);
      return -1;
    }
    if (count_ > 0) std::memcpy(table, elements_, sizeof(Element) * count_);
    delete[] elements_;
    elements_ = table;
    capacity_ = static_cast<uint32_t>(capacity);
  }
  return count_++;
}

bool CXmlMarkup::IsLive(int32_t index, uint32_t generation) const {
  return generation == generation_ && text_ != nullptr && index > 0 && index < count_;
}

// One level: the siblings under parent, up to the end of the text or to the
// "</" that closes parent (left for the caller).
bool CXmlMarkup::ParseLevel(wchar_t*& p, int32_t parent, int depth) {
  int32_t previous = 0;
  SkipSpace(p);
  for (;;) {
    if (*p == L'\0' && parent <= 1) return true;
    if (*p != L'<') return Fail(L"Expected start tag", p);
    if (p[1] == L'/') return true;
    *p++ = L'\0';
    SkipSpace(p);
    if (*p == L'!' || *p == L'?') {
      SkipDeclaration(p);
      SkipSpace(p);
      continue;
    }
    int32_t index = AppendElement();
    if (index < 0) return false;
    elements_[index] = Element{static_cast<int32_t>(p - text_), 0, 0, parent, 0};
    if (previous != 0) {
      elements_[previous].nextSibling = index;
    } else if (parent != 0) {
      elements_[parent].firstChild = index;
    }
    if (!ParseElement(p, index, parent, depth)) return false;
    previous = index;
  }
}

// From the element name to past its end tag (or its "/>").
bool CXmlMarkup::ParseElement(wchar_t*& p, int32_t index, int32_t parent, int depth) {
  const wchar_t* name = p;
  SkipName(p);
  wchar_t* nameEnd = p;
  if (*p == L'\0') return Fail(L"Error parsing element name", p);
  if (!ParseAttributes(p)) return false;
  SkipSpace(p);
  if (p[0] == L'/' && p[1] == L'>') {
    elements_[index].text = static_cast<int32_t>(p - text_);
    *p = L'\0';
    p += 2;
  } else {
    if (*p != L'>') return Fail(L"Expected start-tag closing", p);
    ++p;
    elements_[index].text = static_cast<int32_t>(p - text_);
    wchar_t* textEnd = p;
    ParseContent(p, textEnd, L'<');
    if (*p == L'\0' && parent <= 1) {
      // A missing end tag at the top is tolerated; the name still ends here.
      *nameEnd = L'\0';
      return true;
    }
    if (*p != L'<') return Fail(L"Expected end-tag start", p);
    if (p[1] != L'/') {
      if (depth + 1 >= kMaxDepth) return Fail(L"Elements nested too deeply", p);
      if (!ParseLevel(p, index, depth + 1)) return false;
    }
    if (p[0] == L'<' && p[1] == L'/' && !ParseClosingTag(p, textEnd, name, nameEnd)) return false;
  }
  *nameEnd = L'\0';
  SkipSpace(p);
  return true;
}

// From the character after the element name to the "/" or ">" that ends the
// start tag. Each name is terminated in place and each value decoded in place.
bool CXmlMarkup::ParseAttributes(wchar_t*& p) {
  // "<name/>" and "<name>" have no attributes; the name is terminated later.
  if (*p == L'>' || (p[0] == L'/' && p[1] == L'>')) return true;
  *p++ = L'\0';
  SkipSpace(p);
  while (*p != L'\0') {
    if (*p == L'/' || *p == L'>') return true;
    SkipName(p);
    wchar_t* nameEnd = p;
    SkipSpace(p);
    if (*p != L'=') return Fail(L"Error while parsing attributes", p);
    *p++ = L' ';
    *nameEnd = L'\0';
    SkipSpace(p);
    if (*p != L'"') return Fail(L"Expected attribute value", NextOrEnd(p));
    ++p;
    wchar_t* valueEnd = p;
    ParseContent(p, valueEnd, L'"');
    if (*p == L'\0') return Fail(L"Error while parsing attribute string", p);
    *valueEnd = L'\0';
    // A blank in place of the quote keeps the attribute scan of a shrunk value going.
    if (p != valueEnd) *p = L' ';
    ++p;
    SkipSpace(p);
  }
  return true;
}

// p is at "</": checks the closing name against the open element's.
bool CXmlMarkup::ParseClosingTag(wchar_t*& p, wchar_t* textEnd, const wchar_t* name, const wchar_t* nameEnd) {
  *textEnd = L'\0';
  *p = L'\0';
  p += 2;
  SkipSpace(p);
  for (const wchar_t* n = name; n < nameEnd; ++n, ++p) {
    if (*p != *n) return Fail(L"Unmatched closing tag", p - (n - name));
  }
  SkipSpace(p);
  if (*p != L'>') return Fail(L"Unmatched closing tag", NextOrEnd(p));
  ++p;
  return true;
}

// Decodes text or a value in place up to end (not consumed) or the end of
// the text. dest ends at the decoded end; it never passes p.
void CXmlMarkup::ParseContent(wchar_t*& p, wchar_t*& dest, wchar_t end) const {
  while (*p != L'\0' && *p != end) {
    if (*p == L'&') {
      while (*p == L'&') DecodeEntity(++p, dest);
      continue;
    }
    bool blank = *p == L' ';
    *dest++ = *p++;
    if (blank && !keepWhitespace_) SkipSpace(p);
  }
  for (wchar_t* fill = dest + 1; fill < p; ++fill) *fill = L' ';
}

}  // namespace SkinUI
