#pragma once
// The images of the benchmarks' main-window-like skin, made in memory and
// written into a skin folder.

#include <filesystem>
#include <string>
#include <vector>

namespace vxbench {

// Writes the skin's PNG images into folder; their names, or none when writing failed.
std::vector<std::wstring> WriteImages(const std::filesystem::path& folder);
// Writes bytes into file; false when that failed.
bool WriteFile(const std::filesystem::path& file, const std::string& bytes);

}  // namespace vxbench
