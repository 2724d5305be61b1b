#pragma once
// System libraries loaded by their full path in the system folder, never by
// bare name: the program runs elevated from a folder its user can write.

#include "utility/scoped_handle.h"

namespace utility::usystem {

// fileName (e.g. "msimg32.dll") from the system folder; empty when the
// folder is unknown or the library cannot be loaded.
ScopedModule loadSystemLibrary(const wchar_t* fileName);

}  // namespace utility::usystem
