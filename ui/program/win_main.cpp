// The program's entry: the installer's run with the main window as its window.
#include <windows.h>

#include "app/installer_main.h"
#include "ui/app_main_frame.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  return RunInstaller(instance, commandLine, [](std::function<void()> onDeleted) -> SkinUI::CWindowWnd* {
    return new CAppMainFrame(std::move(onDeleted));
  });
}
