#include "app/async_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/post_to_ui.h"
#include "app/ui_task_queue.h"
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

}  // namespace
