#pragma once
// Extraction sink that gathers each file in memory and hands it whole to a
// callback once its CRC has matched.

#include <vector>

#include "skinui/core/resources/archive_extract.h"
#include "skinui/core/resources/archive_sink.h"

namespace SkinUI {

class CArchiveMemorySink : public CArchiveSink {
 public:
  // callback must outlive the sink.
  explicit CArchiveMemorySink(const ArchiveFileCallback& callback) : callback_(callback) {}

 protected:
  bool StartFile(const ArchiveEntry& entry) override;
  bool AppendBytes(const unsigned char* bytes, size_t n) override;
  bool EndFile(const ArchiveEntry& entry) override;
  bool PassOver(const ArchiveEntry&) override { return true; }

 private:
  const ArchiveFileCallback& callback_;
  std::vector<unsigned char> buffer_;
};

}  // namespace SkinUI
