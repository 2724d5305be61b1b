#include "tests/common/log_capture.h"

#include <algorithm>
#include <mutex>

#include "utility/log.h"

namespace vxtest {

namespace {

// The sink is a plain function, so what it keeps lives here.
std::mutex g_lock;
std::vector<LogMessage> g_messages;

void keep(const char* function, int, const wchar_t* text) {
  std::lock_guard<std::mutex> hold(g_lock);
  g_messages.push_back({function, text});
}

const LogMessage* firstWithPrefix(const char* function, const std::wstring& prefix) {
  for (const LogMessage& m : g_messages) {
    if (m.function == function && m.text.compare(0, prefix.size(), prefix) == 0) return &m;
  }
  return nullptr;
}

}  // namespace

LogCapture::LogCapture() {
  clear();
  setLogSink(keep);
}

LogCapture::~LogCapture() { setLogSink(nullptr); }

std::vector<LogMessage> LogCapture::messages() const {
  std::lock_guard<std::mutex> hold(g_lock);
  return g_messages;
}

std::vector<std::wstring> LogCapture::lines() const {
  std::vector<std::wstring> result;
  for (const LogMessage& m : messages()) {
    result.push_back(std::wstring(m.function.begin(), m.function.end()) + L": " + m.text);
  }
  return result;
}

void LogCapture::clear() {
  std::lock_guard<std::mutex> hold(g_lock);
  g_messages.clear();
}

bool LogCapture::has(const char* function, const std::wstring& prefix) const {
  std::lock_guard<std::mutex> hold(g_lock);
  return firstWithPrefix(function, prefix) != nullptr;
}

std::wstring LogCapture::after(const char* function, const std::wstring& prefix) const {
  std::lock_guard<std::mutex> hold(g_lock);
  const LogMessage* m = firstWithPrefix(function, prefix);
  return m != nullptr ? m->text.substr(prefix.size()) : std::wstring();
}

bool LogCapture::anyLineHas(std::initializer_list<const wchar_t*> parts) const {
  const std::vector<std::wstring> all = lines();
  return std::any_of(all.begin(), all.end(), [&](const std::wstring& line) {
    return std::all_of(parts.begin(), parts.end(),
                       [&](const wchar_t* part) { return line.find(part) != std::wstring::npos; });
  });
}

}  // namespace vxtest
