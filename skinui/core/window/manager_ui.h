#pragma once
// The window manager: each skinned top-level window has one. It owns the
// window's resource tables (fonts, images, class default attribute lists,
// custom attributes, names, option groups) and the control tree, and turns
// the window's messages into the framework's world: layout on demand,
// double-buffered or per-pixel layered painting, mouse and keyboard input
// as UIEvent records, hover, capture and focus, per-control timers,
// tooltips, and notifications delivered at once or through a posted message.

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "skinui/core/control_ui.h"
#include "skinui/core/gdi_handles.h"
#include "skinui/core/markup/string_map.h"
#include "skinui/core/markup/ui_string.h"
#include "skinui/core/ui_notify.h"
#include "skinui/core/window/memory_surface.h"
#include "skinui/core/window/window_handles.h"
#include "skinui/render/scratch_surface.h"
#include "skinui/render/ui_image.h"
#include "utility/scoped_handle.h"

namespace SkinUI {

// The message that delivers queued notifications and deletes controls
// handed to delayed cleanup: the application range's first message + 1.
inline constexpr UINT kAsyncNotifyMessage = WM_APP + 1;
// The id of the 10 ms timer that pushes a layered window's dirty area.
inline constexpr UINT_PTR kLayeredTimerId = 0x2000;
// The first native timer id handed to control timers, minus one.
inline constexpr UINT kFirstTimerId = 4096;

// A font of a manager's table, or the default font.
struct UIFontInfo {
  ScopedFont font;
  CUIString face;
  int size = 0;  // character height in pixels
  bool bold = false;
  bool underline = false;
  bool italic = false;
  TEXTMETRICW metrics{};
  bool measured = false;  // metrics are read on first use
};

class CManagerUI {
 public:
  // A manager without a window; the first one sets the shared default
  // colours and font, initialises the common controls and loads the
  // blending library.
  CManagerUI();
  // Deletes the tree, the delayed-cleanup controls and the queued
  // notifications, stops its timers and leaves the process-wide list.
  ~CManagerUI();
  CManagerUI(const CManagerUI&) = delete;
  CManagerUI& operator=(const CManagerUI&) = delete;

  // Empties this manager's names, fonts, images, default lists, custom
  // attributes, option groups and timers, stores name and, when window
  // differs from the current one, borrows it, takes its DC and joins the
  // process-wide list of managers.
  void Init(HWND window, const wchar_t* name = L"");
  // The manager's name.
  const CUIString& GetName() const { return name_; }
  // The borrowed window; null before Init.
  HWND GetPaintWindow() const { return window_; }
  // Paints that ran to the end (a layered window's pushes included).
  unsigned GetCompletedPaints() const { return completedPaints_; }
  // The DC used for measuring and painting: the window's, or one set by SetPaintDC.
  HDC GetPaintDC() const { return paintDC_; }
  // Borrows dc (for example a memory DC) as the paint DC; it must outlive its use here.
  void SetPaintDC(HDC dc);

  // Adds or replaces font id of this manager (or the shared table); false
  // when the font cannot be created.
  bool RegisterFont(int id, const wchar_t* face, int size, bool bold, bool underline, bool italic, bool shared);
  // Sets this manager's (or the shared) default font; false when it cannot be created.
  bool SetBaseFont(const wchar_t* face, int size, bool bold, bool underline, bool italic, bool shared);
  // The id of a font with this description, registered in this manager with
  // a new id when none matches; -1 when it cannot be created.
  int FindOrAddFont(const wchar_t* face, int size, bool bold, bool underline, bool italic);
  // Font index: this manager's, else the shared one, else the default
  // font; a negative index gives the default font. Never null.
  HFONT GetFont(int index);
  // The record of GetFont(index) with its text metrics. Never null.
  const UIFontInfo* GetFontInfo(int index);
  // This manager's default font, or the shared default when it has none. Never null.
  const UIFontInfo* GetBaseFontInfo();

