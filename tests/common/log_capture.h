#pragma once
// Collects what the code under test logs, for tests that check log lines.

#include <initializer_list>
#include <string>
#include <vector>

namespace vxtest {

// One message as the code under test logged it.
struct LogMessage {
  std::string function;
  std::wstring text;
};

// Installs a sink that keeps every message while alive (starting with none)
// and removes it on destruction. One at a time.
class LogCapture {
 public:
  LogCapture();
  ~LogCapture();
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // Every message kept so far, in order.
  std::vector<LogMessage> messages() const;
  // "function: text" of every message kept so far.
  std::vector<std::wstring> lines() const;
  // Forgets the messages kept so far.
  void clear();
  // True when a message of function starts with prefix.
  bool has(const char* function, const std::wstring& prefix) const;
  // The text after prefix of the first such message, or empty.
  std::wstring after(const char* function, const std::wstring& prefix) const;
  // True when one of lines() contains every one of parts.
  bool anyLineHas(std::initializer_list<const wchar_t*> parts) const;
};

}  // namespace vxtest
