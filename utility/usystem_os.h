#pragma once
// Operating-system version probe and the system's own program folders.

#include <string>

namespace utility::usystem {

// True when the version the system reports to this program has a major
// number above 5 (Vista and later).
bool isVistaOrLater();

// fileName inside the system folder (e.g. "C:\Windows\System32\taskkill.exe"),
// or empty when the folder is unknown.
std::wstring systemProgramPath(const std::wstring& fileName);

// relativePath inside the Program Files folder, or empty when the folder is
// unknown.
std::wstring programFilesPath(const std::wstring& relativePath);

}  // namespace utility::usystem
