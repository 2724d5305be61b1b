#include "ui/protected_folder.h"

#include <bcrypt.h>
#include <sddl.h>

#include <memory>

namespace offer {
namespace {

// How many fresh names are tried before giving up.
constexpr int kNameAttempts = 8;

// Memory that the security functions hand out with LocalAlloc.
struct LocalFreeDeleter {
  void operator()(void* memory) const { ::LocalFree(memory); }
};
using LocalMemory = std::unique_ptr<void, LocalFreeDeleter>;

LocalMemory AccessDescriptor() {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(kProtectedFolderAccess, SDDL_REVISION_1, &descriptor,
                                                              nullptr)) {
    return nullptr;
  }
  return LocalMemory(descriptor);
}

// Opens folder for as long as it is used; no delete sharing, so neither
// it nor a folder above it can be renamed or removed meanwhile.
utility::ScopedHandle HoldFolder(const std::wstring& folder) {
  return utility::ScopedHandle(::CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// The access list of descriptor as a security descriptor string, or empty.
std::wstring AccessText(PSECURITY_DESCRIPTOR descriptor) {
  wchar_t* text = nullptr;
  if (!::ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                              &text, nullptr)) {
    return {};
  }
  LocalMemory owner(text);
  return text;
}

bool IsDotName(const wchar_t* name) { return name[0] == L'.'; }

void DeleteFilesIn(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((folder + L"*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!IsDotName(found.cFileName)) ::DeleteFileW((folder + found.cFileName).c_str());
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

}  // namespace

std::wstring RandomFolderName() {
  unsigned char bytes[16];
  if (!BCRYPT_SUCCESS(::BCryptGenRandom(nullptr, bytes, sizeof bytes, BCRYPT_USE_SYSTEM_PREFERRED_RNG))) return {};
  static constexpr wchar_t kHex[] = L"0123456789abcdef";
  std::wstring name;
  for (unsigned char byte : bytes) {
    name += kHex[byte >> 4];
    name += kHex[byte & 15];
  }
  return name;
}

bool ProtectedFolder::Create(const std::wstring& parent, const FolderNameSource& names) {
  Remove();
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::wstring name = names ? names() : RandomFolderName();
    if (!name.empty() && CreateNamed(parent + name)) return true;
  }
  return false;
}

bool ProtectedFolder::CreateNamed(const std::wstring& folder) {
  LocalMemory descriptor = AccessDescriptor();
  if (!descriptor) return false;
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.get(), FALSE};
  // Fails with ERROR_ALREADY_EXISTS for any folder or file of that name,
  // which is what keeps a planted folder out.
  if (!::CreateDirectoryW(folder.c_str(), &attributes)) return false;
  hold_ = HoldFolder(folder);
  if (!hold_) {
    ::RemoveDirectoryW(folder.c_str());
    return false;
  }
  path_ = folder + L"\\";
  access_ = AccessText(descriptor.get());
  return true;
}

void ProtectedFolder::Remove() {
  if (path_.empty()) return;
  hold_.reset();
  DeleteFilesIn(path_);
  ::RemoveDirectoryW(path_.c_str());
  path_.clear();
  access_.clear();
}

}  // namespace offer
