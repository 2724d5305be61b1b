#pragma once
// The glue between the LZMA SDK's 7z reader and an extraction sink: an
// input stream over memory, bounded allocators and the folder loop.

#include <cstddef>

#include "skinui/core/resources/archive_sink.h"

namespace SkinUI {

// Largest single allocation the decoder may make. Sizes in an archive's
// header are untrusted; a skin or module archive never comes near this.
constexpr size_t kMaxArchiveAllocation = size_t{256} << 20;

// Opens the archive in bytes[0..size), streams every folder into sink and
// returns the sink's error when set, else the mapped decoder result.
int DecodeArchive(const unsigned char* bytes, size_t size, CArchiveSink& sink);

}  // namespace SkinUI
