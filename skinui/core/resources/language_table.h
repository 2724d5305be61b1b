#pragma once
// The language table: texts of one language column of language.tsv, keyed
// by language key. Platform-free (UTF-8 goes through the text seam).

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace SkinUI {

// The cells of the two header rows of language.tsv.
struct LanguageHeader {
  std::vector<std::wstring> codes;  // "", "language_code", "en_US", ...
  std::vector<std::wstring> names;  // "", "language_name", "English", ...
};

class CLanguageTable {
 public:
  // Reads language.tsv (UTF-8, TAB-separated) and takes the column of
  // language (or column 2 when no header cell equals it). False, leaving
  // the texts untouched, when the header rows fail their check.
  bool Load(const char* bytes, size_t size, const std::wstring& language);
  // The text of key, or null; looks up without allocating. The text stays
  // valid until key is set again or the table is loaded again.
  const wchar_t* Find(std::wstring_view key) const;
  // Stores text under key (replacing an earlier one) and returns the stored
  // text, valid as Find's.
  const wchar_t* Set(const std::wstring& key, const std::wstring& text);
  // The header rows read by the last Load.
  const LanguageHeader& Header() const { return header_; }
  // Number of keys held.
  size_t Size() const { return texts_.size(); }

 private:
  // Transparent ordering: a lookup by a view builds no key string.
  std::map<std::wstring, std::wstring, std::less<>> texts_;
  LanguageHeader header_;
};

}  // namespace SkinUI
