#include "skinui/core/resources/skin_archive.h"

#include <algorithm>

#include "skinui/core/resources/archive_extract.h"

namespace SkinUI {

int CSkinArchive::Unpack(const unsigned char* bytes, size_t size) {
  return ExtractArchiveToMemory(
      bytes, size, [this](const wchar_t* name, const unsigned char* data, size_t n) { Store(name, data, n); });
}

void CSkinArchive::Store(const wchar_t* name, const unsigned char* data, size_t size) {
  files_[name].assign(data, data + size);
}

const CSkinArchive::Bytes* CSkinArchive::Find(const std::wstring& name) const {
  std::wstring key = name;
  std::replace(key.begin(), key.end(), L'\\', L'/');
  auto it = files_.find(key);
  return it == files_.end() ? nullptr : &it->second;
}

}  // namespace SkinUI
