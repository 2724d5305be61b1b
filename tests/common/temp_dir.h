#pragma once
// A fresh folder for one test and byte-exact file helpers.

#include <filesystem>
#include <string>

namespace vxtest {

// A new folder under the user's temp folder, named after the process id and
// a counter so that no two in a run share one; removed with everything in
// it on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, without a trailing backslash.
  const std::wstring& path() const { return path_; }
  // Full path of name (a file or subfolder, not made here) inside the folder.
  std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// The whole content of a file; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);
// Writes bytes to path, replacing it; false when that fails.
bool writeFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace vxtest
