#include "utility/process_token.h"

#include <psapi.h>
#include <tlhelp32.h>

#include "utility/process_text.h"
#include "utility/system_library.h"

namespace utility::process {

namespace {

using CreateProcessWithTokenFn =
    BOOL(WINAPI*)(HANDLE, DWORD, LPCWSTR, LPWSTR, DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION);

std::wstring shellImagePath() {
  wchar_t windows[MAX_PATH] = {};
  const UINT length = ::GetWindowsDirectoryW(windows, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(windows, length) + L"\\explorer.exe";
}

// The primary token of an opened shell process, or an empty handle.
ScopedHandle duplicatePrimaryToken(HANDLE process) {
  ScopedHandle token;
  if (!::OpenProcessToken(process, TOKEN_DUPLICATE, token.receive())) return ScopedHandle();
  ScopedHandle primary;
  if (!::DuplicateTokenEx(token.get(), TOKEN_ALL_ACCESS, nullptr, SecurityImpersonation, TokenPrimary,
                          primary.receive())) {
    return ScopedHandle();
  }
  return primary;
}

// Looked up at run time: systems before Vista lack it.
CreateProcessWithTokenFn createProcessWithToken(const ScopedModule& advapi) {
  if (!advapi) return nullptr;
  return reinterpret_cast<CreateProcessWithTokenFn>(
      reinterpret_cast<void*>(::GetProcAddress(advapi.get(), "CreateProcessWithTokenW")));
}

}  // namespace

std::wstring getProcessImagePath(DWORD processId) {
  ScopedHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (!process) return {};
  HMODULE first = nullptr;
  DWORD needed = 0;
  if (!::EnumProcessModules(process.get(), &first, sizeof(first), &needed) || first == nullptr) return {};
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameExW(process.get(), first, path, MAX_PATH);
  return std::wstring(path, length);
}

ScopedHandle getExplorerToken() {
  const std::wstring shellPath = shellImagePath();
  ScopedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return ScopedHandle();
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
    ScopedHandle process(::OpenProcess(PROCESS_ALL_ACCESS, FALSE, entry.th32ProcessID));
    if (!process) continue;
    std::wstring name = getProcessImagePath(entry.th32ProcessID);
    if (name.empty()) name = entry.szExeFile;
    // The first shell found decides, whether or not its token can be had.
    if (isShellImage(name, shellPath)) return duplicatePrimaryToken(process.get());
  }
  return ScopedHandle();
}

int runWithoutAdmin(const std::wstring& path, const std::optional<std::wstring>& parameters) {
  std::wstring commandLine = tokenCommandLine(path, parameters);
  // Refused rather than cut: a shortened line would start something else.
  if (commandLine.size() > kTokenCommandLineMax) {
    ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return -1;
  }
  ScopedHandle token = getExplorerToken();
  if (!token) return -1;
  ScopedModule advapi = usystem::loadSystemLibrary(L"advapi32.dll");
  CreateProcessWithTokenFn start = createProcessWithToken(advapi);
  if (start == nullptr) return -1;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!start(token.get(), LOGON_WITH_PROFILE, nullptr, commandLine.data(), 0, nullptr, nullptr, &startup, &info)) {
    // The caller reports this call's error, not one from the clean-up.
    const DWORD error = ::GetLastError();
    token.reset();
    advapi.reset();
    ::SetLastError(error);
    return -1;
  }
  ScopedHandle thread(info.hThread);
  ScopedHandle process(info.hProcess);
  return 0;
}

}  // namespace utility::process
