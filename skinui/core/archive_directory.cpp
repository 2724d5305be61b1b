#include "skinui/core/archive_directory.h"

#include "skinui/core/archive_decoder.h"
#include "skinui/core/archive_directory_sink.h"
#include "skinui/core/archive_extract.h"

namespace SkinUI {

int ExtractArchiveToDirectory(const unsigned char* bytes, size_t size, const wchar_t* directory,
                              const ArchiveProgressObserver& observer) {
  if (directory == nullptr) return kArchiveBadParameter;
  CArchiveDirectorySink sink(std::filesystem::path(directory), observer);
  return DecodeArchive(bytes, size, sink);
}

}  // namespace SkinUI
