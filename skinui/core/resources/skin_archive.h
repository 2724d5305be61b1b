#pragma once
// The unpacked skin: every non-empty file of the skin archive, keyed by its
// path as stored in the archive ('/' between folders, case-sensitive).

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace SkinUI {

class CSkinArchive {
 public:
  using Bytes = std::vector<unsigned char>;

  // Unpacks a 7z archive into the map (a later file of the same name
  // replaces the earlier one); returns the extraction's result code.
  int Unpack(const unsigned char* bytes, size_t size);
  // Stores a copy of data under name, replacing any earlier entry.
  void Store(const wchar_t* name, const unsigned char* data, size_t size);
  // The bytes of name, with '\' read as '/', or null when absent.
  const Bytes* Find(const std::wstring& name) const;
  // Number of files held.
  size_t Size() const { return files_.size(); }

 private:
  std::map<std::wstring, Bytes> files_;
};

}  // namespace SkinUI
