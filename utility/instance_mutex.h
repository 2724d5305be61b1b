#pragma once
// The named mutex that marks a running instance.

#include <string>

#include "utility/scoped_handle.h"

namespace utility::usystem {

// Creates or opens the mutex name. None when creation failed, or when the
// mutex existed already and failIfExists is set.
ScopedHandle createInstanceMutex(const std::wstring& name, bool initialOwner, bool failIfExists);

}  // namespace utility::usystem
