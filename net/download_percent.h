#pragma once
// The percent a running download reports.

#include <cstdint>

// received of total bytes as a whole percent, 0..99: 100 would announce a
// finished download before the transfer has ended. 0 while either count is
// not above zero.
int downloadPercent(std::int64_t received, std::int64_t total);
