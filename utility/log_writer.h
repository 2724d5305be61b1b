#pragma once
// Collects finished log records from any thread and writes them to the log
// file in batches on one background thread.

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace common {

class LogFile;

class LogWriter {
 public:
  // The queue wakes the writer at this size and refuses records beyond it.
  static constexpr std::size_t kBatchBytes = 10240;

  // Opens (or creates) the file at path; records queue until start or flush.
  explicit LogWriter(const std::wstring& path);
  LogWriter(const LogWriter&) = delete;
  LogWriter& operator=(const LogWriter&) = delete;
  // Stops the writer thread and writes what is still queued.
  ~LogWriter();

  // Starts the writer thread; false when no thread could be started.
  bool start();
  // Queues one finished record; dropped while the queue is over kBatchBytes.
  void append(std::string_view record);
  // Writes every queued record now, on the calling thread.
  void flush();

 private:
  void run();
  void writeQueueLocked();

  std::unique_ptr<LogFile> file_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::string queue_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace common
