#include "tests/common/wine_path.h"

#include <algorithm>

namespace vxtest {

namespace {

template <typename Char>
std::basic_string<Char> onDriveZ(const std::basic_string<Char>& linuxPath) {
  std::basic_string<Char> path = std::basic_string<Char>{Char('Z'), Char(':')} + linuxPath;
  std::replace(path.begin(), path.end(), Char('/'), Char('\\'));
  return path;
}

}  // namespace

std::string winePath(const std::string& linuxPath) { return onDriveZ(linuxPath); }

std::wstring winePath(const std::wstring& linuxPath) { return onDriveZ(linuxPath); }

}  // namespace vxtest