  // The image name from this manager's table, else the shared one; null when absent.
  const UIImage* GetImage(const wchar_t* name);
  // Loads name (type: resource type or kColorImageType, empty for a skin
  // file; a name starting with a digit and a type is a resource id) and puts
  // it in this manager's or the shared table in place of an entry of that
  // name (records that descriptors point at stay valid). Null when it cannot be loaded.
  const UIImage* RegisterImage(const wchar_t* name, const wchar_t* type, uint32_t mask, bool keepPixels, bool shared);
  // Removes image name from this manager's or the shared table; descriptors
  // that point at it must be reset first. False when absent.
  bool RemoveImage(const wchar_t* name, bool shared);
  // Removes every image of this manager.
  void RemoveAllImages();

  // Stores an attribute list applied to new controls of a class.
  void SetClassDefaults(const wchar_t* className, const wchar_t* attributes, bool shared);
  // The attribute list of a class from this manager, else the shared table; null when none.
  const wchar_t* GetClassDefaults(const wchar_t* className);

  // Default colours (0xAARRGGBB), copied from the shared defaults.
  DWORD GetDefaultDisabledColor() const { return disabledColor_; }
  void SetDefaultDisabledColor(DWORD color) { disabledColor_ = color; }
  DWORD GetDefaultFontColor() const { return fontColor_; }
  void SetDefaultFontColor(DWORD color) { fontColor_ = color; }
  DWORD GetDefaultLinkFontColor() const { return linkColor_; }
  void SetDefaultLinkFontColor(DWORD color) { linkColor_ = color; }
  DWORD GetDefaultLinkHoverFontColor() const { return linkHoverColor_; }
  void SetDefaultLinkHoverFontColor(DWORD color) { linkHoverColor_ = color; }
  DWORD GetDefaultSelectedBkColor() const { return selectedColor_; }
  void SetDefaultSelectedBkColor(DWORD color) { selectedColor_ = color; }

  // The last mouse position in client coordinates; (-1, -1) before any.
  POINT GetMousePos() const { return mousePos_; }
  // Records the mouse position (the window half calls it on mouse messages).
  void SetMousePos(POINT point) { mousePos_ = point; }

  // Clamps rect to non-negative left and top and non-inverted extents and
  // invalidates it in the window without erasing; without a window the
  // rectangle is added to the invalidated area.
  void Invalidate(const RECT& rect);
  // The union of the rectangles invalidated without a window; empty when none.
  const RECT& GetInvalidatedRect() const { return invalidated_; }
  // Forgets the invalidated area.
  void ClearInvalidatedRect() { invalidated_ = RECT{}; }
  // Invalidate of the whole client area.
  void Invalidate();
  // Asks for a layout pass before the next paint.
  void RequestLayout() { updateNeeded_ = true; }
  // True while a layout pass is due.
  bool IsUpdateNeeded() const { return updateNeeded_; }
  // Clears the layout request (the layout pass calls it).
  void ClearUpdateNeeded() { updateNeeded_ = false; }

  // Remembers that image name could not be loaded or decoded, so that an
  // image named in formatted text is not tried again on every paint.
  void MarkImageMissing(const wchar_t* name);
  // True when name was marked missing since this manager's images were last emptied.
  bool IsImageMissing(const wchar_t* name);

  // The control tree.

  // Takes root as the window's tree (owned from now on): drops focus, key,
  // hover and click controls, hands an earlier root to delayed cleanup,
  // binds the new tree and asks for a first layout and focus.
  bool SetRoot(CControlUI* root);
  // The tree's root, or null.
  CControlUI* GetRoot() const { return root_.get(); }
  // Binds control under parent (null: the control's own parent) with
  // initialisation and records every named control of its subtree.
  void BindControls(CControlUI* control, CControlUI* parent);
  // Called by SetName of a bound control once it bears newName: the index
  // drops the control's earlier keys and maps newName to it unless another
  // control holds that name; nothing when it is indexed under newName already.
  void UpdateNameIndex(CControlUI* control, const wchar_t* newName);
  // Forgets control as key, hover, click and focus control, kills its
  // timers, drops its name and clears it from queued notifications.
  void ForgetControl(CControlUI* control);
  // Unbinds control and deletes it when the posted async message is processed.
  void DeleteLater(CControlUI* control);
  // The topmost visible, hit-testable control at point (client
  // coordinates), or null.
  CControlUI* FindControl(POINT point) const;
  // The bound control named name, or null.
  CControlUI* FindControl(const wchar_t* name);
  // Tells the manager that some control uses a virtual window name.
  void UsesVirtualWnd(bool used) { virtualWndUsed_ = used; }
  // Adds control to the controls that get a mouse-leave event when the hover control changes (once).
  void AddMouseLeaveNeeded(CControlUI* control);
  // Takes control out of that list; false when it was not there.
  bool RemoveMouseLeaveNeeded(CControlUI* control);

