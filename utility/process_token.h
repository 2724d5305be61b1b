#pragma once
// Starting a program with the desktop shell's own rights rather than this
// (elevated) program's, and the process lookups that needs.

#include <optional>
#include <string>

#include "utility/scoped_handle.h"

namespace utility::process {

// Full image path of process id, or the empty string when it cannot be read
// (no access, or a process of the other bitness).
std::wstring getProcessImagePath(DWORD processId);

// A primary token duplicated from the first running desktop shell process
// (explorer.exe), or an empty handle.
ScopedHandle getExplorerToken();

// Starts path with the shell's token (bare path when parameters is absent,
// otherwise "\"path\" parameters"). 0 on success, -1 on failure with the
// failing call's last error left for the caller; nothing is logged.
int runWithoutAdmin(const std::wstring& path, const std::optional<std::wstring>& parameters);

}  // namespace utility::process
