#include "skinui/core/resources/archive_extract.h"

#include "skinui/core/resources/archive_decoder.h"
#include "skinui/core/resources/archive_memory_sink.h"

namespace SkinUI {

int MapDecoderResult(int sdkResult) {
  switch (sdkResult) {
    case 0:
      return kArchiveOk;
    case 1:
      return kArchiveDataError;
    case 2:
      return kArchiveOutOfMemory;
    case 3:
      return kArchiveCrcError;
    case 4:
      return kArchiveUnsupported;
    case 5:
      return kArchiveBadParameter;
    case 6:
      return kArchiveInputEnded;
    case 7:
      return kArchiveOutputEnded;
    case 8:
      return kArchiveReadError;
    case 9:
      return kArchiveWriteError;
    case 10:
      return kArchiveProgress;
    case 11:
      return kArchiveFailure;
    case 12:
      return kArchiveThreadError;
    case 16:
      return kArchiveBadArchive;
    case 17:
      return kArchiveNotAnArchive;
    default:
      return kArchiveUnknown;
  }
}

int ExtractArchiveToMemory(const unsigned char* bytes, size_t size, const ArchiveFileCallback& callback) {
  CArchiveMemorySink sink(callback);
  return DecodeArchive(bytes, size, sink);
}

}  // namespace SkinUI
