#include "net/client_id.h"

#include <algorithm>
#include <cstdio>

namespace analytics {

std::wstring formatAdapterAddress(const unsigned char (&address)[8]) {
  if (std::all_of(std::begin(address), std::end(address), [](unsigned char b) { return b == 0; })) return {};
  wchar_t text[13] = {};
  std::swprintf(text, 13, L"%02X%02X%02X%02X%02X%02X", address[0], address[1], address[2], address[3], address[4],
                address[5]);
  return text;
}

std::wstring clientIdFromAddresses(std::vector<std::wstring> addresses, Md5HexFunction md5Hex) {
  if (addresses.empty()) return {};
  std::sort(addresses.begin(), addresses.end());
  std::string joined;
  for (size_t i = 0; i < addresses.size(); ++i) {
    if (i > 0) joined += '|';
    // Entries are hex digits, so narrowing is exact in every code page.
    for (wchar_t c : addresses[i]) joined += static_cast<char>(c);
  }
  const std::string digest = md5Hex(joined);
  if (digest.empty()) return {};
  std::wstring id(digest.begin(), digest.end());
  if (addresses.size() > 1) {
    wchar_t prefix[24] = {};
    std::swprintf(prefix, 24, L"%llx-", static_cast<unsigned long long>(addresses.size()));
    id = prefix + id;
  }
  return id;
}

}  // namespace analytics
