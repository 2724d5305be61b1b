// The stall rule of a download: below the rate for the whole window fails.
#include "net/stall_rule.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct Step {
  std::uint64_t ms;
  std::uint64_t bytes;
  bool keepsUp;
};

struct StallCase {
  const char* what;
  std::vector<Step> steps;
};

TEST(StallRule, FailsOnlyAfterAWholeWindowBelowTheRate) {
  constexpr std::uint32_t kWindowMs = 60000;
  constexpr std::uint32_t kRate = 1024;
  const StallCase cases[] = {
      {"fast throughout", {{10, 32768, true}, {20, 32768, true}, {120000, 200000000, true}}},
      {"exactly at the rate", {{1000, 1024, true}, {61000, 61440, true}, {62000, 1024, true}}},
      {"a byte every five seconds", {{5000, 1, true}, {30000, 1, true}, {59999, 1, true}, {60000, 1, false}}},
      {"silence, then a byte after the window", {{61000, 1, false}}},
      {"two quick bytes in a drip do not end the stretch", {{30000, 1, true}, {30001, 1, true}, {60000, 1, false}}},
      {"a recovery starts the window afresh",
       {{50000, 1, true}, {51000, 100000, true}, {110000, 1, true}, {111000, 1, false}}},
      {"slow, but not for a whole window", {{1000, 2048, true}, {59000, 1000, true}, {60000, 60000, true}}},
      {"a burst too small for the slow stretch", {{30000, 1, true}, {59000, 20000, true}, {61000, 1, false}}},
  };
  for (const StallCase& c : cases) {
    SCOPED_TRACE(c.what);
    utility::StallRule rule(0, kWindowMs, kRate);
    for (const Step& step : c.steps) {
      SCOPED_TRACE(step.ms);
      EXPECT_EQ(rule.keepsUp(step.ms, step.bytes), step.keepsUp);
    }
  }
}

TEST(StallRule, CountsFromTheStartOfTheTransfer) {
  utility::StallRule rule(1000000, 2000, 100);
  EXPECT_TRUE(rule.keepsUp(1001000, 1));
  EXPECT_FALSE(rule.keepsUp(1002000, 1));
}

}  // namespace
