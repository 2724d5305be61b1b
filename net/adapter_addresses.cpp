#include "net/adapter_addresses.h"

#include <iphlpapi.h>
#include <winsock2.h>

#include <cstring>
#include <memory>

#include "net/client_id.h"

namespace analytics {

std::vector<std::wstring> listAdapterAddresses() {
  ULONG size = 0;
  const DWORD probe = ::GetAdaptersInfo(nullptr, &size);
  if ((probe != ERROR_SUCCESS && probe != ERROR_BUFFER_OVERFLOW) || size == 0) return {};
  // Zero-filled and aligned for the structures the second call writes.
  auto block = std::make_unique<IP_ADAPTER_INFO[]>(size / sizeof(IP_ADAPTER_INFO) + 1);
  auto* first = block.get();
  if (::GetAdaptersInfo(first, &size) != ERROR_SUCCESS) return {};
  std::vector<std::wstring> addresses;
  for (const IP_ADAPTER_INFO* adapter = first; adapter != nullptr; adapter = adapter->Next) {
    unsigned char address[8];
    std::memcpy(address, adapter->Address, sizeof address);
    std::wstring text = formatAdapterAddress(address);
    if (!text.empty()) addresses.push_back(std::move(text));
  }
  return addresses;
}

}  // namespace analytics
