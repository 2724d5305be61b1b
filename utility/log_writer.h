#pragma once
// Collects finished log records from any thread and writes them to the log
// file in batches on one background thread.

#include <chrono>
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
  // The running writer writes every interval, or sooner when a batch is full.
  explicit LogWriter(const std::wstring& path, std::chrono::milliseconds interval = std::chrono::milliseconds(500));
  LogWriter(const LogWriter&) = delete;
  LogWriter& operator=(const LogWriter&) = delete;
  // Stops the writer thread and writes what is still queued.
  ~LogWriter();

  // Starts the writer thread; false when no thread could be started.
  bool start();
  // Queues one finished record; dropped while the queue is over kBatchBytes.
  void append(std::string_view record);
  // Writes every queued record now, on the calling thread. A file that grew
  // too big is cut to its tail; when that fails, the failure is logged once
  // and the file is not cut again.
  void flush();

 private:
  void run();
  unsigned long writeQueueLocked();
  static void reportCutFailure(unsigned long error);

  const std::chrono::milliseconds interval_;
  std::unique_ptr<LogFile> file_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::string queue_;
  bool stopping_ = false;
  // Set by the first failed cut: a cut that failed once may have lost the
  // head already and is not repeated in this run.
  bool cutFailed_ = false;
  std::thread thread_;
};

}  // namespace common
