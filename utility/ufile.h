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

// How readFile ended.
enum class ReadStatus { Read, CannotOpen, Failed };
// Reads the whole file at path into out when it holds at most maxBytes. The
// file is opened sharing reads and writes, so a file that another program is
// writing (a log) can still be read. CannotOpen when it cannot be opened;
// Failed, with out empty, when it is larger than maxBytes, cannot be read
// whole or does not fit in memory. An empty file is Read. No log line.
ReadStatus readFile(const std::wstring& path, std::uint64_t maxBytes, std::string& out);
// The last component of path ("\" first, else "/"), without its last
// extension unless keepExtension; empty when path has no separator.
std::wstring getFileName(const std::wstring& path, bool keepExtension);
// The user's roaming application-data folder without a trailing
// backslash; empty when it cannot be determined.
std::wstring getAppDataDir();

}  // namespace utility::ufile
