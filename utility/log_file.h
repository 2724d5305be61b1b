#pragma once
// The log file on disk: opened once, shared with other processes, appended
// to, and cut back to its tail when it grows too big.

#include <cstdint>
#include <string>
#include <string_view>

#include "utility/scoped_handle.h"

namespace common {

class LogFile {
 public:
  // Opens or creates path for reading and writing, shared with other
  // readers and writers; a file left in UTF-16 (FF FE) is emptied.
  explicit LogFile(const std::wstring& path);

  // True when the file could be opened.
  bool isOpen() const { return file_.valid(); }
  // Appends bytes at the current end of the file; false when not all written.
  bool append(std::string_view bytes);
  // When the file holds limit bytes or more, keeps only its last keep bytes.
  // 0 when no cut was due or it was made; else the system error of the step
  // that failed (the head may be overwritten by then). Never throws.
  unsigned long cutToTail(std::int64_t limit, std::int64_t keep);

 private:
  void emptyIfUtf16();
  bool sizeOf(std::int64_t& size) const;

  utility::ScopedHandle file_;
};

}  // namespace common
