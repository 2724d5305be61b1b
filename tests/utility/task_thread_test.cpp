#include "utility/task_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <thread>

#include "tests/common/log_capture.h"
#include "tests/common/message_pump.h"
#include "tests/common/probe_task.h"

namespace {

using vxtest::ProbeRecord;
using vxtest::ProbeTask;

TEST(CTaskThread, RunsTheTaskOnItsOwnThreadAndReleasesItAtStop) {
  ProbeRecord record;
  utility::CTaskThread thread;
  ASSERT_TRUE(thread.start(new ProbeTask(record)));
  ASSERT_TRUE(vxtest::pumpMessagesUntil([&] { return record.runs == 1; }));
  // Ended by itself, but still held until stop().
  EXPECT_EQ(record.releases, 0);
  thread.stop(INFINITE);
  EXPECT_EQ(record.releases, 1);
  EXPECT_NE(record.runThread.load(), std::this_thread::get_id());
  EXPECT_EQ(record.releaseThread.load(), std::this_thread::get_id());
}

TEST(CTaskThread, ASecondStartIsRefusedUntilStopAndLeavesTheTaskWithTheCaller) {
  ProbeRecord first;
  ProbeRecord second;
  utility::CTaskThread thread;
  ASSERT_TRUE(thread.start(new ProbeTask(first)));
  ProbeTask* refused = new ProbeTask(second);
  EXPECT_FALSE(thread.start(refused));
  EXPECT_FALSE(thread.start(nullptr));
  thread.stop(INFINITE);
  EXPECT_EQ(second.runs, 0);
  EXPECT_EQ(second.releases, 0);
  ASSERT_TRUE(thread.start(refused));
  thread.stop(INFINITE);
  EXPECT_EQ(second.runs, 1);
  EXPECT_EQ(second.releases, 1);
}

// Refuses like the runtime does when no thread can be made.
std::uintptr_t noThread(void*, unsigned, unsigned(__stdcall*)(void*), void*, unsigned, unsigned*) {
  errno = EAGAIN;
  return 0;
}

TEST(CTaskThread, AThreadThatCannotStartLeavesTheTaskWithTheCaller) {
  vxtest::LogCapture log;
  ProbeRecord record;
  utility::CTaskThread thread(&noThread);
  ProbeTask* task = new ProbeTask(record);
  EXPECT_FALSE(thread.start(task));
  EXPECT_EQ(log.after("utility::CTaskThread::start", L"thread start failed, error = "), std::to_wstring(EAGAIN));
  thread.stop(INFINITE);
  EXPECT_EQ(record.runs, 0);
  EXPECT_EQ(record.releases, 0);
  task->release();
  EXPECT_EQ(record.releases, 1);
}

class Poller {
 public:
  explicit Poller(utility::CTaskThread& thread) : thread_(thread) {}
  void loop() {
    while (!thread_.isStopRequested()) std::this_thread::yield();
    sawStop = true;
  }
  std::atomic<bool> sawStop{false};

 private:
  utility::CTaskThread& thread_;
};

TEST(CTaskThread, TheStopFlagReachesTheTaskAndLastsUntilTheNextStart) {
  utility::CTaskThread thread;
  Poller poller(thread);
  ASSERT_TRUE(thread.start(new MemberFuncRunable<Poller>(&poller, &Poller::loop)));
  EXPECT_FALSE(thread.isStopRequested());
  thread.requestStop();
  thread.stop(INFINITE);
  EXPECT_TRUE(poller.sawStop);
  EXPECT_TRUE(thread.isStopRequested());
  ProbeRecord record;
  ASSERT_TRUE(thread.start(new ProbeTask(record)));
  EXPECT_FALSE(thread.isStopRequested());
  thread.stop(INFINITE);
}

// A thread still running when the limit passes is not terminated: it
// finishes its task and then releases it itself.
TEST(CTaskThread, StopWithALimitLeavesARunningThreadToEndByItself) {
  utility::ScopedHandle go(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(go.valid());
  ProbeRecord record;
  std::atomic<bool> finished{false};
  std::thread::id runner;
  utility::CTaskThread thread;
  ASSERT_TRUE(thread.start(new ProbeTask(record, [&] {
    runner = std::this_thread::get_id();
    ::WaitForSingleObject(go.get(), INFINITE);
    finished = true;
  })));
  ASSERT_TRUE(vxtest::pumpMessagesUntil([&] { return record.runs == 1; }));
  thread.stop(20);
  EXPECT_EQ(record.releases, 0);
  ProbeRecord next;
  ASSERT_TRUE(thread.start(new ProbeTask(next)));
  ::SetEvent(go.get());
  ASSERT_TRUE(vxtest::pumpMessagesUntil([&] { return record.releases == 1; }));
  EXPECT_TRUE(finished);
  EXPECT_EQ(record.releaseThread.load(), runner);
  thread.stop(INFINITE);
  EXPECT_EQ(next.releases, 1);
}

}  // namespace
