#pragma once
// File operations on UTF-16 paths. Failures give false (or an empty string)
// and, where noted, one log line ending in the system error code.

#include <cstdint>
#include <string>

namespace utility::ufile {

// True when path names an existing file or directory.
bool fileExists(const std::wstring& path);
// Creates path with every missing parent; true when it exists afterwards. Logs failures.
bool makeDir(const std::wstring& path);
// MoveFileExW(from, to, flags). Logs failures.
bool moveFile(const std::wstring& from, const std::wstring& to, unsigned long flags);
// Deletes the file at path. Logs failures.
bool removeFile(const std::wstring& path);
// Size in bytes of the existing file at path.
bool getFileSize(const std::wstring& path, std::int64_t& size);
// True when path names an existing directory (not a file).
bool isDirectory(const std::wstring& path);
// The absolute form of path, resolved against the current directory; empty
// when it cannot be formed (an empty path, for one).
std::wstring getFullPath(const std::wstring& path);
// The last component of path ("\" first, else "/"), without its last
// extension unless keepExtension; empty when path has no separator.
std::wstring getFileName(const std::wstring& path, bool keepExtension);
// The user's roaming application-data folder without a trailing
// backslash; empty when it cannot be determined.
std::wstring getAppDataDir();

}  // namespace utility::ufile
