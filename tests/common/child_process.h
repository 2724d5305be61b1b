#pragma once
// Runs a test program of this build as a child process.

#include <string>

namespace vxtest {

// Runs the program at linuxPath (a path on the build machine, reached
// through Wine's Z: drive) with arguments, dispatching this thread's
// messages until it ends so that messages it sends here are answered.
// Returns its exit code, or ~0u when it could not start or did not end
// within limitMs (a guard against hangs).
unsigned runChildProcess(const std::wstring& linuxPath, const std::wstring& arguments, unsigned limitMs = 60000);

}  // namespace vxtest
