#pragma once
// Extraction sink that writes each entry under a target directory, bytes
// passing straight through to the file.

#include <string>

#include "skinui/core/resources/archive_directory.h"
#include "skinui/core/resources/archive_sink.h"
#include "utility/file_writer.h"

namespace SkinUI {

class CArchiveDirectorySink : public CArchiveSink {
 public:
  // directory is absolute; observer may be empty and must outlive the sink.
  CArchiveDirectorySink(const std::wstring& directory, const ArchiveProgressObserver& observer);

 protected:
  bool StartFile(const ArchiveEntry& entry) override;
  bool AppendBytes(const unsigned char* bytes, size_t n) override;
  bool EndFile(const ArchiveEntry& entry) override;
  bool PassOver(const ArchiveEntry& entry) override;

 private:
  bool TargetPath(const ArchiveEntry& entry, std::wstring* path);
  bool OpenFile(const ArchiveEntry& entry);

  std::wstring directory_;  // ends with a separator
  const ArchiveProgressObserver& observer_;
  std::wstring currentName_;
  utility::CFileWriter file_;
};

}  // namespace SkinUI
