#include "utility/process.h"

#include <shellapi.h>

#include "utility/log.h"
#include "utility/process_text.h"
#include "utility/usystem_os.h"

namespace utility::process {

namespace {

int showFlag(bool show) { return show ? SW_SHOW : SW_HIDE; }

// The result of a process that ended: true only for exit code 0.
bool exitedWithZero(HANDLE process) {
  DWORD exitCode = static_cast<DWORD>(-1);
  ::GetExitCodeProcess(process, &exitCode);
  writeLog("utility::process::execute", __LINE__, L"execute exitcode = %d lastError = %d", static_cast<int>(exitCode),
           static_cast<int>(::GetLastError()));
  return exitCode == 0;
}

}  // namespace

bool shell(const std::wstring& file, const std::wstring& parameters, bool runas, bool show) {
  writeLog("utility::process::shell", __LINE__, L"shell filename = [%s], param = [%s], runas = %d, show = %d",
           file.c_str(), parameters.c_str(), runas ? 1 : 0, show ? 1 : 0);
  const wchar_t* verb = runas && usystem::isVistaOrLater() ? L"runas" : L"open";
  const auto code = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(nullptr, verb, file.c_str(), parameters.c_str(), nullptr, showFlag(show)));
  // Read once: writing the log may change the thread's last error.
  const DWORD error = ::GetLastError();
  writeLog("utility::process::shell", __LINE__, L"shellEx ret . lastError = %d", static_cast<int>(error));
  if (code > 32) return true;
  writeLog("utility::process::shell", __LINE__, L"shellEx failed!!! lastError = %d", static_cast<int>(error));
  ::SetLastError(error);
  return false;
}

ScopedHandle create(const std::wstring& file, const std::wstring& parameters, bool show, DWORD* outPid) {
  writeLog("utility::process::create", __LINE__, L"createProcess filename = [%s], param = [%s], show = %d",
           file.c_str(), parameters.c_str(), show ? 1 : 0);
  std::wstring commandLine = quotedCommandLine(file, parameters);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showFlag(show));
  PROCESS_INFORMATION info = {};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, nullptr,
                        &startup, &info)) {
    // Kept for the caller: writing the log may change the thread's last error.
    const DWORD error = ::GetLastError();
    writeLog("utility::process::create", __LINE__, L"createProcess failed!!! lastError = %d", static_cast<int>(error));
    ::SetLastError(error);
    return ScopedHandle();
  }
  ScopedHandle thread(info.hThread);
  if (outPid != nullptr) *outPid = info.dwProcessId;
  return ScopedHandle(info.hProcess);
}

bool execute(const std::wstring& file, const std::wstring& parameters, bool show, DWORD waitMs) {
  ScopedHandle process = create(file, parameters, show);
  if (!process) {
    writeLog("utility::process::execute", __LINE__, L"execute failed!!! last error = %d",
             static_cast<int>(::GetLastError()));
    return false;
  }
  if (waitMs == 0) return true;
  switch (::WaitForSingleObject(process.get(), waitMs)) {
    case WAIT_OBJECT_0:
      return exitedWithZero(process.get());
    case WAIT_TIMEOUT:
      writeLog("utility::process::execute", __LINE__, L"execute timeout!!!");
      return false;
    case WAIT_FAILED:
      writeLog("utility::process::execute", __LINE__, L"execute failed!!! lastError = %d",
               static_cast<int>(::GetLastError()));
      return false;
    default:
      return false;
  }
}

}  // namespace utility::process
