#include "utility/file_writer.h"

namespace utility {

bool CFileWriter::open(const std::wstring& path) {
  // Close first so that GetLastError still tells why the open failed.
  file_.reset();
  file_.reset(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file_.valid();
}

bool CFileWriter::write(const void* bytes, unsigned long count) {
  DWORD written = 0;
  // A short write would leave a hole in the download: it is a failure.
  return file_.valid() && ::WriteFile(file_.get(), bytes, count, &written, nullptr) && written == count;
}

void CFileWriter::close() { file_.reset(); }

}  // namespace utility
