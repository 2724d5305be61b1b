#include "utility/log_stream.h"

#include <cstdio>
#include <cstring>

#include "utility/log_writer.h"

namespace common {

namespace {

// No year and no severity: "MM-DD\tHH:MM:SS.mmm\tTTTT\tfunction\t(line):".
constexpr char kHeaderFormat[] = "%02d-%02d\t%02d:%02d:%02d.%03d\t%04lu\t%s\t(%d):";

}  // namespace

LogStream::LogStream(const LogStamp& stamp, const char* functionName, int line, LogWriter* writer) : writer_(writer) {
  int length = std::snprintf(bytes_, kCapacity, kHeaderFormat, stamp.month, stamp.day, stamp.hour, stamp.minute,
                             stamp.second, stamp.milliseconds, stamp.threadId, functionName, line);
  // A header that alone fills the area leaves no room for a whole record.
  if (length < 0 || static_cast<std::size_t>(length) >= kCapacity) {
    good_ = false;
    return;
  }
  size_ = static_cast<std::size_t>(length);
}

LogStream::~LogStream() {
  *this << "\r\n";
  if (good_ && writer_ != nullptr) writer_->append(std::string_view(bytes_, size_));
}

LogStream& LogStream::operator<<(std::string_view text) {
  if (!good_) return *this;
  if (text.size() > kCapacity - size_) {
    good_ = false;
    return *this;
  }
  std::memcpy(bytes_ + size_, text.data(), text.size());
  size_ += text.size();
  return *this;
}

}  // namespace common
