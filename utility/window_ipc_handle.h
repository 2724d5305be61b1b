#pragma once
// Receiver of the messages that reach a channel endpoint's window.

#include <cstdint>

namespace utility {

class IWindowIPCHandle {
 public:
  // Handles one routed message on the thread that owns the endpoint's
  // window; the result is ignored.
  virtual int onHandleWindowIPC(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;

 protected:
  ~IWindowIPCHandle() = default;
};

}  // namespace utility