  // Notifications.

  // Sends a notification of type from control, repeats allowed.
  void SendNotification(CControlUI* control,
                        const wchar_t* type,
                        WPARAM wParam = 0,
                        LPARAM lParam = 0,
                        bool async = false);
  // Stamps notify with the mouse position and tick count and delivers it:
  // at once to the sender's notify listeners, then every notifier; or,
  // async, queued for the posted message (without repeats, a queued one
  // of the same sender and type takes the new values instead).
  void SendNotification(UINotify& notify, bool async = false, bool allowRepeat = true);
  // Adds a receiver of every notification (once); false when present.
  bool AddNotifyListener(INotifyUI* listener);
  // False when absent.
  bool RemoveNotifyListener(INotifyUI* listener);

  // Focus and capture.

  // The focused control, or null.
  CControlUI* GetFocus() const { return focus_; }
  // Moves the focus to control (null drops it) with kill-focus and
  // set-focus events and notifications; with focusWindow the window takes
  // the system focus first (unless no-activate).
  void SetFocus(CControlUI* control, bool focusWindow = true);
  // Makes the first tab stop at or after control the focus without events
  // and lays the tree out again.
  void RequestFocus(CControlUI* control);
  // Focuses the next (or previous) tab stop, wrapping at the ends; false when there is none.
  bool FocusNext(bool forward);
  // Takes the mouse capture for the window.
  void SetCapture();
  // Gives the capture back.
  void ReleaseCapture();
  // True while the manager holds the capture.
  bool IsCaptured() const { return captured_; }
  // The control under the mouse, or null.
  CControlUI* GetHoverControl() const { return hover_; }

  // Timers.

  // Starts timer id of control every elapse ms (a killed one restarts);
  // false when it already runs or cannot start.
  bool SetTimer(CControlUI* control, UINT id, UINT elapse);
  // Stops timer id of control; false when it has none.
  bool KillTimer(CControlUI* control, UINT id);
  // Stops and forgets every timer of control.
  void KillTimer(CControlUI* control);

  // Listener and filter lists (each entry once; removing an absent one gives false).

  bool AddPreFilter(IMessageFilterUI* filter);
  bool RemovePreFilter(IMessageFilterUI* filter);
  bool AddFilter(IMessageFilterUI* filter);
  bool RemoveFilter(IMessageFilterUI* filter);
  // Controls whose PaintOverlay runs after the tree is painted.
  bool AddOverlayPainter(CControlUI* control);
  bool RemoveOverlayPainter(CControlUI* control);
  bool AddAcceleratorHandler(ITranslateAccelerator* handler);
  bool RemoveAcceleratorHandler(ITranslateAccelerator* handler);
  // Records a native child window hosted by control (once) and invalidates its area.
  bool RegisterNativeWindow(CControlUI* control, HWND window);
  // Forgets a native window that was destroyed; false when it was not recorded.
  bool UnregisterNativeWindow(HWND window);
  // The control hosting window, or null.
  CControlUI* FindNativeWindowControl(HWND window) const;
  // Adds control to option group (once).
  bool JoinOptionGroup(const wchar_t* group, CControlUI* control);
  // The controls of option group, or null.
  const std::vector<CControlUI*>* GetOptionGroup(const wchar_t* group);
  // Takes control out of option group.
  void LeaveOptionGroup(const wchar_t* group, CControlUI* control);

  // Window attributes.

