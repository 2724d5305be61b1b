#include "net/stall_rule.h"

namespace utility {

StallRule::StallRule(std::uint64_t startMs, std::uint32_t windowMs, std::uint32_t minBytesPerSecond)
    : windowMs_(windowMs), minBytesPerSecond_(minBytesPerSecond), slowSinceMs_(startMs) {}

bool StallRule::keepsUp(std::uint64_t nowMs, std::uint64_t bytes) {
  bytesSince_ += bytes;
  const std::uint64_t elapsedMs = nowMs > slowSinceMs_ ? nowMs - slowSinceMs_ : 0;
  // The average since the slow stretch began: one quick chunk in a drip does
  // not end the stretch, a real recovery does.
  if (bytesSince_ * 1000 >= elapsedMs * minBytesPerSecond_) {
    slowSinceMs_ = nowMs;
    bytesSince_ = 0;
    return true;
  }
  return elapsedMs < windowMs_;
}

}  // namespace utility
