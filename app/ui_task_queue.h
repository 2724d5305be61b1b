#pragma once
// Carries tasks from any thread to the UI thread inside posted window
// messages, and runs repeating timers whose tick is a task.
//
// Ownership: every task handed to post() or setTimer() belongs to the queue
// from that moment, also when the call fails (the task is then released at
// once, on the calling thread). close() releases, without running them, the
// tasks still waiting and the tasks of running timers; later posts fail.
// The process-wide queue is never deleted, so workers may keep posting
// during shutdown without touching freed memory.

#include <windows.h>

#include <map>
#include <memory>
#include <mutex>

#include "utility/runable.h"
#include "utility/scoped_handle.h"

namespace utility {

// Message that carries one task: wParam = owner key, lParam = task.
inline constexpr UINT WM_UI_TASK = 8888;

class UITaskQueue {
 public:
  // Creates the process-wide queue and its window on the calling thread
  // (which becomes the UI thread); does nothing when it exists already.
  static void create();
  // The process-wide queue, or null before create().
  static UITaskQueue* instance();

  // Creates a queue whose message-only window belongs to the calling thread.
  UITaskQueue();
  // Closes the queue (see close()).
  ~UITaskQueue();
  UITaskQueue(const UITaskQueue&) = delete;
  UITaskQueue& operator=(const UITaskQueue&) = delete;

  // Queues task to run once on the UI thread; owner is an identity only.
  // Any thread. False (task released unrun) when posting failed.
  bool post(const void* owner, Runable* task);
  // Starts a repeating timer running task every intervalMs; returns its id
  // (a new one for every request) or 0 on failure (task released). UI thread.
  unsigned setTimer(unsigned intervalMs, Runable* task);
  // Stops the timer id and releases its task (after the tick in progress,
  // when called from that tick); unknown ids are ignored. UI thread.
  void killTimer(unsigned id);
  // Stops all timers, releases every waiting task unrun and destroys the
  // window; later posts and timers fail. UI thread; idempotent.
  void close();

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void runTimer(unsigned id);

  // Guards closed_ and orders posts before close() drains the queue.
  std::mutex lock_;
  bool closed_ = false;
  DWORD ownerThread_ = 0;
  ScopedWindow window_;
  // Shared so that a timer stopped from its own tick lives until the tick ends.
  std::map<unsigned, std::shared_ptr<Runable>> timers_;
  unsigned lastTimerId_ = 0;
};

}  // namespace utility
