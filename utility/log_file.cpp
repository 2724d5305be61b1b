#include "utility/log_file.h"

#include <memory>
#include <new>

namespace common {

namespace {

bool seek(HANDLE file, std::int64_t offset, DWORD method) {
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  return ::SetFilePointerEx(file, distance, nullptr, method) != FALSE;
}

bool writeAll(HANDLE file, const char* bytes, DWORD count) {
  DWORD written = 0;
  return ::WriteFile(file, bytes, count, &written, nullptr) != FALSE && written == count;
}

bool readAll(HANDLE file, char* bytes, DWORD count) {
  DWORD read = 0;
  return ::ReadFile(file, bytes, count, &read, nullptr) != FALSE && read == count;
}

}  // namespace

LogFile::LogFile(const std::wstring& path)
    : file_(::CreateFileW(path.c_str(),
                          GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr,
                          OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL,
                          nullptr)) {
  emptyIfUtf16();
}

void LogFile::emptyIfUtf16() {
  if (!file_.valid()) return;
  char mark[2] = {};
  if (!readAll(file_.get(), mark, 2)) return;
  // An earlier build wrote UTF-16; UTF-8 records must not follow it.
  if (mark[0] == '\xFF' && mark[1] == '\xFE' && seek(file_.get(), 0, FILE_BEGIN)) {
    ::SetEndOfFile(file_.get());
  }
}

bool LogFile::append(std::string_view bytes) {
  // Another process may have written meanwhile: always go to the end.
  return file_.valid() && seek(file_.get(), 0, FILE_END) &&
         writeAll(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()));
}

unsigned long LogFile::cutToTail(std::int64_t limit, std::int64_t keep) {
  std::int64_t size = 0;
  if (!file_.valid() || !sizeOf(size) || size < limit || size < keep) return ERROR_SUCCESS;
  // Runs on the writer thread: a failed allocation must not end the process.
  std::unique_ptr<char[]> tail(new (std::nothrow) char[static_cast<std::size_t>(keep)]);
  if (!tail) return ERROR_NOT_ENOUGH_MEMORY;
  const DWORD count = static_cast<DWORD>(keep);
  // The tail is written over the head before the file is shortened, so the
  // file never stands empty if the cut is interrupted.
  if (seek(file_.get(), size - keep, FILE_BEGIN) && readAll(file_.get(), tail.get(), count) &&
      seek(file_.get(), 0, FILE_BEGIN) && writeAll(file_.get(), tail.get(), count) && ::SetEndOfFile(file_.get())) {
    return ERROR_SUCCESS;
  }
  // A short read or write leaves no error of its own.
  const DWORD error = ::GetLastError();
  return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
}

bool LogFile::sizeOf(std::int64_t& size) const {
  LARGE_INTEGER value;
  if (!::GetFileSizeEx(file_.get(), &value)) return false;
  size = value.QuadPart;
  return true;
}

}  // namespace common
