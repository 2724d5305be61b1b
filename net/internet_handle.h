#pragma once
// Owner of WinINet sessions, connections and requests.

#include <windows.h>
#include <wininet.h>

#include "utility/scoped_handle.h"

namespace utility {

struct InternetHandleTraits {
  using Handle = HINTERNET;
  static Handle invalid() { return nullptr; }
  static bool isValid(Handle h) { return h != nullptr; }
  static void close(Handle h) { ::InternetCloseHandle(h); }
};
using ScopedInternetHandle = ScopedGeneric<InternetHandleTraits>;

}  // namespace utility
