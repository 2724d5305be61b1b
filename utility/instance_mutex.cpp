#include "utility/instance_mutex.h"

namespace utility::usystem {

ScopedHandle createInstanceMutex(const std::wstring& name, bool initialOwner, bool failIfExists) {
  ScopedHandle mutex(::CreateMutexW(nullptr, initialOwner ? TRUE : FALSE, name.c_str()));
  if (mutex && failIfExists && ::GetLastError() == ERROR_ALREADY_EXISTS) mutex.reset();
  return mutex;
}

}  // namespace utility::usystem
