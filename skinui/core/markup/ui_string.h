#pragma once
// The toolkit's wide string value. Names, short texts and attribute values are
// copied all the time, so strings of up to 63 characters live inside the
// object and need no heap allocation.

#include <cstddef>

namespace SkinUI {

class CUIString {
 public:
  static constexpr size_t kInlineLength = 63;
  static constexpr size_t kNotFound = static_cast<size_t>(-1);

  // An empty string.
  CUIString();
  // A copy of a zero-terminated text; null gives an empty string.
  CUIString(const wchar_t* text);  // NOLINT(google-explicit-constructor): used like a literal
  // A copy of the first length characters of text (null gives an empty string).
  CUIString(const wchar_t* text, size_t length);
  CUIString(const CUIString& other);
  CUIString(CUIString&& other) noexcept;
  ~CUIString();

  CUIString& operator=(const CUIString& other);
  CUIString& operator=(CUIString&& other) noexcept;
  // Replaces the content with a zero-terminated text (null empties the string).
  CUIString& operator=(const wchar_t* text);

  // The zero-terminated characters; never null, valid until the next change.
  const wchar_t* GetData() const { return data_; }
  // Number of characters, terminator excluded.
  size_t GetLength() const { return length_; }
  // True when the string has no characters.
  bool IsEmpty() const { return length_ == 0; }
  // The character at index, or 0 when index is outside the string.
  wchar_t GetAt(size_t index) const { return index < length_ ? data_[index] : L'\0'; }

  // Removes every character; keeps heap storage for reuse.
  void Empty();
  // Replaces the content with the first length characters of text (which may
  // point into this string).
  void Assign(const wchar_t* text, size_t length);
  // Appends the first length characters of text (which may point into this string).
  void Append(const wchar_t* text, size_t length);
  // Appends a zero-terminated text; null appends nothing.
  CUIString& operator+=(const wchar_t* text);
  CUIString& operator+=(const CUIString& text);
  CUIString& operator+=(wchar_t ch);

  // Ordinal comparison: negative, 0 or positive; null compares as empty.
  int Compare(const wchar_t* text) const;
  // Comparison that ignores the case of ASCII letters.
  int CompareNoCase(const wchar_t* text) const;

  // Substrings; positions and counts beyond the end are clipped.
  CUIString Left(size_t count) const;
  CUIString Mid(size_t position, size_t count = kNotFound) const;
  CUIString Right(size_t count) const;

  // Index of the first ch or text at or after start, or kNotFound.
  size_t Find(wchar_t ch, size_t start = 0) const;
  size_t Find(const wchar_t* text, size_t start = 0) const;
  // Replaces every non-overlapping from (not empty) by to; returns the count.
  size_t Replace(const wchar_t* from, const wchar_t* to);

 private:
  void Reserve(size_t length);
  bool PointsInto(const wchar_t* text) const;
  bool IsInline() const { return data_ == inline_; }

  wchar_t* data_;
  size_t length_ = 0;
  size_t capacity_ = kInlineLength;
  wchar_t inline_[kInlineLength + 1];
};

CUIString operator+(const CUIString& left, const wchar_t* right);
CUIString operator+(const CUIString& left, const CUIString& right);
inline bool operator==(const CUIString& left, const wchar_t* right) { return left.Compare(right) == 0; }
inline bool operator==(const CUIString& left, const CUIString& right) { return left.Compare(right.GetData()) == 0; }
inline bool operator<(const CUIString& left, const CUIString& right) { return left.Compare(right.GetData()) < 0; }

}  // namespace SkinUI