  // Applies one attribute of the skin's Window element; names other than
  // the known ones are kept as custom attributes.
  void ApplyWindowAttribute(const wchar_t* name, const wchar_t* value);
  // Keeps a custom window attribute; the first value of a name wins.
  void StoreWindowAttribute(const wchar_t* name, const wchar_t* value);
  // A custom window attribute; null when absent.
  const wchar_t* GetWindowAttribute(const wchar_t* name);
  // Initial client size; resizes an existing window at once, without moving or activating it.
  void SetInitialSize(int cx, int cy);
  SIZE GetInitialSize() const { return initialSize_; }
  // Widths of the resize borders (left, top, right, bottom).
  void SetSizeBox(const RECT& box) { sizeBox_ = box; }
  const RECT& GetSizeBox() const { return sizeBox_; }
  // Caption area: left and right insets, top and bottom rows.
  void SetCaption(const RECT& caption) { caption_ = caption; }
  const RECT& GetCaption() const { return caption_; }
  // Ellipse of the window's rounded corners (0, 0: square).
  void SetRoundCorner(int cx, int cy) { roundCorner_ = {cx, cy}; }
  SIZE GetRoundCorner() const { return roundCorner_; }
  // Minimum tracking size (0: none).
  void SetMinInfo(int cx, int cy) { minInfo_ = {cx, cy}; }
  SIZE GetMinInfo() const { return minInfo_; }
  // Maximum tracking size (0: none).
  void SetMaxInfo(int cx, int cy) { maxInfo_ = {cx, cy}; }
  SIZE GetMaxInfo() const { return maxInfo_; }
  // Frames every repainted area in red.
  void SetShowDirty(bool show) { showDirty_ = show; }
  bool IsShowDirty() const { return showDirty_; }
  // The window neither takes activation nor the system focus.
  void SetNoActivate(bool noActivate) { noActivate_ = noActivate; }
  bool IsNoActivate() const { return noActivate_; }
  // Whole-window alpha: the window becomes layered with that constant alpha.
  void SetOpacity(BYTE opacity);
  BYTE GetOpacity() const { return opacity_; }
  // The constant alpha of the per-pixel layered update (the same opacity value).
  void SetLayeredOpacity(BYTE opacity);
  // Makes the window a per-pixel layered window (or a normal one again);
  // only an existing top-level window on an OS that has the update function.
  void SetLayered(bool layered);
  bool IsLayered() const { return layered_; }
  // The image that shapes a layered window, drawn under its content; loaded at once.
  void SetLayeredImage(const wchar_t* description);
  const UIImageDesc& GetLayeredImage() const { return layeredImage_; }
  // Margins between a layered window's edge and its content.
  void SetLayeredInset(const RECT& inset);
  const RECT& GetLayeredInset() const { return layeredInset_; }
  // The hover time in ms (tracking and tooltips).
  DWORD GetHoverTime() const { return hoverTime_; }
  // The tooltip window, or null before a tooltip was shown.
  HWND GetTooltipWindow() const { return tooltip_.get(); }

  // Messages.

  // The pre-filters, Tab focus moves, system keys and shortcut characters;
  // true when the message was consumed.
  bool PreTranslate(const MSG& message);
  // The manager's handling of a window message: filters, painting, input,
  // timers, focus and async notifications. True when handled; result
  // receives the message result.
  bool HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The message loop's hook before translation and dispatch: accelerators
  // and PreTranslate of the managers the message belongs to. True when consumed.
  static bool PreDispatchMessage(MSG* message);
  // Gets, pre-dispatches, translates and dispatches messages until the quit message.
  static void RunMessageLoop();

 private:
  using FontTable = CStringMapUI<std::unique_ptr<UIFontInfo>>;
  using ImageTable = CStringMapUI<std::unique_ptr<UIImage>>;
  // A control's timer: the control's own id and the native one it runs under.
  struct TimerRecord {
    CControlUI* control;
    UINT id;
    HWND window;
    UINT_PTR nativeId;
    ScopedWindowTimer timer;  // stopped while the record is killed
  };

  // Every manager with a window, in the order they got it.
  static std::vector<CManagerUI*>& Managers();
  static bool IsChildWindow(HWND window);

  UIFontInfo* FindFont(int index);
  UIFontInfo* Measure(UIFontInfo* info);
  void ClearTables();

  void PostAsync();
  void Deliver(UINotify& notify);
  void DeliverQueued();
  void KillFocusOf(CControlUI* control);
  TimerRecord* FindTimer(CControlUI* control, UINT id);
  void DispatchTimer(UINT_PTR nativeId, LPARAM lParam);
  bool TranslateAccelerators(MSG* message);

