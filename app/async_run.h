#pragma once
// Runs jobs on pool threads; the UI thread collects each finished job.

#include <cstddef>
#include <functional>

// Starts job on a pool thread without waiting for it. UI thread only.
void asyncRun(std::function<void()> job);
// Number of jobs started by asyncRun and not yet collected. UI thread only.
std::size_t pendingAsyncJobs();
