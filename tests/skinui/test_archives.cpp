#include "tests/skinui/test_archives.h"

#include <windows.h>

#include <algorithm>

#include "tests/common/temp_dir.h"
#include "tests/common/wine_path.h"

namespace vxtest {

Bytes ResourceBytes(int id) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"ZIPRES");
  if (info == nullptr) return {};
  const auto* data = static_cast<const unsigned char*>(::LockResource(::LoadResource(module, info)));
  return Bytes(data, data + ::SizeofResource(module, info));
}

Bytes ReadFileBytes(const std::wstring& path) {
  const std::string bytes = vxtest::readFile(path);
  return Bytes(bytes.begin(), bytes.end());
}

Bytes SkinSource(const std::wstring& name) {
  return ReadFileBytes(vxtest::winePath(std::wstring(L"" VX_TEST_SKIN_DIR) + name));
}

Bytes WindowSource() { return ReadFileBytes(vxtest::winePath(std::wstring(L"" VX_TEST_WINDOW_FILE))); }

size_t FindText(const Bytes& bytes, const std::string& text) {
  auto it = std::search(bytes.begin(), bytes.end(), text.begin(), text.end());
  return it == bytes.end() ? std::string::npos : static_cast<size_t>(it - bytes.begin());
}

unsigned Crc32(const unsigned char* data, size_t size) {
  unsigned crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

}  // namespace vxtest