  bool HandleLayeredFrame(UINT message, WPARAM wParam, LRESULT& result);
  void OnClose();
  void OnKillFocus(HWND next);
  bool OnSetCursor(LPARAM lParam, LRESULT& result);
  void OnGetMinMaxInfo(MINMAXINFO* info);
  CControlUI* OwnControlAt(POINT point) const;
  bool HandleInput(UINT message, WPARAM wParam, LPARAM lParam);
  void SendKey(CControlUI* receiver, int type, WPARAM wParam, LPARAM lParam);
  void TrackMouse();
  void HideTooltip();
  void ShowTooltip(CControlUI* control);
  void OnMouseMove(POINT point, WPARAM wParam, LPARAM lParam);
  void OnMouseHover(POINT point, WPARAM wParam, LPARAM lParam);
  void OnMouseLeave();
  void OnButtonDown(UINT message, POINT point, WPARAM wParam, LPARAM lParam);
  void OnMouseWheel(POINT point, WPARAM wParam, LPARAM lParam);

  void PrintClient(HDC dc, LPARAM flags);
  void Paint();
  // The layout pass of a paint; false when the paint ends there.
  bool LayOut(const RECT& client);
  RECT InsetClient(const RECT& client) const;
  void ClearPixels(const RECT& area);
  void PaintOffscreen(HDC target, const RECT& area, const RECT& client);
  void ComposeNativeWindows(const RECT& area);
  void ShapeByLayeredImage(const RECT& area, const RECT& client);
  void PushLayered();

  CUIString name_;
  HWND window_ = nullptr;
  std::unique_ptr<ScopedWindowDC> windowDC_;
  HDC paintDC_ = nullptr;
  FontTable fonts_;
  std::unique_ptr<UIFontInfo> baseFont_;  // null: the shared default
  int nextFontId_ = 0;
  ImageTable images_;
  CStringMapUI<CUIString> classDefaults_;
  unsigned completedPaints_ = 0;
  DWORD disabledColor_;
  DWORD fontColor_;
  DWORD linkColor_;
  DWORD linkHoverColor_;
  DWORD selectedColor_;
  POINT mousePos_{-1, -1};
  RECT invalidated_{};
  bool updateNeeded_ = false;
  CStringMapUI<bool> missingImages_;

  ControlPtr root_;
  CControlUI* focus_ = nullptr;
  CControlUI* hover_ = nullptr;
  CControlUI* click_ = nullptr;
  CControlUI* key_ = nullptr;
  std::unique_ptr<CMemorySurface> offscreen_;
  std::unique_ptr<CMemorySurface> background_;
  CScratchSurface nativeSurface_;
  utility::ScopedWindow tooltip_;
  TOOLINFOW toolInfo_{};
  CUIString tooltipText_;
  DWORD hoverTime_ = 200;
  bool noActivate_ = false;
  bool showDirty_ = false;
  SIZE minInfo_{};
  SIZE maxInfo_{};
  SIZE initialSize_{};
  RECT sizeBox_{};
  RECT caption_{};
  SIZE roundCorner_{};
  UINT nextTimerId_ = kFirstTimerId;
  bool firstLayout_ = true;
  bool focusNeeded_ = false;
  bool offscreenPaint_ = true;
  BYTE opacity_ = 255;
  bool layered_ = false;
  bool layeredChanged_ = false;
  RECT layeredInset_{};
  RECT layeredDirty_{};
  UIImageDesc layeredImage_;
  ScopedWindowTimer layeredTimer_;
  bool painting_ = false;
  bool mouseTracking_ = false;
  bool captured_ = false;
  bool virtualWndUsed_ = false;
  bool asyncPosted_ = false;
  std::vector<INotifyUI*> notifiers_;
  std::vector<std::unique_ptr<TimerRecord>> timers_;
  std::vector<IMessageFilterUI*> preFilters_;
  std::vector<IMessageFilterUI*> filters_;
  std::vector<CControlUI*> postPaint_;
  std::vector<HWND> nativeWindows_;
  std::vector<CControlUI*> nativeControls_;
  std::vector<ControlPtr> delayedCleanup_;
  std::vector<std::unique_ptr<UINotify>> asyncNotify_;
  std::vector<CControlUI*> mouseLeave_;
  std::vector<CControlUI*> updateList_;
  std::vector<ITranslateAccelerator*> accelerators_;
  CStringMapUI<CControlUI*> names_;
  CStringMapUI<CUIString> windowAttributes_;
  CStringMapUI<std::vector<CControlUI*>> optionGroups_;
};

}  // namespace SkinUI
