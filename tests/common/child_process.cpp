#include "tests/common/child_process.h"

#include <windows.h>

#include "tests/common/message_pump.h"
#include "tests/common/wine_path.h"
#include "utility/scoped_handle.h"

namespace vxtest {

unsigned runChildProcess(const std::wstring& linuxPath, const std::wstring& arguments, unsigned limitMs) {
  std::wstring commandLine = L"\"" + vxtest::winePath(linuxPath) + L"\" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info)) {
    return ~0u;
  }
  utility::ScopedHandle process(info.hProcess);
  utility::ScopedHandle thread(info.hThread);
  const bool ended =
      pumpMessagesUntil([&] { return ::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; }, limitMs);
  DWORD code = ~0u;
  if (ended) ::GetExitCodeProcess(process.get(), &code);
  return code;
}

}  // namespace vxtest
