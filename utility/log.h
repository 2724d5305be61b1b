#pragma once
// The one logging call of every subsystem. Platform-free declarations.

#include <cstddef>

// Receives one formatted message: the caller's qualified function name, its
// source line and the message text (taken literally, not as a format).
using LogSink = void (*)(const char* functionName, int line, const wchar_t* text);

// Formats a wide printf message ("%s" wide string, "%d" 32-bit, "%lld"
// 64-bit), cut to 8191 units, and hands it to the sink; no effect while no
// sink is installed.
void writeLog(const char* functionName, int line, const wchar_t* format, ...);

// Installs the process-wide sink. Called once during start-up, before any
// other thread exists; null removes it.
void setLogSink(LogSink sink);
