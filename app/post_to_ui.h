#pragma once
// Runs a function once on the UI thread through the process-wide task queue.

#include <functional>

// Posts function to the UI thread; any thread. False when the queue does
// not exist or is closed (the function is then dropped unrun).
bool postToUI(std::function<void()> function);
