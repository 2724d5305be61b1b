#include "tests/skinui/test_archives.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace skintest {

Bytes ResourceBytes(int id) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"ZIPRES");
  if (info == nullptr) return {};
  const auto* data = static_cast<const unsigned char*>(::LockResource(::LoadResource(module, info)));
  return Bytes(data, data + ::SizeofResource(module, info));
}

Bytes ReadFileBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

Bytes SkinSource(const std::wstring& name) {
  return ReadFileBytes(std::wstring(L"" VX_TEST_SKIN_DIR) + name);
}

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

TempDir::TempDir() {
  wchar_t base[MAX_PATH];
  ::GetTempPathW(MAX_PATH, base);
  static int counter = 0;
  path_ = std::wstring(base) + L"vx_skin_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
          std::to_wstring(++counter) + L"\\";
  std::filesystem::create_directories(std::filesystem::path(path_));
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(std::filesystem::path(path_), ec);
}

}  // namespace skintest
