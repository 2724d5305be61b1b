#include "app/async_run.h"

#include <cerrno>
#include <memory>

#include "app/post_to_ui.h"
#include "utility/log.h"
#include "utility/scoped_handle.h"

namespace {

// Touched only on the UI thread: asyncRun counts a job up, its collect task
// counts it down.
std::size_t g_pendingJobs = 0;

unsigned __stdcall jobMain(void* argument) {
  std::unique_ptr<std::function<void()>> job(static_cast<std::function<void()>*>(argument));
  (*job)();
  job.reset();
  postToUI([] { --g_pendingJobs; });
  return 0;
}

}  // namespace

bool asyncRun(std::function<void()> job, utility::ThreadStarter starter) {
  auto owned = std::make_unique<std::function<void()>>(std::move(job));
  // Counted before the thread exists: its collect task runs on this thread,
  // so never before this function has returned.
  ++g_pendingJobs;
  // The handle is closed at once: the thread is detached, so the process
  // neither waits for it nor holds it at exit.
  const utility::ScopedHandle thread(reinterpret_cast<HANDLE>(starter(nullptr, 0, &jobMain, owned.get(), 0, nullptr)));
  if (!thread) {
    const int error = errno;
    --g_pendingJobs;
    writeLog("asyncRun", __LINE__, L"no thread for the job, error = %d", error);
    errno = error;
    return false;
  }
  owned.release();
  return true;
}

std::size_t pendingAsyncJobs() { return g_pendingJobs; }
