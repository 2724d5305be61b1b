#pragma once
// The application object: one running instance, the model and the UI
// framework set up, the main window shown, and the channel through which a
// second launch brings this instance forward.

#include <windows.h>

#include <cstdint>
#include <functional>

#include "skinui/control/gdiplus_session.h"
#include "skinui/core/window/window_wnd.h"
#include "utility/window_ipc.h"
#include "utility/window_ipc_handle.h"

class CAppImpl : public utility::IWindowIPCHandle {
 public:
  // Makes the main window object; it calls onDeleted when it deletes itself.
  using MainFrameFactory = std::function<SkinUI::CWindowWnd*(std::function<void()> onDeleted)>;

  explicit CAppImpl(MainFrameFactory makeMainFrame);
  CAppImpl(const CAppImpl&) = delete;
  CAppImpl& operator=(const CAppImpl&) = delete;

  // False when another instance runs (it was asked to come forward); true
  // once this instance shows its window.
  bool init(HINSTANCE instance, const wchar_t* commandLine);
  // Creates the main window the first time, then shows it and brings it forward.
  void showMainFrame();
  // Brings the main window forward on SHOW_MAIN_FRAME_MSG; logs every message. Always 0.
  int onHandleWindowIPC(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

 private:
  bool createMainFrame();

  MainFrameFactory makeMainFrame_;
  utility::WindowIPC channel_;
  SkinUI::CWindowWnd* mainFrame_ = nullptr;
  bool mainFrameMade_ = false;
  // GDI+ is started once for the program's life.
  SkinUI::CGdiplusUse gdiplus_;
};
