#include "app/ui_task_queue.h"

#include <atomic>
#include <cstdlib>

#include "utility/log.h"

namespace utility {
namespace {

std::atomic<UITaskQueue*> g_instance{nullptr};

void closeInstanceAtExit() { g_instance.load()->close(); }

std::shared_ptr<Runable> shareTask(Runable* task) { return std::shared_ptr<Runable>(task, RunableReleaser()); }

}  // namespace

void UITaskQueue::create() {
  if (g_instance.load() != nullptr) return;
  // Never deleted: workers may still post while the process ends.
  g_instance.store(new UITaskQueue());
  std::atexit(closeInstanceAtExit);
}

UITaskQueue* UITaskQueue::instance() { return g_instance.load(); }

UITaskQueue::UITaskQueue() : ownerThread_(::GetCurrentThreadId()) {
  window_.reset(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr));
  if (!window_) {
    writeLog("utility::UITaskQueue::UITaskQueue", __LINE__, L"create window failed, lastError = %d",
             static_cast<int>(::GetLastError()));
    return;
  }
  ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetWindowLongPtrW(window_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&windowProc));
}

UITaskQueue::~UITaskQueue() {
  close();
  // Only left when closing was refused off the UI thread: no later timer
  // message may reach this object.
  if (window_) ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

bool UITaskQueue::post(const void* owner, Runable* task) {
  RunablePtr owned(task);
  if (!owned) return false;
  {
    // Held across the post so that close() cannot drain between a post's
    // check and its message; posting never waits for the UI thread.
    std::lock_guard<std::mutex> guard(lock_);
    if (!closed_ && window_ &&
        ::PostMessageW(window_.get(), WM_UI_TASK, reinterpret_cast<WPARAM>(owner),
                       reinterpret_cast<LPARAM>(owned.get()))) {
      owned.release();
      return true;
    }
  }
  writeLog("utility::UITaskQueue::post", __LINE__, L"post failed, task dropped, lastError = %d",
           static_cast<int>(::GetLastError()));
  return false;
}

unsigned UITaskQueue::setTimer(unsigned intervalMs, Runable* task) {
  RunablePtr owned(task);
  if (!owned) return 0;
  const unsigned id = ++lastTimerId_;
  // Without a window SetTimer would make a thread timer under another id.
  if (!window_ || ::SetTimer(window_.get(), id, intervalMs, nullptr) == 0) {
    writeLog("utility::UITaskQueue::setTimer", __LINE__, L"setTimer failed, id = %d, lastError = %d",
             static_cast<int>(id), static_cast<int>(::GetLastError()));
    return 0;
  }
  timers_[id] = shareTask(owned.release());
  return id;
}

void UITaskQueue::killTimer(unsigned id) {
  auto found = timers_.find(id);
  if (found == timers_.end()) return;
  ::KillTimer(window_.get(), id);
  // Released after the table is consistent again: a task's destructor may
  // stop other timers.
  std::shared_ptr<Runable> task = std::move(found->second);
  timers_.erase(found);
}

void UITaskQueue::close() {
  if (::GetCurrentThreadId() != ownerThread_) {
    writeLog("utility::UITaskQueue::close", __LINE__, L"close off the UI thread ignored");
    return;
  }
  {
    std::lock_guard<std::mutex> guard(lock_);
    if (closed_) return;
    closed_ = true;
  }
  if (!window_) return;
  auto timers = std::move(timers_);
  timers_.clear();
  for (const auto& [id, task] : timers) ::KillTimer(window_.get(), id);
  MSG message;
  while (::PeekMessageW(&message, window_.get(), WM_UI_TASK, WM_UI_TASK, PM_REMOVE)) {
    RunablePtr dropped(reinterpret_cast<Runable*>(message.lParam));
  }
  window_.reset();
}

void UITaskQueue::runTimer(unsigned id) {
  auto found = timers_.find(id);
  if (found == timers_.end()) return;
  // The copy keeps the task alive if the tick stops its own timer.
  std::shared_ptr<Runable> task = found->second;
  task->run();
}

LRESULT CALLBACK UITaskQueue::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* queue = reinterpret_cast<UITaskQueue*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_UI_TASK) {
    RunablePtr task(reinterpret_cast<Runable*>(lParam));
    if (task) task->run();
    return 0;
  }
  if (message == WM_TIMER && queue != nullptr) {
    queue->runTimer(static_cast<unsigned>(wParam));
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace utility
