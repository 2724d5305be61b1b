#include "tests/ui/offer_test_support.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace vxtest {

std::string Utf16Bytes(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

OfferScript::OfferScript(const std::wstring& answers) : record_(folder_.file(L"record.bin")) {
  ::SetEnvironmentVariableW(L"VX_OFFER_ANSWERS", answers.c_str());
  ::SetEnvironmentVariableW(L"VX_OFFER_RECORD", record_.c_str());
}

OfferScript::~OfferScript() {
  ::SetEnvironmentVariableW(L"VX_OFFER_ANSWERS", nullptr);
  ::SetEnvironmentVariableW(L"VX_OFFER_RECORD", nullptr);
}

std::vector<ReceivedCommand> OfferScript::Received() const {
  const std::string bytes = readFile(record_);
  std::vector<ReceivedCommand> received;
  size_t at = 0;
  while (at + 8 <= bytes.size()) {
    int32_t command = 0;
    uint32_t length = 0;
    std::memcpy(&command, bytes.data() + at, 4);
    std::memcpy(&length, bytes.data() + at + 4, 4);
    at += 8;
    if (at + length > bytes.size()) break;
    received.push_back({command, bytes.substr(at, length)});
    at += length;
  }
  return received;
}

std::vector<int> OfferScript::Numbers() const {
  std::vector<int> numbers;
  for (const ReceivedCommand& command : Received()) numbers.push_back(command.command);
  return numbers;
}

}  // namespace vxtest
