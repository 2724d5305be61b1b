#include "net/download_percent.h"

namespace {

constexpr int kHighestRunningPercent = 99;

}  // namespace

int downloadPercent(std::int64_t received, std::int64_t total) {
  if (received <= 0 || total <= 0) return 0;
  // In double precision: received * 100 would overflow for large counts.
  const double percent = static_cast<double>(received) / static_cast<double>(total) * 100.0;
  // Compared before the conversion, which is undefined for huge ratios.
  if (percent >= kHighestRunningPercent) return kHighestRunningPercent;
  return static_cast<int>(percent);
}
