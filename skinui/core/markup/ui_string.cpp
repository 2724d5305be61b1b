#include "skinui/core/markup/ui_string.h"

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <utility>

namespace SkinUI {

namespace {

size_t LengthOf(const wchar_t* text) { return text == nullptr ? 0 : std::wcslen(text); }

// Units compared as unsigned 16/32-bit values, so the order is the same
// whether wchar_t is signed or not.
unsigned long UnitOf(wchar_t ch) { return static_cast<unsigned long>(ch); }

unsigned long FoldAscii(wchar_t ch) { return ch >= L'A' && ch <= L'Z' ? UnitOf(ch) + (L'a' - L'A') : UnitOf(ch); }

template <class Fold>
int CompareWith(const wchar_t* left, const wchar_t* right, Fold fold) {
  if (right == nullptr) right = L"";
  for (;; ++left, ++right) {
    unsigned long a = fold(*left);
    unsigned long b = fold(*right);
    if (a != b) return a < b ? -1 : 1;
    if (a == 0) return 0;
  }
}

}  // namespace

CUIString::CUIString() : data_(inline_) { inline_[0] = L'\0'; }

CUIString::CUIString(const wchar_t* text) : CUIString(text, LengthOf(text)) {}

CUIString::CUIString(const wchar_t* text, size_t length) : CUIString() {
  if (text != nullptr) Assign(text, length);
}

CUIString::CUIString(const CUIString& other) : CUIString(other.data_, other.length_) {}

CUIString::CUIString(CUIString&& other) noexcept : CUIString() { *this = std::move(other); }

CUIString::~CUIString() {
  if (!IsInline()) delete[] data_;
}

CUIString& CUIString::operator=(const CUIString& other) {
  if (this != &other) Assign(other.data_, other.length_);
  return *this;
}

CUIString& CUIString::operator=(CUIString&& other) noexcept {
  if (this == &other) return *this;
  if (other.IsInline()) {
    Assign(other.data_, other.length_);
  } else {
    // Take the other's heap block; it falls back to its empty inline buffer.
    if (!IsInline()) delete[] data_;
    data_ = std::exchange(other.data_, other.inline_);
    length_ = std::exchange(other.length_, 0);
    capacity_ = std::exchange(other.capacity_, kInlineLength);
    other.inline_[0] = L'\0';
  }
  return *this;
}

CUIString& CUIString::operator=(const wchar_t* text) {
  Assign(text, LengthOf(text));
  return *this;
}

void CUIString::Empty() {
  length_ = 0;
  data_[0] = L'\0';
}

bool CUIString::PointsInto(const wchar_t* text) const {
  auto at = reinterpret_cast<std::uintptr_t>(text);
  auto begin = reinterpret_cast<std::uintptr_t>(data_);
  return at >= begin && at <= begin + length_ * sizeof(wchar_t);
}

void CUIString::Reserve(size_t length) {
  if (length <= capacity_) return;
  size_t capacity = capacity_ + capacity_ / 2;
  if (capacity < length) capacity = length;
  auto* block = new wchar_t[capacity + 1];
  std::memcpy(block, data_, (length_ + 1) * sizeof(wchar_t));
  if (!IsInline()) delete[] data_;
  data_ = block;
  capacity_ = capacity;
}

void CUIString::Assign(const wchar_t* text, size_t length) {
  if (text == nullptr) length = 0;
  if (PointsInto(text)) {
    // A part of this string: it fits the current storage, so move it down.
    std::memmove(data_, text, length * sizeof(wchar_t));
    length_ = length;
    data_[length_] = L'\0';
    return;
  }
  Empty();
  Append(text, length);
}

void CUIString::Append(const wchar_t* text, size_t length) {
  if (text == nullptr || length == 0) return;
  if (PointsInto(text) && length_ + length > capacity_) {
    // Growing would free the source: append from a copy.
    CUIString copy(text, length);
    Append(copy.data_, length);
    return;
  }
  Reserve(length_ + length);
  std::memmove(data_ + length_, text, length * sizeof(wchar_t));
  length_ += length;
  data_[length_] = L'\0';
}

CUIString& CUIString::operator+=(const wchar_t* text) {
  Append(text, LengthOf(text));
  return *this;
}

CUIString& CUIString::operator+=(const CUIString& text) {
  Append(text.data_, text.length_);
  return *this;
}

CUIString& CUIString::operator+=(wchar_t ch) {
  Append(&ch, 1);
  return *this;
}

int CUIString::Compare(const wchar_t* text) const { return CompareWith(data_, text, UnitOf); }

int CUIString::CompareNoCase(const wchar_t* text) const { return CompareWith(data_, text, FoldAscii); }

CUIString CUIString::Left(size_t count) const { return Mid(0, count); }

CUIString CUIString::Mid(size_t position, size_t count) const {
  if (position >= length_) return CUIString();
  size_t available = length_ - position;
  return CUIString(data_ + position, count < available ? count : available);
}

CUIString CUIString::Right(size_t count) const { return count >= length_ ? *this : Mid(length_ - count); }

size_t CUIString::Find(wchar_t ch, size_t start) const {
  for (size_t i = start; i < length_; ++i) {
    if (data_[i] == ch) return i;
  }
  return kNotFound;
}

size_t CUIString::Find(const wchar_t* text, size_t start) const {
  size_t n = LengthOf(text);
  if (start > length_ || n > length_ - start) return kNotFound;
  for (size_t i = start; i + n <= length_; ++i) {
    if (std::wmemcmp(data_ + i, text, n) == 0) return i;
  }
  return kNotFound;
}

size_t CUIString::Replace(const wchar_t* from, const wchar_t* to) {
  size_t fromLength = LengthOf(from);
  if (fromLength == 0) return 0;
  size_t count = 0;
  CUIString result;
  size_t done = 0;
  for (size_t hit = Find(from); hit != kNotFound; hit = Find(from, done)) {
    result.Append(data_ + done, hit - done);
    result += to;
    done = hit + fromLength;
    ++count;
  }
  if (count == 0) return 0;
  result.Append(data_ + done, length_ - done);
  *this = std::move(result);
  return count;
}

CUIString operator+(const CUIString& left, const wchar_t* right) {
  CUIString result(left);
  result += right;
  return result;
}

CUIString operator+(const CUIString& left, const CUIString& right) {
  CUIString result(left);
  result += right;
  return result;
}

}  // namespace SkinUI
