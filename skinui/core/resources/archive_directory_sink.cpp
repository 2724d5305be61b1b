#include "skinui/core/resources/archive_directory_sink.h"

#include <algorithm>

#include "skinui/core/resources/archive_entry_name.h"
#include "skinui/core/resources/archive_extract.h"
#include "utility/ufile.h"

namespace SkinUI {

namespace {

// The file writer takes a 32-bit count: larger pieces go in parts.
constexpr size_t kWritePiece = size_t{1} << 30;

// The folder that holds path; a drive root keeps its separator.
std::wstring ParentOf(const std::wstring& path) {
  std::wstring parent = path.substr(0, path.rfind(L'\\'));
  if (!parent.empty() && parent.back() == L':') parent += L'\\';
  return parent;
}

}  // namespace

CArchiveDirectorySink::CArchiveDirectorySink(const std::wstring& directory, const ArchiveProgressObserver& observer)
    : directory_(directory), observer_(observer) {
  if (directory_.empty() || (directory_.back() != L'\\' && directory_.back() != L'/')) {
    directory_ += L'\\';
  }
}

// Archive names are data, not instructions where to write: one that would
// leave the directory is refused.
bool CArchiveDirectorySink::TargetPath(const ArchiveEntry& entry, std::wstring* path) {
  if (!IsContainedEntryName(entry.name)) {
    SetError(kArchiveCannotOpenOutput);
    return false;
  }
  *path = directory_ + entry.name;
  std::replace(path->begin(), path->end(), L'/', L'\\');
  return true;
}

// Creates the entry's parent folders and opens it, truncated, for writing.
bool CArchiveDirectorySink::OpenFile(const ArchiveEntry& entry) {
  std::wstring path;
  if (!TargetPath(entry, &path)) return false;
  utility::ufile::makeDir(ParentOf(path));
  if (!file_.open(path)) {
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
  for (size_t done = 0; done < n;) {
    size_t piece = std::min(n - done, kWritePiece);
    if (!file_.write(bytes + done, static_cast<unsigned long>(piece))) {
      SetError(kArchiveWriteFailed);
      return false;
    }
    done += piece;
  }
  if (observer_ && !observer_(Total() + n, currentName_.c_str())) {
    SetError(kArchiveStopped);
    return false;
  }
  return true;
}

bool CArchiveDirectorySink::EndFile(const ArchiveEntry&) {
  file_.close();
  return true;
}

bool CArchiveDirectorySink::PassOver(const ArchiveEntry& entry) {
  if (!entry.isDirectory) {
    if (!OpenFile(entry)) return false;
    return EndFile(entry);
  }
  std::wstring path;
  if (!TargetPath(entry, &path)) return false;
  if (!utility::ufile::makeDir(path) || !utility::ufile::isDirectory(path)) {
    SetError(kArchiveCannotOpenOutput);
    return false;
  }
  return true;
}

}  // namespace SkinUI
