#include "utility/task_thread.h"

#include <process.h>

#include <cerrno>

#include "utility/log.h"

namespace utility {

bool CTaskThread::start(Runable* task) {
  if (thread_ || task == nullptr) return false;
  stopRequested_ = false;
  task_ = std::shared_ptr<Runable>(task, RunableReleaser());
  // The thread holds its own reference, so the task outlives a stop() that
  // gave up waiting.
  auto* threadTask = new std::shared_ptr<Runable>(task_);
  thread_.reset(reinterpret_cast<HANDLE>(
      ::_beginthreadex(nullptr, 0, &CTaskThread::threadMain, threadTask, 0, nullptr)));
  if (!thread_) {
    delete threadTask;
    writeLog("utility::CTaskThread::start", __LINE__, L"thread start failed, error = %d", errno);
    return false;
  }
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
