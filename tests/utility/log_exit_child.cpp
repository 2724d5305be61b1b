// Starts the log on the path given, writes the number of records given and
// returns from main at once, as the installer does when it quits.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>

#include "utility/common_log.h"
#include "utility/log.h"

int main() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argv == nullptr || argc != 3) return 2;
  setLogSink(common::log);
  common::startLogWriter(argv[1]);
  int count = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
  for (int i = 1; i <= count; ++i) writeLog("logExitChild", __LINE__, L"last record %d", i);
  ::LocalFree(argv);
  return 0;
}
