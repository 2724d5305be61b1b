#include "utility/log.h"

#include <cstdarg>
#include <cwchar>

namespace {

constexpr int kMessageUnits = 8192;

// Written once at start-up, before other threads exist; read without a lock.
LogSink g_sink = nullptr;

}  // namespace

void setLogSink(LogSink sink) { g_sink = sink; }

void writeLog(const char* functionName, int line, const wchar_t* format, ...) {
  LogSink sink = g_sink;
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
