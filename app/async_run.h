#pragma once
// Runs jobs on threads of their own; the UI thread collects each finished
// job. Nothing waits for a job or stops it at exit: a job still running when
// the program quits ends with the process.

#include <cstddef>
#include <functional>

#include "utility/thread_starter.h"

// Starts job on a new thread without waiting for it; threads come from
// starter. False when no thread could be started (job dropped unrun, errno
// holds the runtime's reason). UI thread only.
bool asyncRun(std::function<void()> job, utility::ThreadStarter starter = &::_beginthreadex);
// Number of jobs started by asyncRun and not yet collected. UI thread only.
std::size_t pendingAsyncJobs();
