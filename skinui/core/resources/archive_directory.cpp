#include "skinui/core/resources/archive_directory.h"

#include "skinui/core/resources/archive_decoder.h"
#include "skinui/core/resources/archive_directory_sink.h"
#include "skinui/core/resources/archive_extract.h"
#include "utility/ufile.h"

namespace SkinUI {

int ExtractArchiveToDirectory(const unsigned char* bytes,
                              size_t size,
                              const wchar_t* directory,
                              const ArchiveProgressObserver& observer) {
  if (directory == nullptr) return kArchiveBadParameter;
  // Folders are created from the full path, so a relative target is resolved once here.
  std::wstring target = utility::ufile::getFullPath(directory);
  if (target.empty()) return kArchiveBadParameter;
  CArchiveDirectorySink sink(target, observer);
  return DecodeArchive(bytes, size, sink);
}

}  // namespace SkinUI
