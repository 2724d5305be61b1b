#pragma once
// Extraction sink that writes each entry under a target directory, bytes
// passing straight through to the file.

#include <filesystem>
#include <fstream>

#include "skinui/core/archive_directory.h"
#include "skinui/core/archive_sink.h"

namespace SkinUI {

class CArchiveDirectorySink : public CArchiveSink {
 public:
  // observer may be empty; it must outlive the sink.
  CArchiveDirectorySink(std::filesystem::path directory, const ArchiveProgressObserver& observer)
      : directory_(std::move(directory)), observer_(observer) {}

 protected:
  bool StartFile(const ArchiveEntry& entry) override;
  bool AppendBytes(const unsigned char* bytes, size_t n) override;
  bool EndFile(const ArchiveEntry& entry) override;
  bool PassOver(const ArchiveEntry& entry) override;

 private:
  bool TargetPath(const ArchiveEntry& entry, std::filesystem::path* path);
  bool OpenFile(const ArchiveEntry& entry);

  std::filesystem::path directory_;
  const ArchiveProgressObserver& observer_;
  std::wstring currentName_;
  std::ofstream file_;
};

}  // namespace SkinUI
