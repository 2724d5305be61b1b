#include "utility/open_url.h"

#include <windows.h>
#include <shellapi.h>

#include "utility/scoped_handle.h"
#include "utility/usystem_os.h"

namespace utility::usystem {

int openUrl(const std::wstring& url) {
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = url.c_str();
  info.nShow = SW_SHOW;
  const BOOL opened = ::ShellExecuteExW(&info);
  // The handler's process handle (when one was started) is not needed.
  ScopedHandle handler(info.hProcess);
  if (opened) return 1;
  // By full path: a bare name would be searched in this program's folder and
  // the current directory first, where anyone may have put an iexplore.exe.
  const std::wstring browser = programFilesPath(L"Internet Explorer\\iexplore.exe");
  if (browser.empty()) return 0;
  const auto code =
      reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", browser.c_str(), url.c_str(), nullptr, SW_SHOW));
  // Codes up to 32 are errors, not handles.
  return code > 32 ? 1 : 0;
}

}  // namespace utility::usystem
