#pragma once
// Collects what the code under test logs, for tests that check log lines.

#include <string>
#include <vector>

namespace testing_support {

// Installs a sink that keeps every message while alive; removes it after.
class LogCapture {
 public:
  LogCapture();
  ~LogCapture();
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // "function: text" of every message so far.
  std::vector<std::wstring> lines() const;
  // True when a message of function starts with prefix.
  bool has(const char* function, const std::wstring& prefix) const;
  // The text after prefix of the first such message, or empty.
  std::wstring after(const char* function, const std::wstring& prefix) const;
};

}  // namespace testing_support
