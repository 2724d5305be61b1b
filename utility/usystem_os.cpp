#include "utility/usystem_os.h"

#include <windows.h>

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

}  // namespace utility::usystem
