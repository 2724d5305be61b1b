#pragma once
// MD5 through the Windows crypto API, for the analytics client id.

#include <string>

namespace analytics {

// The MD5 digest of bytes as 32 lower-case hex digits; empty when the crypto
// API fails (logged).
std::string platformMd5Hex(const std::string& bytes);

}  // namespace analytics
