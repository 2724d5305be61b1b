#pragma once
// Helpers of the offer screen's tests: the sample module's script and its
// record of the commands it received.

#include <string>
#include <vector>

#include "tests/common/temp_dir.h"

namespace vxtest {

// One command as the sample module received it.
struct ReceivedCommand {
  int command = 0;
  std::string textBytes;  // the UTF-16 bytes of the text, as passed
  bool operator==(const ReceivedCommand&) const = default;
};

// The UTF-16 bytes of text, as the module records them.
std::string Utf16Bytes(const std::wstring& text);

// Sets the sample module's answers (VX_OFFER_ANSWERS) and its record file
// (VX_OFFER_RECORD, in a fresh folder) for the lifetime of this object.
class OfferScript {
 public:
  // answers: the VX_OFFER_ANSWERS text, e.g. L"4=0".
  explicit OfferScript(const std::wstring& answers);
  // Clears both variables.
  ~OfferScript();
  OfferScript(const OfferScript&) = delete;
  OfferScript& operator=(const OfferScript&) = delete;

  // Every command recorded so far, in order.
  std::vector<ReceivedCommand> Received() const;
  // The numbers of the recorded commands, in order.
  std::vector<int> Numbers() const;

 private:
  TempDir folder_;
  std::wstring record_;
};

}  // namespace vxtest
