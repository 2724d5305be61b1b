#include "utility/system_library.h"

#include "utility/usystem_os.h"

namespace utility::usystem {

ScopedModule loadSystemLibrary(const wchar_t* fileName) {
  const std::wstring path = systemProgramPath(fileName);
  return ScopedModule(path.empty() ? nullptr : ::LoadLibraryW(path.c_str()));
}

}  // namespace utility::usystem
