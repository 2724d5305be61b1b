#pragma once
// A fresh folder under the system temp folder for one test, removed with
// everything in it when the test ends.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testutil {

class TempFolder {
 public:
  explicit TempFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    path_ = std::filesystem::path(temp) /
            (L"vx_" + name + L"_" + std::to_wstring(::GetCurrentProcessId()));
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Full path of name inside the folder.
  std::wstring file(const std::wstring& name) const { return (path_ / name).wstring(); }
  std::wstring path() const { return path_.wstring(); }

 private:
  std::filesystem::path path_;
};

// The whole content of a file; empty when it cannot be read.
inline std::string readFile(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace testutil
