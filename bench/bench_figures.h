#pragma once
// The median and 90th percentile the benchmarks print.

#include <algorithm>
#include <vector>

namespace vxbench {

struct Figures {
  double median;
  double p90;
};

// The figures of a non-empty set of samples.
inline Figures Summarise(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return {values[values.size() / 2], values[values.size() * 9 / 10]};
}

}  // namespace vxbench
