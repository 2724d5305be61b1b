#pragma once
// Assembly of one log record in a fixed area on the caller's stack.
// Platform-free: the caller supplies the time stamp and thread id.

#include <cstddef>
#include <string_view>

namespace common {

class LogWriter;

// The local time and thread id a record is stamped with.
struct LogStamp {
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
  unsigned long threadId = 0;
};

// One record: header, UTF-8 message, CR LF, in at most kCapacity bytes. A
// record that does not fit is dropped whole rather than cut or split.
class LogStream {
 public:
  static constexpr std::size_t kCapacity = 1024;

  // Writes the header; writer (may be null) receives the record on destruction.
  LogStream(const LogStamp& stamp, const char* functionName, int line, LogWriter* writer);
  LogStream(const LogStream&) = delete;
  LogStream& operator=(const LogStream&) = delete;
  // Appends CR LF and hands the record to the writer unless it overflowed.
  ~LogStream();

  // Appends UTF-8 text; on overflow the stream fails and the record is dropped.
  LogStream& operator<<(std::string_view text);
  // False once anything did not fit.
  bool good() const { return good_; }

 private:
  char bytes_[kCapacity];
  std::size_t size_ = 0;
  bool good_ = true;
  LogWriter* writer_;
};

}  // namespace common
