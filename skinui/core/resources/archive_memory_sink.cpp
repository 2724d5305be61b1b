#include "skinui/core/resources/archive_memory_sink.h"

#include <algorithm>
#include <new>

#include "skinui/core/resources/archive_decoder.h"

namespace SkinUI {

bool CArchiveMemorySink::StartFile(const ArchiveEntry& entry) {
  buffer_.clear();
  try {
    // The size is the archive's claim: reserve it only up to the decoder's
    // own allocation bound; a larger file grows as its bytes arrive.
    buffer_.reserve(static_cast<size_t>(std::min<uint64_t>(entry.size, kMaxArchiveAllocation)));
  } catch (const std::bad_alloc&) {
    SetError(kArchiveOutOfMemory);
    return false;
  }
  return true;
}

bool CArchiveMemorySink::AppendBytes(const unsigned char* bytes, size_t n) {
  try {
    buffer_.insert(buffer_.end(), bytes, bytes + n);
  } catch (const std::exception&) {
    SetError(kArchiveOutOfMemory);
    return false;
  }
  return true;
}

bool CArchiveMemorySink::EndFile(const ArchiveEntry& entry) {
  if (callback_) callback_(entry.name.c_str(), buffer_.data(), buffer_.size());
  buffer_.clear();
  return true;
}

}  // namespace SkinUI
