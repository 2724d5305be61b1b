#pragma once
// Windows paths of files on the build machine as tests under Wine see them.

#include <string>

namespace vxtest {

// The Windows form of an absolute Linux path: Wine maps drive Z: to "/", so
// "/a/b" becomes "Z:\a\b".
std::string winePath(const std::string& linuxPath);
std::wstring winePath(const std::wstring& linuxPath);

}  // namespace vxtest
