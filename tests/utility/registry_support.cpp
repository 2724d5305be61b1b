#include "tests/utility/registry_support.h"

#include "utility/scoped_handle.h"

namespace vxtest {

bool setRegString(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  utility::ScopedRegKey handle;
  if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, handle.receive(), nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  return ::RegSetValueExW(handle.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace vxtest
