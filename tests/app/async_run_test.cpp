#include "app/async_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <thread>

#include "app/post_to_ui.h"
#include "app/ui_task_queue.h"
#include "tests/common/child_process.h"
#include "tests/common/message_pump.h"

namespace {

using vxtest::pumpMessagesUntil;

class AsyncRunTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { utility::UITaskQueue::create(); }
};

TEST_F(AsyncRunTest, AJobThatEndsAtOnceIsStillCollected) {
  const std::size_t before = pendingAsyncJobs();
  asyncRun([] {});
  EXPECT_EQ(pendingAsyncJobs(), before + 1);
  ASSERT_TRUE(pumpMessagesUntil([&] { return pendingAsyncJobs() == before; }));
}

TEST_F(AsyncRunTest, JobsRunOffTheUIThreadAndReportBackThroughTheQueue) {
  constexpr int kJobs = 20;
  const std::size_t before = pendingAsyncJobs();
  const std::thread::id uiThread = std::this_thread::get_id();
  std::atomic<int> onUIThread{0};
  int reported = 0;
  for (int i = 0; i < kJobs; ++i) {
    asyncRun([&] {
      if (std::this_thread::get_id() == uiThread) ++onUIThread;
      postToUI([&] { ++reported; });
    });
  }
  ASSERT_TRUE(pumpMessagesUntil([&] { return reported == kJobs && pendingAsyncJobs() == before; }));
  EXPECT_EQ(onUIThread, 0);
}

// Refuses like the runtime does when no thread can be made.
std::uintptr_t noThread(void*, unsigned, unsigned(__stdcall*)(void*), void*, unsigned, unsigned*) {
  errno = EAGAIN;
  return 0;
}

TEST_F(AsyncRunTest, AJobWithoutAThreadIsDroppedUnrunAndNotCounted) {
  const std::size_t before = pendingAsyncJobs();
  auto held = std::make_shared<int>(0);
  const std::weak_ptr<int> watch = held;
  bool ran = false;
  EXPECT_FALSE(asyncRun([&ran, held = std::move(held)] { ran = true; }, &noThread));
  EXPECT_EQ(errno, EAGAIN);
  EXPECT_EQ(pendingAsyncJobs(), before);
  EXPECT_TRUE(watch.expired());
  EXPECT_FALSE(ran);
}

// The child's job sleeps 30 s; the child must be gone long before that. The
// limit is a guard, not a speed check: a program that waits for its job at
// exit takes the full 30 s.
TEST_F(AsyncRunTest, AProgramThatQuitsDoesNotWaitForItsRunningJob) {
  EXPECT_EQ(vxtest::runChildProcess(VX_ASYNC_EXIT_PATH, L"", 8000), 7u);
}

}  // namespace
