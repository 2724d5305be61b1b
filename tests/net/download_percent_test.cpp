// The percent of a libcurl download: whole numbers 0..99, never 100.
#include "net/download_percent.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(DownloadPercent, WholePercentBelowAHundred) {
  constexpr std::int64_t kHuge = INT64_MAX;
  struct Case {
    const char* what;
    std::int64_t received;
    std::int64_t total;
    int percent;
  };
  const Case cases[] = {
      {"total not known", 500, 0, 0},
      {"nothing received", 0, 1000, 0},
      {"half", 500, 1000, 50},
      {"a third, rounded down", 1, 3, 33},
      {"just below the total", 999999, 1000000, 99},
      {"the whole total", 1000, 1000, 99},
      {"more than the total", 5000, 1000, 99},
      {"large counts, half", kHuge / 2, kHuge, 50},
      {"large counts, just below", kHuge - 1, kHuge, 99},
      {"large counts, one byte of many", 1, kHuge, 0},
      {"large count over a tiny total", kHuge, 1, 99},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(downloadPercent(c.received, c.total), c.percent);
  }
}

}  // namespace
