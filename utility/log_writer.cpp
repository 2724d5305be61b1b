#include "utility/log_writer.h"

#include <chrono>
#include <cstdint>
#include <system_error>

#include "utility/log.h"
#include "utility/log_file.h"
#include "utility/log_stream.h"

namespace common {

namespace {

constexpr std::int64_t kFileLimit = 50LL * 1024 * 1024;
constexpr std::int64_t kKeptTail = 2LL * 1024 * 1024;

}  // namespace

LogWriter::LogWriter(const std::wstring& path, std::chrono::milliseconds interval)
    : interval_(interval), file_(std::make_unique<LogFile>(path)) {
  // The queue never holds more than a full batch plus one record, so
  // appending never has to grow it.
  queue_.reserve(kBatchBytes + LogStream::kCapacity);
}

LogWriter::~LogWriter() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
  flush();
}

bool LogWriter::start() {
  try {
    thread_ = std::thread(&LogWriter::run, this);
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void LogWriter::append(std::string_view record) {
  bool full = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // Strictly more: a queue of exactly one batch still takes the record.
    if (queue_.size() > kBatchBytes) return;
    queue_.append(record);
    full = queue_.size() >= kBatchBytes;
  }
  if (full) wake_.notify_one();
}

void LogWriter::flush() {
  std::unique_lock<std::mutex> lock(mutex_);
  const unsigned long cutError = writeQueueLocked();
  lock.unlock();
  if (cutError != 0) reportCutFailure(cutError);
}

void LogWriter::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stopping_) {
    wake_.wait_for(lock, interval_, [this] { return stopping_ || queue_.size() >= kBatchBytes; });
    // Producers wait while the file is written: the lock is held throughout.
    const unsigned long cutError = writeQueueLocked();
    if (cutError == 0) continue;
    // The report comes back to this writer's queue: not under its lock.
    lock.unlock();
    reportCutFailure(cutError);
    lock.lock();
  }
}

unsigned long LogWriter::writeQueueLocked() {
  if (!queue_.empty()) {
    file_->append(queue_);
    queue_.clear();
  }
  if (cutFailed_) return 0;
  const unsigned long error = file_->cutToTail(kFileLimit, kKeptTail);
  cutFailed_ = error != 0;
  return error;
}

void LogWriter::reportCutFailure(unsigned long error) {
  writeLog("common::LogWriter::reportCutFailure", __LINE__, L"log cut failed, error = %d, the log is no longer cut",
           static_cast<int>(error));
}

}  // namespace common
