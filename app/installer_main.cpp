#include "app/installer_main.h"

#include <objbase.h>
#include <winsock2.h>

#include <string>
#include <utility>

#include "app/ui_task_queue.h"
#include "skinui/core/window/manager_ui.h"
#include "utility/common_log.h"
#include "utility/log.h"
#include "utility/ufile.h"

namespace {

// The log file under the user's roaming application data; its folder is made when missing.
std::wstring PrepareLogFile() {
  const std::wstring folder = utility::ufile::getAppDataDir() + L"\\tqdownloader\\";
  if (!utility::ufile::fileExists(folder)) utility::ufile::makeDir(folder);
  return folder + L"log.txt";
}

}  // namespace

int RunInstaller(HINSTANCE instance, const wchar_t* commandLine, CAppImpl::MainFrameFactory makeMainFrame) {
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 0;
  WSADATA winsock{};
  ::WSAStartup(MAKEWORD(2, 2), &winsock);
  const std::wstring logFile = PrepareLogFile();
  setLogSink(&common::log);
  utility::UITaskQueue::create();
  common::startLogWriter(logFile);
  writeLog("wWinMain", __LINE__, L"\r\n\r\n***** start ****");
  {
    CAppImpl app(std::move(makeMainFrame));
    if (app.init(instance, commandLine)) SkinUI::CManagerUI::RunMessageLoop();
  }
  ::CoUninitialize();
  return 0;
}
