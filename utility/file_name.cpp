// The name part of a path: pure text work, kept apart from the file system calls.
#include "utility/ufile.h"

namespace utility::ufile {

std::wstring getFileName(const std::wstring& path, bool keepExtension) {
  std::size_t slash = path.rfind(L'\\');
  if (slash == std::wstring::npos) slash = path.rfind(L'/');
  if (slash == std::wstring::npos) return std::wstring();
  std::wstring name = path.substr(slash + 1);
  if (!keepExtension) name = name.substr(0, name.rfind(L'.'));
  return name;
}

}  // namespace utility::ufile
