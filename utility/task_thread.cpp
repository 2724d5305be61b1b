#include "utility/task_thread.h"

#include <process.h>

#include <cerrno>

#include "utility/log.h"

namespace utility {

bool CTaskThread::start(Runable* task) {
  if (thread_ || task == nullptr) return false;
  // The thread holds its own reference, so the task outlives a stop() that
  // gave up waiting. It is filled only once the thread exists, so a failed
  // start leaves the task with the caller.
  auto threadTask = std::make_unique<std::shared_ptr<Runable>>();
  ScopedHandle thread(reinterpret_cast<HANDLE>(
      starter_(nullptr, 0, &CTaskThread::threadMain, threadTask.get(), CREATE_SUSPENDED, nullptr)));
  if (!thread) {
    writeLog("utility::CTaskThread::start", __LINE__, L"thread start failed, error = %d", errno);
    return false;
  }
  stopRequested_ = false;
  task_ = std::shared_ptr<Runable>(task, RunableReleaser());
  *threadTask = task_;
  // The thread owns its reference from here.
  threadTask.release();
  ::ResumeThread(thread.get());
  thread_ = std::move(thread);
  return true;
}

void CTaskThread::requestStop() { stopRequested_ = true; }

bool CTaskThread::isStopRequested() const { return stopRequested_; }

void CTaskThread::stop(DWORD limitMs) {
  const DWORD waited = thread_ ? ::WaitForSingleObject(thread_.get(), limitMs) : WAIT_OBJECT_0;
  if (waited != WAIT_OBJECT_0) {
    writeLog("utility::CTaskThread::stop", __LINE__,
             L"thread not ended after %d ms (wait = %d, lastError = %d), left to end by itself",
             static_cast<int>(limitMs), static_cast<int>(waited), static_cast<int>(::GetLastError()));
  }
  thread_.reset();
  task_.reset();
}

unsigned __stdcall CTaskThread::threadMain(void* task) {
  std::unique_ptr<std::shared_ptr<Runable>> owned(static_cast<std::shared_ptr<Runable>*>(task));
  (*owned)->run();
  return 0;
}

}  // namespace utility
