#include "app/ui_timer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/ui_task_queue.h"
#include "tests/common/message_pump.h"
#include "tests/common/probe_task.h"

namespace {

using vxtest::ProbeRecord;
using vxtest::ProbeTask;
using vxtest::pumpMessagesFor;
using vxtest::pumpMessagesUntil;

class UITimerTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { utility::UITaskQueue::create(); }
};

TEST_F(UITimerTest, FiresRepeatedlyUntilStoppedAndReleasesItsTaskOnce) {
  ProbeRecord record;
  UITimer timer;
  ASSERT_TRUE(timer.start(5, new ProbeTask(record)));
  EXPECT_NE(timer.id(), 0u);
  ASSERT_TRUE(pumpMessagesUntil([&] { return record.runs >= 3; }));
  EXPECT_EQ(record.releases, 0);
  timer.stop();
  EXPECT_EQ(timer.id(), 0u);
  EXPECT_EQ(record.releases, 1);
  const int runs = record.runs;
  pumpMessagesFor(50);
  EXPECT_EQ(record.runs, runs);
  timer.stop();
  EXPECT_EQ(record.releases, 1);
}

TEST_F(UITimerTest, ATickStoppingItsOwnTimerIsReleasedOnceAfterTheTick) {
  ProbeRecord record;
  UITimer timer;
  int releasesSeenInsideTick = -1;
  ASSERT_TRUE(timer.start(5, new ProbeTask(record, [&] {
                            if (record.runs < 2) return;
                            // Locals, so that the check itself never reads a released closure.
                            ProbeRecord* seenRecord = &record;
                            int* seen = &releasesSeenInsideTick;
                            timer.stop();
                            *seen = seenRecord->releases;
                          })));
  ASSERT_TRUE(pumpMessagesUntil([&] { return record.releases == 1; }));
  EXPECT_EQ(releasesSeenInsideTick, 0);
  EXPECT_EQ(timer.id(), 0u);
  pumpMessagesFor(50);
  EXPECT_EQ(record.runs, 2);
  EXPECT_EQ(record.releases, 1);
}

TEST_F(UITimerTest, RefusedStartsReleaseTheTaskAndUseNoTimerId) {
  struct Case {
    unsigned intervalMs;
    bool withTask;
  };
  for (const Case& c : {Case{0, true}, Case{10, false}, Case{0, false}}) {
    SCOPED_TRACE(testing::Message() << "interval " << c.intervalMs << " task " << c.withTask);
    ProbeRecord record;
    UITimer before;
    ASSERT_TRUE(before.start(1000, new ProbeTask(record)));
    UITimer refused;
    EXPECT_FALSE(refused.start(c.intervalMs, c.withTask ? new ProbeTask(record) : nullptr));
    EXPECT_EQ(refused.id(), 0u);
    EXPECT_EQ(record.releases, c.withTask ? 1 : 0);
    UITimer after;
    ASSERT_TRUE(after.start(1000, new ProbeTask(record)));
    EXPECT_EQ(after.id(), before.id() + 1);
  }
}

TEST_F(UITimerTest, IdsKeepIncreasingAndAreNeverReused) {
  ProbeRecord record;
  std::vector<unsigned> ids;
  UITimer kept;
  ASSERT_TRUE(kept.start(1000, new ProbeTask(record)));
  ids.push_back(kept.id());
  for (int i = 0; i < 5; ++i) {
    UITimer timer;
    ASSERT_TRUE(timer.start(1000, new ProbeTask(record)));
    ids.push_back(timer.id());
  }
  ASSERT_TRUE(kept.start(1000, new ProbeTask(record)));
  ids.push_back(kept.id());
  for (std::size_t i = 1; i < ids.size(); ++i) EXPECT_GT(ids[i], ids[i - 1]);
  // Stopping an unknown id leaves running timers alone.
  utility::UITaskQueue::instance()->killTimer(ids.back() + 1000);
  kept.stop();
  EXPECT_EQ(record.releases, static_cast<int>(ids.size()));
}

TEST_F(UITimerTest, StartingARunningHandleStopsItsOldTimer) {
  ProbeRecord first;
  ProbeRecord second;
  UITimer timer;
  ASSERT_TRUE(timer.start(5, new ProbeTask(first)));
  const unsigned firstId = timer.id();
  ASSERT_TRUE(timer.start(5, new ProbeTask(second)));
  EXPECT_EQ(first.releases, 1);
  EXPECT_NE(timer.id(), firstId);
  const int firstRuns = first.runs;
  ASSERT_TRUE(pumpMessagesUntil([&] { return second.runs >= 2; }));
  EXPECT_EQ(first.runs, firstRuns);
  timer.stop();
  EXPECT_EQ(second.releases, 1);
}

TEST_F(UITimerTest, DestroyingARunningHandleStopsTheTimer) {
  ProbeRecord record;
  {
    UITimer timer;
    ASSERT_TRUE(timer.start(5, new ProbeTask(record)));
  }
  EXPECT_EQ(record.releases, 1);
  pumpMessagesFor(40);
  EXPECT_EQ(record.runs, 0);
}

}  // namespace
