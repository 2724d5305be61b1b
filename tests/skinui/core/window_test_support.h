#pragma once
// Real skinned windows for the window manager and window class tests: a
// window built from markup text with controls of ours that log their input
// events, a message pump that goes through the manager's pre-dispatch hook,
// and X11 tools (xdotool, import) run from inside Wine.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "skinui/core/control_ui.h"
#include "skinui/core/window/window_impl_base.h"

namespace vxtest {

// What a test window saw: input events of its controls ("name:event") and
// notifications ("type:sender:wParam:lParam"), in order.
struct WindowLog {
  std::vector<std::wstring> events;
  std::vector<std::wstring> notifications;
  // Entries of notifications whose type is type.
  int Count(const std::wstring& type) const;
  // Entries of events equal to entry.
  int CountEvent(const std::wstring& entry) const;
};

// A control that logs every event it gets, reports the class name it was
// made with and sends "click" when the left button goes up over it after
// going down on it.
class LoggingControl : public SkinUI::CControlUI {
 public:
  LoggingControl(const wchar_t* typeName, uint32_t inputFlags, WindowLog* log)
      : typeName_(typeName), inputFlags_(inputFlags), log_(log) {}
  const wchar_t* GetTypeName() const override { return typeName_.c_str(); }
  uint32_t GetInputFlags() const override { return inputFlags_; }
  void HandleEvent(SkinUI::UIEvent& event) override;

 private:
  std::wstring typeName_;
  uint32_t inputFlags_;
  WindowLog* log_;
  bool pressed_ = false;
};

// Element names of the logging controls: "TestButton" (a "Button" tab stop
// with set-cursor events), "TestOption", "TestText", "TestLabel" and
// "TestBox" (a "Control").
class TestWindow : public SkinUI::WindowImplBase {
 public:
  // skin: the markup text the window is built from.
  explicit TestWindow(std::wstring skin) : skin_(std::move(skin)) {}

  // Creates the window titled title at (x, y), shows it and pumps until
  // "windowinit"; false when that does not happen.
  bool Open(const wchar_t* title = L"vx window test", int x = 100, int y = 100);
  // Closes the window and pumps until it is destroyed; false when it is not.
  bool CloseAndWait();
  // The bound control named name (null when absent).
  SkinUI::CControlUI* Find(const wchar_t* name) { return manager_.FindControl(name); }
  // The centre of control in client coordinates, packed for a mouse message.
  LPARAM CentreOf(const wchar_t* name);
  // Posts a mouse message at a client point.
  void PostMouse(UINT message, int x, int y, WPARAM keys = 0);

  WindowLog log;
  bool destroyed = false;
  int closeResult = -1;  // wParam of the last close message

  void Notify(SkinUI::UINotify& notify) override;
  SkinUI::CControlUI* CreateCustomControl(const wchar_t* className) override;

 protected:
  const wchar_t* GetRegisteredClassName() const override { return L"VxSkinTestWindow"; }
  const wchar_t* GetSkinDirectoryName() const override { return L""; }
  const wchar_t* GetSkinFileName() const override { return skin_.c_str(); }
  LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
  void OnWindowDestroyed(HWND window) override;

 private:
  std::wstring skin_;
};

// Dispatches messages through CManagerUI::PreDispatchMessage until done()
// or limitMs (a guard against hangs, not a speed check); returns done().
bool PumpUiUntil(const std::function<bool()>& done, unsigned limitMs = 15000);
// Dispatches messages the same way for periodMs.
void PumpUiFor(unsigned periodMs);

// Starts a program of the build machine (an absolute Linux path) with
// arguments from inside Wine. Wine gives no handle for it, so callers wait
// for its effect. False when it cannot start.
bool StartHostProgram(const std::wstring& linuxPath, const std::wstring& arguments);

// A screenshot of the whole X screen read from a binary PPM file.
struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
// Saves the X screen to linuxPath (PPM) with ImageMagick's import and reads
// it; false when no complete file appears within limitMs.
bool CaptureScreen(const std::string& linuxPath, Screenshot* shot, unsigned limitMs = 20000);

}  // namespace vxtest
