#pragma once
// Operating-system version probe.

namespace utility::usystem {

// True when the version the system reports to this program has a major
// number above 5 (Vista and later).
bool isVistaOrLater();

}  // namespace utility::usystem
