#include "app/ui_task_queue.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "app/post_to_ui.h"
#include "tests/common/child_process.h"
#include "tests/common/message_pump.h"
#include "tests/common/probe_task.h"

namespace {

using vxtest::ProbeRecord;
using vxtest::ProbeTask;
using vxtest::pumpMessagesFor;
using vxtest::pumpMessagesUntil;

const char kOwner = 0;

class UITaskQueueTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { utility::UITaskQueue::create(); }
  utility::UITaskQueue& queue() { return *utility::UITaskQueue::instance(); }
};

TEST_F(UITaskQueueTest, TasksPostedFromAWorkerRunInOrderOnTheUIThread) {
  constexpr int kTasks = 300;
  const std::thread::id uiThread = std::this_thread::get_id();
  std::vector<int> order;
  int offThread = 0;
  std::thread worker([&] {
    for (int i = 0; i < kTasks; ++i) {
      auto task = [&, i] {
        order.push_back(i);
        if (std::this_thread::get_id() != uiThread) ++offThread;
      };
      EXPECT_TRUE(queue().post(&kOwner, new FunctionRunable(task)));
    }
  });
  worker.join();
  ASSERT_TRUE(pumpMessagesUntil([&] { return order.size() == kTasks; }));
  for (int i = 0; i < kTasks; ++i) ASSERT_EQ(order[i], i);
  EXPECT_EQ(offThread, 0);
}

TEST_F(UITaskQueueTest, ATaskMayPostFurtherTasksFromItsRun) {
  std::vector<int> steps;
  std::thread worker([&] {
    postToUI([&] {
      steps.push_back(1);
      postToUI([&] {
        steps.push_back(3);
        queue().post(&kOwner, new FunctionRunable([&] { steps.push_back(4); }));
      });
      steps.push_back(2);
    });
  });
  worker.join();
  ASSERT_TRUE(pumpMessagesUntil([&] { return steps.size() == 4; }));
  EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 4}));
}

// Queues of their own, so that closing them leaves the process-wide one.
TEST(UITaskQueueClose, TasksStillQueuedAreReleasedWithoutRunning) {
  ProbeRecord record;
  utility::UITaskQueue local;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(local.post(&kOwner, new ProbeTask(record)));
  local.close();
  EXPECT_EQ(record.releases, 3);
  pumpMessagesFor(50);
  EXPECT_EQ(record.runs, 0);
  EXPECT_EQ(record.releases, 3);
}

TEST(UITaskQueueClose, PostAfterCloseFailsAndReleasesTheTaskOnThePostingThread) {
  ProbeRecord record;
  utility::UITaskQueue local;
  local.close();
  std::thread::id workerId;
  bool posted = true;
  std::thread worker([&] {
    workerId = std::this_thread::get_id();
    posted = local.post(&kOwner, new ProbeTask(record));
  });
  worker.join();
  EXPECT_FALSE(posted);
  EXPECT_EQ(record.releases, 1);
  EXPECT_EQ(record.releaseThread.load(), workerId);
  EXPECT_EQ(local.setTimer(10, new ProbeTask(record)), 0u);
  EXPECT_EQ(record.releases, 2);
  pumpMessagesFor(30);
  EXPECT_EQ(record.runs, 0);
}

TEST(UITaskQueueClose, DestroyingAQueueStopsItsTimersAndReleasesTheirTasks) {
  ProbeRecord record;
  auto local = std::make_unique<utility::UITaskQueue>();
  ASSERT_NE(local->setTimer(5, new ProbeTask(record)), 0u);
  ASSERT_TRUE(pumpMessagesUntil([&] { return record.runs >= 1; }));
  local.reset();
  EXPECT_EQ(record.releases, 1);
  const int runs = record.runs;
  pumpMessagesFor(50);
  EXPECT_EQ(record.runs, runs);
}

// A worker keeps posting while the UI thread closes the queue: every task is
// released exactly once, and none runs after the close.
TEST(UITaskQueueClose, ConcurrentPostsDuringCloseNeitherLeakNorRunLate) {
  constexpr int kTasks = 3000;
  ProbeRecord record;
  utility::UITaskQueue local;
  std::atomic<int> accepted{0};
  std::thread worker([&] {
    for (int i = 0; i < kTasks; ++i) {
      if (local.post(&kOwner, new ProbeTask(record))) ++accepted;
    }
  });
  pumpMessagesUntil([&] { return record.runs >= 200; });
  local.close();
  const int runsAtClose = record.runs;
  worker.join();
  pumpMessagesFor(30);
  EXPECT_EQ(record.releases, kTasks);
  EXPECT_EQ(record.runs, runsAtClose);
  EXPECT_LE(record.runs, accepted.load());
}

// A program that ends with tasks still queued and a timer running: each task
// is released once at exit and none runs.
TEST(UITaskQueueClose, TheProcessQueueReleasesWhatIsLeftWhenTheProgramEnds) {
  EXPECT_EQ(vxtest::runChildProcess(VX_QUEUE_EXIT_PATH, L""), 4u);
}

}  // namespace
