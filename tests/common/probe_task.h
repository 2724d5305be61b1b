#pragma once
// A task that counts how often it ran and was released, and where.

#include <atomic>
#include <functional>
#include <thread>

#include "utility/runable.h"

namespace vxtest {

struct ProbeRecord {
  std::atomic<int> runs{0};
  std::atomic<int> releases{0};
  std::atomic<std::thread::id> runThread{};
  std::atomic<std::thread::id> releaseThread{};
};

class ProbeTask : public Runable {
 public:
  // body (optional) runs inside run(), after the run is counted.
  explicit ProbeTask(ProbeRecord& record, std::function<void()> body = {}) : record_(record), body_(std::move(body)) {}
  ~ProbeTask() override {
    record_.releaseThread = std::this_thread::get_id();
    ++record_.releases;
  }
  void run() override {
    record_.runThread = std::this_thread::get_id();
    ++record_.runs;
    if (body_) body_();
  }

 private:
  ProbeRecord& record_;
  std::function<void()> body_;
};

}  // namespace vxtest
