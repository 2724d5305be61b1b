#pragma once
// Command lines and process names used when starting and finding processes.
// Platform-free.

#include <cstddef>
#include <optional>
#include <string>

namespace utility::process {

// Longest command line that can be started with another process's token.
constexpr std::size_t kTokenCommandLineMax = 1022;

// "\"file\"", followed by a space and parameters only when parameters is not empty.
std::wstring quotedCommandLine(const std::wstring& file, const std::wstring& parameters);

// The bare path when parameters is absent (quoted when it holds a blank);
// otherwise "\"path\" " followed by parameters, so empty parameters leave a
// trailing space.
std::wstring tokenCommandLine(const std::wstring& path, const std::optional<std::wstring>& parameters);

// True when a process image name is the desktop shell: exactly shellPath or
// exactly "explorer.exe" (letter case counts).
bool isShellImage(const std::wstring& name, const std::wstring& shellPath);

}  // namespace utility::process
