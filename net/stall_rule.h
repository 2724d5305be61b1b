#pragma once
// When a download counts as stalled: a transfer that stays slower than a
// minimum rate for a whole window fails, so a server that sends a byte now
// and then cannot hold a download for ever. The caller supplies a monotonic
// millisecond clock.

#include <cstdint>

namespace utility {

class StallRule {
 public:
  // The transfer starts at startMs.
  StallRule(std::uint64_t startMs, std::uint32_t windowMs, std::uint32_t minBytesPerSecond);

  // Counts bytes that arrived by nowMs; false once the transfer has averaged
  // below the rate for windowMs since it last kept up with it.
  bool keepsUp(std::uint64_t nowMs, std::uint64_t bytes);

 private:
  std::uint32_t windowMs_;
  std::uint32_t minBytesPerSecond_;
  std::uint64_t slowSinceMs_;
  std::uint64_t bytesSince_ = 0;
};

}  // namespace utility
