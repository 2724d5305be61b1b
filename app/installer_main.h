#pragma once
// The program's run from the entry point to the end of its message loop:
// COM, Winsock, the log, the UI task queue, the application object and the
// message loop. The entry point only supplies the main window's maker.

#include <windows.h>

#include "app/app_impl.h"

// Runs the installer; always 0, the program's exit code.
int RunInstaller(HINSTANCE instance, const wchar_t* commandLine, CAppImpl::MainFrameFactory makeMainFrame);
