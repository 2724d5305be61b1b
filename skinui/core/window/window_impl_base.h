#pragma once
// The base of the installer's skinned windows: a frameless top-level
// window whose control tree is built from a skin file when the window is
// created. It hit-tests its caption area and resize borders, maximises to
// the monitor's work area, rounds its corners, keeps the minimum and
// maximum tracking sizes, closes on Escape, answers the "closebtn",
// "minbtn", "maxbtn" and "restorebtn" clicks and dispatches notifications
// to handler tables.

#include <windows.h>

#include "skinui/core/dialog_builder_callback.h"
#include "skinui/core/ui_notify.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/core/window/notify_pump.h"
#include "skinui/core/window/window_wnd.h"

namespace SkinUI {

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
 public:
  WindowImplBase() = default;
  // Destroys a window that still exists.
  virtual ~WindowImplBase();

  // The window's manager.
  CManagerUI& GetManager() { return manager_; }
  // The control tree exists and is attached: nothing here.
  virtual void OnWindowReady() {}
  // Dispatches notify: the sub-area's pump, then the handler tables.
  void Notify(UINotify& notify) override;
  // Return and Escape go to HandleDefaultKey; the message is never marked handled.
  LRESULT FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
  // No control classes of its own: null.
  CControlUI* CreateCustomControl(const wchar_t* className) override;

 protected:
  // Double clicks reach the window.
  UINT GetClassStyle() const override { return CS_DBLCLKS; }
  // The handlers below, then HandleOtherMessage, then the manager, then the platform default.
  LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Leaves the manager's lists and forgets the tree.
  void OnWindowDestroyed(HWND window) override;
  // The table with the one "click" entry (every control) for OnClick.
  const NotifyMap* GetNotifyMap() const override;

  // "closebtn" closes with result 1; "minbtn", "maxbtn" and "restorebtn" minimise, maximise and restore.
  virtual void OnClick(UINotify& notify);
  // The folder of the window's skin (OnCreate reads only the file name).
  virtual const wchar_t* GetSkinDirectoryName() const = 0;
  // The skin file the window is built from.
  virtual const wchar_t* GetSkinFileName() const = 0;
  // Escape closes the window with result 1 and gives 1; other keys give 0.
  virtual LRESULT HandleDefaultKey(WPARAM key);

  // Message handlers: each sets handled to false and returns 0 unless it says otherwise.
  virtual LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  // Handled unless minimised: 1 when wParam is 0, else 0.
  virtual LRESULT OnNcActivate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  // Handled: a maximised window's client area is the work area's size (redraw), else 0.
  virtual LRESULT OnNcCalcSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  // Handled: nothing is painted.
  virtual LRESULT OnNcPaint(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  // Handled: resize borders, then the caption area (except over buttons, options and texts), else client.
  virtual LRESULT OnNcHitTest(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  // Maximum position and tracking size from the work area, minimum from the manager; not handled.
  virtual LRESULT OnGetMinMaxInfo(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnMouseWheel(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnMouseHover(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  // Rounds the window's region when the manager has a round corner; not handled.
  virtual LRESULT OnSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnChar(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  // Handled: close becomes the close message; others run the default and
  // swap the maximise and restore buttons when the maximised state changed.
  virtual LRESULT OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  // Handled: frameless style, the manager, the skin's tree and OnWindowReady;
  // a skin that cannot be built shows the error box and ends the process with code 1.
  virtual LRESULT OnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnKillFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnSetFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnLButtonUp(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnMouseMove(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  // Messages no handler above takes: not handled here.
  virtual LRESULT HandleOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  // The window's style without the caption bits.
  virtual LONG GetStyle();

  CManagerUI manager_;

 private:
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  void SwapMaximiseButtons(bool maximised);
  // GetStyle plus clip-siblings and clip-children, with the frame recomputed when other bits changed.
  void ApplyFramelessStyle();
  [[noreturn]] static void FailToBuild(const wchar_t* location, const wchar_t* message);
};

}  // namespace SkinUI
