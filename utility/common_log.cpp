#include "utility/common_log.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <cwchar>

#include "utility/log_stream.h"
#include "utility/log_writer.h"

namespace common {

namespace {

constexpr std::size_t kMessageUnits = 511;

// Created once and never deleted: records may arrive from any thread until
// the process is gone.
std::atomic<LogWriter*> g_writer{nullptr};

LogStamp stampNow() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  LogStamp stamp;
  stamp.month = now.wMonth;
  stamp.day = now.wDay;
  stamp.hour = now.wHour;
  stamp.minute = now.wMinute;
  stamp.second = now.wSecond;
  stamp.milliseconds = now.wMilliseconds;
  stamp.threadId = ::GetCurrentThreadId();
  return stamp;
}

void flushAtExit() { flushLog(); }

}  // namespace

void log(const char* functionName, int line, const wchar_t* text) {
  wchar_t message[kMessageUnits + 1] = {};
  std::wcsncpy(message, text, kMessageUnits);
  // A message whose UTF-8 form needs more than this cannot fit a record.
  char utf8[LogStream::kCapacity] = {};
  int bytes = ::WideCharToMultiByte(CP_UTF8, 0, message, -1, utf8, sizeof(utf8), nullptr, nullptr);
  if (bytes <= 0) return;
  LogStream record(stampNow(), functionName, line, g_writer.load(std::memory_order_acquire));
  record << std::string_view(utf8, static_cast<std::size_t>(bytes - 1));
}

void startLogWriter(const std::wstring& path) {
  if (path.empty() || g_writer.load(std::memory_order_acquire) != nullptr) return;
  auto* writer = new LogWriter(path);
  LogWriter* none = nullptr;
  if (!g_writer.compare_exchange_strong(none, writer, std::memory_order_acq_rel)) {
    delete writer;  // another thread's writer came first
    return;
  }
  writer->start();
  // Without this the last half second of a run, which holds its most
  // telling lines, would never reach the file.
  std::atexit(flushAtExit);
}

void flushLog() {
  if (LogWriter* writer = g_writer.load(std::memory_order_acquire)) writer->flush();
}

}  // namespace common
