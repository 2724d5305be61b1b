#include "tests/common/temp_dir.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <fstream>

#include "utility/ufile.h"

namespace vxtest {

namespace {

// Larger than any file a test writes (logs are cut at 50 MiB).
constexpr std::uint64_t kMaxReadBytes = std::uint64_t{1} << 30;

}  // namespace

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  wchar_t temp[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, temp);
  const std::filesystem::path folder =
      std::filesystem::path(temp) /
      (L"vx_" + std::to_wstring(::GetCurrentProcessId()) + L"_" + std::to_wstring(counter++));
  // A folder of an earlier process with the same id may have been left over.
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  std::filesystem::create_directories(folder);
  path_ = folder.wstring();
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string readFile(const std::filesystem::path& path) {
  std::string bytes;
  utility::ufile::readFile(path.wstring(), kMaxReadBytes, bytes);
  return bytes;
}

bool writeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace vxtest
