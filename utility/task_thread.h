#pragma once
// One worker thread running one task, with a stop flag the task polls.
//
// stop() never terminates a thread: a forced end can leave a lock of the
// heap or the log held for ever. A thread that outlives the time limit is
// left to see its stop flag and end by itself; it keeps the task alive and
// releases it when the task returns.

#include <windows.h>

#include <atomic>
#include <memory>

#include "utility/runable.h"
#include "utility/scoped_handle.h"

namespace utility {

class CTaskThread {
 public:
  CTaskThread() = default;
  CTaskThread(const CTaskThread&) = delete;
  CTaskThread& operator=(const CTaskThread&) = delete;

  // Runs task on a new thread. False when a thread exists or task is null
  // (task not taken), or when the thread cannot start (task held until stop()).
  bool start(Runable* task);
  // Raises the stop flag. Any thread.
  void requestStop();
  // The stop flag. Any thread.
  bool isStopRequested() const;
  // Waits up to limitMs (INFINITE allowed) for the thread, then forgets it
  // and releases the task; a thread still running keeps its task until it
  // returns. The stop flag is left as it is.
  void stop(DWORD limitMs);

 private:
  static unsigned __stdcall threadMain(void* task);

  std::shared_ptr<Runable> task_;
  ScopedHandle thread_;
  std::atomic<bool> stopRequested_{false};
};

}  // namespace utility
