#pragma once
// The process-wide log: the sink that turns messages into records and the
// one writer that puts them into the log file.

#include <string>

namespace common {

// The log sink: stamps text (taken literally, cut to 511 units) as one
// record and queues it for the writer; dropped when it exceeds 1024 bytes.
void log(const char* functionName, int line, const wchar_t* text);

// Creates and starts the process's one writer on path and has the records
// still queued written when the process exits normally. No effect when path
// is empty or a writer exists.
void startLogWriter(const std::wstring& path);

// Writes every record queued so far, on the calling thread.
void flushLog();

}  // namespace common
