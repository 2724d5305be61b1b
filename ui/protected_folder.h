#pragma once
// A folder for code that an elevated process is about to load: made fresh
// under a new, unpredictable name with an access list that lets only
// Administrators and SYSTEM write (so no unelevated program of the user can
// plant or swap a file in it), held open without delete sharing so that it
// cannot be renamed away and replaced while it is in use, and removed with
// its files on Remove.

#include <windows.h>

#include <functional>
#include <string>

#include "utility/scoped_handle.h"

namespace offer {

// Gives the name of the next folder to try (no backslash).
using FolderNameSource = std::function<std::wstring()>;

// The access list every such folder is made with, as a security descriptor
// string: protected from inheritance, full access for SYSTEM and the
// Administrators group, nothing for anyone else.
inline constexpr const wchar_t* kProtectedFolderAccess = L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";

class ProtectedFolder {
 public:
  ProtectedFolder() = default;
  // Removes the folder when one was made.
  ~ProtectedFolder() { Remove(); }
  ProtectedFolder(const ProtectedFolder&) = delete;
  ProtectedFolder& operator=(const ProtectedFolder&) = delete;

  // Makes a new folder under parent (ending with "\") with the access list
  // above, trying names from names (default: 32 random hex digits) until one
  // does not exist yet; a name that exists is never used. False when no
  // folder could be made within a few names.
  bool Create(const std::wstring& parent, const FolderNameSource& names = {});
  // The folder's full path ending with "\"; empty when none is made.
  const std::wstring& path() const { return path_; }
  // The access list the folder was made with, read back from the security
  // descriptor handed to the system (DACL only); empty when none is made.
  const std::wstring& access() const { return access_; }
  // Closes the folder, deletes the files in it and the folder itself; the
  // failures of files still in use are ignored. Nothing when none is made.
  void Remove();

 private:
  bool CreateNamed(const std::wstring& folder);

  std::wstring path_;
  std::wstring access_;
  utility::ScopedHandle hold_;
};

// 32 hex digits from the system's random source; empty when it fails.
std::wstring RandomFolderName();

}  // namespace offer
