#pragma once
// How worker threads are started. The runtime's thread start is the only one
// the program uses; the seam lets a test see what a failed start leads to.

#include <process.h>

namespace utility {

// Starts a thread as _beginthreadex does: its handle, or 0 with errno set.
using ThreadStarter = decltype(&::_beginthreadex);

}  // namespace utility
