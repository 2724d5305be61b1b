#include "skinui/core/resources/language_table.h"

#include "skinui/core/markup/text_codec.h"

#include <algorithm>

namespace SkinUI {

namespace {

// Longest cell in UTF-16 units; a longer cell reads as empty.
constexpr size_t kCellUnits = 512;

using Row = std::vector<std::wstring>;

bool IsLineBreakOrTab(char c) { return c == '\t' || c == '\r' || c == '\n'; }

std::wstring DecodeCell(const char* bytes, size_t size) {
  wchar_t buffer[kCellUnits];
  size_t units = DecodeBytes(ByteEncoding::Utf8, bytes, size, buffer, kCellUnits);
  return std::wstring(buffer, units);
}

// Walks the data line by line: TAB, CR and LF before a line are skipped, a
// line ends at CR, LF or the end, and a line beginning with NUL ends the data.
class LineReader {
 public:
  LineReader(const char* bytes, size_t size) : bytes_(bytes), size_(size) {}

  bool Next(Row* cells) {
    while (pos_ < size_ && IsLineBreakOrTab(bytes_[pos_])) ++pos_;
    if (pos_ >= size_ || bytes_[pos_] == '\0') return false;
    size_t end = pos_;
    while (end < size_ && bytes_[end] != '\r' && bytes_[end] != '\n') ++end;
    Split(pos_, end, cells);
    pos_ = end;
    return true;
  }

 private:
  // Cells between TABs; a TAB that ends the line adds no empty cell.
  void Split(size_t begin, size_t end, Row* cells) const {
    cells->clear();
    size_t start = begin;
    while (start < end) {
      size_t tab = start;
      while (tab < end && bytes_[tab] != '\t') ++tab;
      cells->push_back(DecodeCell(bytes_ + start, tab - start));
      start = tab + 1;
    }
  }

  const char* bytes_;
  size_t size_;
  size_t pos_ = 0;
};

bool IsValidHeader(const Row& row, const wchar_t* label) { return row.size() >= 2 && row[1] == label; }

bool IsKeyCharacter(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_';
}

bool IsValidKey(const std::wstring& key) {
  for (wchar_t c : key) {
    if (!IsKeyCharacter(c)) return false;
  }
  return true;
}

size_t ValueColumn(const Row& codes, const std::wstring& language) {
  for (size_t i = 0; i < codes.size(); ++i) {
    if (codes[i] == language) return i;
  }
  return 2;
}

}  // namespace

bool CLanguageTable::Load(const char* bytes, size_t size, const std::wstring& language) {
  if (bytes == nullptr) return false;
  LineReader reader(bytes, size);
  LanguageHeader header;
  if (!reader.Next(&header.codes) || !reader.Next(&header.names)) return false;
  header_ = header;
  if (!IsValidHeader(header.codes, L"language_code") || !IsValidHeader(header.names, L"language_name")) {
    return false;
  }
  size_t column = ValueColumn(header.codes, language);
  // A row needs its key cell even when the language matched column 0.
  size_t needed = std::max<size_t>(column, 1) + 1;
  Row cells;
  while (reader.Next(&cells)) {
    if (cells.size() < needed || !IsValidKey(cells[1])) continue;
    texts_[cells[1]] = cells[column];
  }
  return true;
}

const wchar_t* CLanguageTable::Find(std::wstring_view key) const {
  auto it = texts_.find(key);
  return it == texts_.end() ? nullptr : it->second.c_str();
}

const wchar_t* CLanguageTable::Set(const std::wstring& key, const std::wstring& text) {
  std::wstring& stored = texts_[key];
  stored = text;
  return stored.c_str();
}

}  // namespace SkinUI
