#pragma once
// Unpacking of 7z archives held in memory (the skin archive and other
// embedded archives). Platform-free: the result codes and the per-file
// callback are all a caller sees of the decoder.

#include <cstddef>
#include <functional>

namespace SkinUI {

// Result codes of an extraction: 0 success, 1000 unknown decoder result,
// 1001..1014 decoder results, 1015..1017 raised by the file-writing sink.
enum ArchiveResult : int {
  kArchiveOk = 0,
  kArchiveUnknown = 1000,
  kArchiveDataError = 1001,
  kArchiveOutOfMemory = 1002,
  kArchiveUnsupported = 1003,
  kArchiveBadParameter = 1004,
  kArchiveCrcError = 1005,
  kArchiveInputEnded = 1006,
  kArchiveOutputEnded = 1007,
  kArchiveReadError = 1008,
  kArchiveWriteError = 1009,
  kArchiveProgress = 1010,
  kArchiveFailure = 1011,
  kArchiveThreadError = 1012,
  kArchiveBadArchive = 1013,
  kArchiveNotAnArchive = 1014,
  kArchiveCannotOpenOutput = 1015,
  kArchiveWriteFailed = 1016,
  kArchiveStopped = 1017,
};

// Receives one unpacked file: its path as stored in the archive, its bytes.
using ArchiveFileCallback = std::function<void(const wchar_t* name, const unsigned char* data, size_t size)>;

// Maps a decoder result (the SDK's SRes value) to an ArchiveResult code.
int MapDecoderResult(int sdkResult);

// Unpacks the 7z archive in bytes[0..size) and calls callback once per
// non-empty file in archive order; stops at the first damaged file.
int ExtractArchiveToMemory(const unsigned char* bytes, size_t size, const ArchiveFileCallback& callback);

}  // namespace SkinUI
