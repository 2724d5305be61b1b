#include "skinui/core/resources/archive_sink.h"

#include <algorithm>
#include <vector>

#include "skinui/core/resources/archive_extract.h"
#include "skinui/core/resources/archive_sdk.h"

namespace SkinUI {

void CArchiveSink::Begin(const ArchiveDatabase* archive) { archive_ = archive; }

ArchiveEntry CArchiveSink::ReadEntry(uint32_t index) const {
  ArchiveEntry entry;
  entry.isDirectory = SzArEx_IsDir(&archive_->db, index);
  entry.size = entry.isDirectory ? 0 : SzArEx_GetFileSize(&archive_->db, index);
  // An archive may carry no names at all.
  if (archive_->db.FileNameOffsets == nullptr) return entry;
  size_t units = SzArEx_GetFileNameUtf16(&archive_->db, index, nullptr);
  std::vector<UInt16> name(units + 1, 0);
  SzArEx_GetFileNameUtf16(&archive_->db, index, name.data());
  for (size_t i = 0; i < units && name[i] != 0; ++i) {
    entry.name.push_back(static_cast<wchar_t>(name[i]));
  }
  return entry;
}

// Moves to the next entry with data, passing over directories and empty
// files on the way. False when none is left or an error was raised.
bool CArchiveSink::OpenNextFile() {
  while (next_ < archive_->db.NumFiles) {
    uint32_t index = next_++;
    ArchiveEntry entry = ReadEntry(index);
    if (entry.isDirectory || entry.size == 0) {
      if (!PassOver(entry)) return false;
      continue;
    }
    if (!StartFile(entry)) return false;
    current_ = std::move(entry);
    fileIndex_ = index;
    missing_ = current_.size;
    crc_ = CRC_INIT_VAL;
    open_ = true;
    return true;
  }
  return false;
}

bool CArchiveSink::CompleteFile() {
  open_ = false;
  if (SzBitWithVals_Check(&archive_->db.CRCs, fileIndex_) &&
      CRC_GET_DIGEST(crc_) != archive_->db.CRCs.Vals[fileIndex_]) {
    SetError(kArchiveCrcError);
    return false;
  }
  return EndFile(current_);
}

size_t CArchiveSink::Write(const unsigned char* bytes, size_t n) {
  size_t used = 0;
  while (error_ == 0 && used < n) {
    if (!open_ && !OpenNextFile()) break;
    size_t chunk = static_cast<size_t>(std::min<uint64_t>(n - used, missing_));
    if (!AppendBytes(bytes + used, chunk)) break;
    crc_ = CrcUpdate(crc_, bytes + used, chunk);
    used += chunk;
    total_ += chunk;
    missing_ -= chunk;
    if (missing_ == 0 && !CompleteFile()) break;
  }
  return used;
}

void CArchiveSink::Finish() {
  while (error_ == 0 && !open_ && next_ < archive_->db.NumFiles) {
    ArchiveEntry entry = ReadEntry(next_);
    if (!entry.isDirectory && entry.size != 0) return;
    ++next_;
    if (!PassOver(entry)) return;
  }
}

}  // namespace SkinUI
