#include "utility/usystem_os.h"

#include <windows.h>
#include <shlobj.h>

namespace utility::usystem {

bool isVistaOrLater() {
  OSVERSIONINFOEXW extended = {};
  extended.dwOSVersionInfoSize = sizeof(extended);
  if (::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended))) return extended.dwMajorVersion > 5;
  // Old systems know only the basic record.
  OSVERSIONINFOW basic = {};
  basic.dwOSVersionInfoSize = sizeof(basic);
  return ::GetVersionExW(&basic) && basic.dwMajorVersion > 5;
}

std::wstring systemProgramPath(const std::wstring& fileName) {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::wstring();
  return std::wstring(folder, length) + L"\\" + fileName;
}

std::wstring programFilesPath(const std::wstring& relativePath) {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return std::wstring();
  }
  return std::wstring(folder) + L"\\" + relativePath;
}

}  // namespace utility::usystem
