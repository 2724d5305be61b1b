#pragma once
// The network adapters' hardware addresses, for the analytics client id.

#include <string>
#include <vector>

namespace analytics {

// The formatted addresses (12 upper-case hex digits) of the adapters that
// GetAdaptersInfo lists, in its order, skipping all-zero addresses; empty
// when it lists none or fails.
std::vector<std::wstring> listAdapterAddresses();

}  // namespace analytics
