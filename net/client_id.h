#pragma once
// The pure half of the analytics client id: which adapter addresses count,
// how they are written, sorted and joined, and the count prefix. The digest
// itself comes from the caller (the platform's MD5).

#include <string>
#include <vector>

namespace analytics {

// Lower-case hex MD5 digest of bytes (32 digits); empty on failure.
using Md5HexFunction = std::string (*)(const std::string& bytes);

// The first six bytes as 12 upper-case hex digits; empty when all 8 bytes
// of the address field are zero (the adapter does not count).
std::wstring formatAdapterAddress(const unsigned char (&address)[8]);
// The client id of these formatted addresses: the digest of the sorted
// entries joined with "|", preceded by the entry count in lower-case hex
// and "-" when there is more than one. Empty for no entry or no digest.
std::wstring clientIdFromAddresses(std::vector<std::wstring> addresses, Md5HexFunction md5Hex);

}  // namespace analytics
