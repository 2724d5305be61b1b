#include "utility/ufile.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <exception>

#include "utility/log.h"
#include "utility/scoped_handle.h"

namespace utility::ufile {

namespace {

// ReadFile takes a 32-bit count: large files are read in pieces.
constexpr DWORD kReadPiece = DWORD{1} << 30;

bool readAll(HANDLE file, std::string& out) {
  std::size_t done = 0;
  while (done < out.size()) {
    DWORD piece = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, kReadPiece));
    DWORD read = 0;
    if (!::ReadFile(file, out.data() + done, piece, &read, nullptr) || read == 0) return false;
    done += read;
  }
  return true;
}

bool resizeFor(std::string& out, std::uint64_t size) {
  if (size > out.max_size()) return false;
  try {
    out.resize(static_cast<std::size_t>(size));
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

}  // namespace

bool fileExists(const std::wstring& path) { return ::PathFileExistsW(path.c_str()) != FALSE; }

bool makeDir(const std::wstring& path) {
  int error = ::SHCreateDirectory(nullptr, path.c_str());
  // Callers may create unconditionally: an existing folder is success.
  if (error == ERROR_SUCCESS || error == ERROR_ALREADY_EXISTS) return true;
  writeLog("utility::ufile::makeDir", __LINE__, L"make dir failed! error = %d.", error);
  return false;
}

bool moveFile(const std::wstring& from, const std::wstring& to, unsigned long flags) {
  if (::MoveFileExW(from.c_str(), to.c_str(), flags)) return true;
  writeLog("utility::ufile::moveFile", __LINE__, L"move file from [ %s ] to [ %s ] flag = %d failed! error = %d.",
           from.c_str(), to.c_str(), static_cast<int>(flags), static_cast<int>(::GetLastError()));
  return false;
}

bool removeFile(const std::wstring& path) {
  if (::DeleteFileW(path.c_str())) return true;
  writeLog("utility::ufile::removeFile", __LINE__, L"removeFile file from [ %s ] error = %d.", path.c_str(),
           static_cast<int>(::GetLastError()));
  return false;
}

bool getFileSize(const std::wstring& path, std::int64_t& size) {
  ScopedHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER value;
  if (!file.valid() || !::GetFileSizeEx(file.get(), &value)) return false;
  size = value.QuadPart;
  return true;
}

bool isDirectory(const std::wstring& path) {
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring getFullPath(const std::wstring& path) {
  DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return std::wstring();
  std::wstring full(needed, L'\0');
  DWORD length = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return std::wstring();
  full.resize(length);
  return full;
}

ReadStatus readFile(const std::wstring& path, std::uint64_t maxBytes, std::string& out) {
  out.clear();
  ScopedHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return ReadStatus::CannotOpen;
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file.get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > maxBytes ||
      !resizeFor(out, static_cast<std::uint64_t>(size.QuadPart))) {
    return ReadStatus::Failed;
  }
  if (readAll(file.get(), out)) return ReadStatus::Read;
  out.clear();
  return ReadStatus::Failed;
}

std::wstring getAppDataDir() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return std::wstring();
  }
  return folder;
}

}  // namespace utility::ufile
