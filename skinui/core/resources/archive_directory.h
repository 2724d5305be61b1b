#pragma once
// Unpacking of an in-memory 7z archive into files under a directory.

#include <cstddef>
#include <cstdint>
#include <functional>

namespace SkinUI {

// Told the running total of bytes written and the current file's name;
// returning false stops the extraction with kArchiveStopped.
using ArchiveProgressObserver = std::function<bool(uint64_t total, const wchar_t* file)>;

// Unpacks the 7z archive in bytes[0..size) into directory, creating
// folders, empty files and files in archive order. Entry names that would
// leave directory are refused with kArchiveCannotOpenOutput; a null or
// empty directory gives kArchiveBadParameter, a relative one is taken from
// the current directory. Returns an ArchiveResult code.
int ExtractArchiveToDirectory(const unsigned char* bytes,
                              size_t size,
                              const wchar_t* directory,
                              const ArchiveProgressObserver& observer = {});

}  // namespace SkinUI
