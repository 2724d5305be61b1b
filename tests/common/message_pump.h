#pragma once
// A real message loop for tests that wait for window messages, timers or
// posted tasks on the calling thread.

#include <functional>

namespace vxtest {

// Dispatches the calling thread's messages until done() is true or
// limitMs has passed (a guard against hangs, not a speed check). Returns
// done().
bool pumpMessagesUntil(const std::function<bool()>& done, unsigned limitMs = 20000);

// Dispatches the calling thread's messages for periodMs.
void pumpMessagesFor(unsigned periodMs);

}  // namespace vxtest
