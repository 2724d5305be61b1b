#include "utility/log.h"

#include <atomic>
#include <cstdarg>
#include <cwchar>

namespace {

constexpr int kMessageUnits = 8192;

// Written at start-up (and by tests while other threads may log); atomic so
// that every reader sees either the old sink or the new one.
std::atomic<LogSink> g_sink{nullptr};

}  // namespace

void setLogSink(LogSink sink) { g_sink.store(sink, std::memory_order_release); }

void writeLog(const char* functionName, int line, const wchar_t* format, ...) {
  const LogSink sink = g_sink.load(std::memory_order_acquire);
  if (sink == nullptr) return;
  wchar_t text[kMessageUnits] = {};
  va_list args;
  va_start(args, format);
  // The runtime's own wide printf: "%s" takes a wide string here, unlike the
  // C99 family that libstdc++ switches on.
  _vsnwprintf(text, kMessageUnits - 1, format, args);
  va_end(args);
  sink(functionName, line, text);
}
