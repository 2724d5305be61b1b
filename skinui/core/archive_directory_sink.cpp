#include "skinui/core/archive_directory_sink.h"

#include <system_error>

#include "skinui/core/archive_decoder.h"
#include "skinui/core/archive_extract.h"

namespace SkinUI {

namespace {

// True when name stays below the target directory: not rooted, no drive,
// no ".." step. Archive names are data, not instructions where to write.
bool isContainedName(const std::wstring& name) {
  if (name.empty() || name[0] == L'/' || name[0] == L'\\') return false;
  if (name.find(L':') != std::wstring::npos) return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of(L"/\\", start);
    if (end == std::wstring::npos) end = name.size();
    if (name.compare(start, end - start, L"..") == 0) return false;
    start = end + 1;
  }
  return true;
}

}  // namespace

bool CArchiveDirectorySink::TargetPath(const ArchiveEntry& entry, std::filesystem::path* path) {
  if (!isContainedName(entry.name)) {
    SetError(kArchiveCannotOpenOutput);
    return false;
  }
  *path = directory_ / std::filesystem::path(entry.name);
  return true;
}

// Creates the entry's parent folders and opens it for binary writing.
bool CArchiveDirectorySink::OpenFile(const ArchiveEntry& entry) {
  std::filesystem::path path;
  if (!TargetPath(entry, &path)) return false;
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  file_.open(path, std::ios::binary | std::ios::trunc);
  if (!file_.is_open()) {
    SetError(kArchiveCannotOpenOutput);
    return false;
  }
  return true;
}

bool CArchiveDirectorySink::StartFile(const ArchiveEntry& entry) {
  currentName_ = entry.name;
  return OpenFile(entry);
}

bool CArchiveDirectorySink::AppendBytes(const unsigned char* bytes, size_t n) {
  file_.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(n));
  if (!file_) {
    SetError(kArchiveWriteFailed);
    return false;
  }
  if (observer_ && !observer_(Total() + n, currentName_.c_str())) {
    SetError(kArchiveStopped);
    return false;
  }
  return true;
}

bool CArchiveDirectorySink::EndFile(const ArchiveEntry&) {
  file_.close();
  if (file_.fail()) {
    SetError(kArchiveWriteFailed);
    return false;
  }
  return true;
}

bool CArchiveDirectorySink::PassOver(const ArchiveEntry& entry) {
  if (!entry.isDirectory) {
    if (!OpenFile(entry)) return false;
    return EndFile(entry);
  }
  std::filesystem::path path;
  if (!TargetPath(entry, &path)) return false;
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  if (!std::filesystem::is_directory(path, ec)) {
    SetError(kArchiveCannotOpenOutput);
    return false;
  }
  return true;
}

}  // namespace SkinUI
