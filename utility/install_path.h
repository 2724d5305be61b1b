#pragma once
// Text rules for an install directory typed or chosen by the user.
// Platform-free; the free-space part of the check lives with the drive probes.

#include <string>

namespace utility::usystem {

// Lower-cases ASCII letters, turns "/" into "\", folds runs of "\" into one
// and strips leading and trailing "\": "\\Server\Share\" -> "server\share".
std::wstring normalizePath(const std::wstring& path);

// The form in which an install directory is checked and used: normalised,
// then leading and trailing spaces removed.
std::wstring installPathCandidate(const std::wstring& path);

// True when candidate (see installPathCandidate) is a drive letter, ":\" and
// at least one folder, with no empty folder name and none of / : * ? " < > |
// below the root. Whether the drive exists is not checked here.
bool hasInstallPathShape(const std::wstring& candidate);

}  // namespace utility::usystem
