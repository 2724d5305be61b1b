#pragma once
// A file written in pieces, as a download arrives.

#include <string>

#include "utility/scoped_handle.h"

namespace utility {

class CFileWriter {
 public:
  // Creates or truncates path for reading and writing, shared for both.
  bool open(const std::wstring& path);
  // Writes count bytes; true only when all of them were written.
  bool write(const void* bytes, unsigned long count);
  // Closes the file if open; safe to call repeatedly.
  void close();

 private:
  ScopedHandle file_;
};

}  // namespace utility
