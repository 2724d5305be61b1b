#pragma once
// Which archive entry names may be written below a target directory.
// Platform-free: a rule on the name's text alone, applied before any path
// is formed.

#include <string>

namespace SkinUI {

// True when name, joined to a target directory, stays below it: not empty,
// not rooted ("/x", "\x"), no ':' (drive letters, drive-relative names,
// alternate streams) and no step of ".." or of other dots and blanks only
// ("." is allowed). Both '/' and '\' separate steps.
bool IsContainedEntryName(const std::wstring& name);

}  // namespace SkinUI
