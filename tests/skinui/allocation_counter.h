#pragma once
// Counts heap allocations made through operator new while a counter is
// alive. This test program replaces the global operator new to do so.

#include <cstddef>

namespace vxtest {

class ScopedAllocationCounter {
 public:
  // Starts counting from zero; counters do not nest.
  ScopedAllocationCounter();
  // Stops counting.
  ~ScopedAllocationCounter();
  ScopedAllocationCounter(const ScopedAllocationCounter&) = delete;
  ScopedAllocationCounter& operator=(const ScopedAllocationCounter&) = delete;

  // Allocations made since construction.
  size_t Count() const;
};

}  // namespace vxtest
