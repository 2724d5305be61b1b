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
#include "utility/thread_starter.h"

namespace utility {

class CTaskThread {
 public:
  // Threads come from starter (the runtime's thread start by default).
  explicit CTaskThread(ThreadStarter starter = &::_beginthreadex) : starter_(starter) {}
  CTaskThread(const CTaskThread&) = delete;
  CTaskThread& operator=(const CTaskThread&) = delete;

  // Runs task on a new thread and owns it from then on. False when a thread
  // exists, task is null or no thread could be started: the task then stays
  // with the caller, untouched.
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

  const ThreadStarter starter_;
  std::shared_ptr<Runable> task_;
  ScopedHandle thread_;
  std::atomic<bool> stopRequested_{false};
};

}  // namespace utility
