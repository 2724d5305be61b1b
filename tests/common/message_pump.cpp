#include "tests/common/message_pump.h"

#include <windows.h>

namespace vxtest {
namespace {

constexpr DWORD kSliceMs = 5;

void dispatchWaiting() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

}  // namespace

bool pumpMessagesUntil(const std::function<bool()>& done, unsigned limitMs) {
  const ULONGLONG end = ::GetTickCount64() + limitMs;
  while (!done()) {
    const ULONGLONG now = ::GetTickCount64();
    if (now >= end) return false;
    // Short slices: done() may wait for something that sends no message.
    ::MsgWaitForMultipleObjectsEx(0, nullptr, kSliceMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    dispatchWaiting();
  }
  return true;
}

void pumpMessagesFor(unsigned periodMs) {
  pumpMessagesUntil([] { return false; }, periodMs);
}

}  // namespace vxtest
