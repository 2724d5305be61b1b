#include "tests/utility/log_capture.h"

#include <mutex>

#include "utility/log.h"

namespace testing_support {

namespace {

struct Message {
  std::string function;
  std::wstring text;
};

std::mutex g_lock;
std::vector<Message> g_messages;

void keep(const char* function, int, const wchar_t* text) {
  std::lock_guard<std::mutex> hold(g_lock);
  g_messages.push_back({function, text});
}

}  // namespace

LogCapture::LogCapture() {
  {
    std::lock_guard<std::mutex> hold(g_lock);
    g_messages.clear();
  }
  setLogSink(keep);
}

LogCapture::~LogCapture() { setLogSink(nullptr); }

std::vector<std::wstring> LogCapture::lines() const {
  std::lock_guard<std::mutex> hold(g_lock);
  std::vector<std::wstring> result;
  for (const Message& m : g_messages) result.push_back(std::wstring(m.function.begin(), m.function.end()) + L": " + m.text);
  return result;
}

bool LogCapture::has(const char* function, const std::wstring& prefix) const {
  std::lock_guard<std::mutex> hold(g_lock);
  for (const Message& m : g_messages) {
    if (m.function == function && m.text.compare(0, prefix.size(), prefix) == 0) return true;
  }
  return false;
}

std::wstring LogCapture::after(const char* function, const std::wstring& prefix) const {
  std::lock_guard<std::mutex> hold(g_lock);
  for (const Message& m : g_messages) {
    if (m.function == function && m.text.compare(0, prefix.size(), prefix) == 0) return m.text.substr(prefix.size());
  }
  return {};
}

}  // namespace testing_support
