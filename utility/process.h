#pragma once
// Starting other programs: through the shell, or directly with a quoted
// command line and an optional wait. Failures are logged and returned.

#include <string>

#include "utility/scoped_handle.h"

namespace utility::process {

// Starts file with parameters through the shell, with the "runas" verb when
// runas is set on Vista or later; show picks SW_SHOW or SW_HIDE. True when
// the shell reports success.
bool shell(const std::wstring& file, const std::wstring& parameters, bool runas, bool show);

// Starts "\"file\" parameters" in a new console; a bare file name is searched
// like the first token of a command line (this program's folder and the
// current directory first), so callers pass full paths. Returns the process handle (empty
// on failure) and stores the process id through outPid when given.
ScopedHandle create(const std::wstring& file, const std::wstring& parameters, bool show, DWORD* outPid = nullptr);

// Starts like create and, unless waitMs is 0, waits up to waitMs for the
// program: true only when it ended with exit code 0 (or when not waiting).
// A program still running at the limit keeps running.
bool execute(const std::wstring& file, const std::wstring& parameters, bool show, DWORD waitMs);

}  // namespace utility::process
