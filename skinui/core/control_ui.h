#pragma once
// The base of every visible element of a skinned window: geometry, state,
// common look, text, hooks, the common skin attributes, a fixed paint order
// whose steps subclasses override one by one, and input events that go on
// to the parent when the control does not handle them.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "skinui/core/markup/string_map.h"
#include "skinui/core/markup/ui_string.h"
#include "skinui/core/ui_event.h"
#include "skinui/core/ui_event_source.h"
#include "skinui/render/ui_image.h"

namespace SkinUI {

class CManagerUI;
struct UINotify;

// FindInTree flags.
enum UIFindFlags : uint32_t {
  kFindVisible = 0x1,
  kFindEnabled = 0x2,
  kFindHitTest = 0x4,     // data points at a POINT that must lie in the item rectangle
  kFindUpdateTest = 0x8,  // a control the callback accepts hides its subtree
  kFindTopFirst = 0x10,   // containers: children from last to first
  kFindMeFirst = 0x80000000u,
};

// GetInputFlags values.
enum UIInputFlags : uint32_t {
  kInputTabStop = 1,    // takes the focus by Tab
  kInputSetCursor = 2,  // receives set-cursor events
};

// Four anchors of a floating control: fractions of the parent's width and height.
struct UIFloatAnchors {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

class CControlUI;

// Owns a control that may be known to a manager: it goes through DeleteSelf.
struct ControlDeleter {
  void operator()(CControlUI* control) const;
};
using ControlPtr = std::unique_ptr<CControlUI, ControlDeleter>;

class CControlUI {
 public:
  // FindInTree callback: the control when it matches, else null.
  using FindCallback = CControlUI* (*)(CControlUI* control, void* data);

  CControlUI();
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  // Listeners. Init, destroy, size, paint and post-paint listeners get the control.
  CEventSourceUI<CControlUI> OnInit;
  CEventSourceUI<CControlUI> OnDestroy;
  CEventSourceUI<CControlUI> OnSize;
  CEventSourceUI<UIEvent> OnEvent;
  CEventSourceUI<UINotify> OnNotify;
  CEventSourceUI<CControlUI> OnPaint;
  CEventSourceUI<CControlUI> OnPostPaint;

  // Leaves the manager's mouse-leave list and destroys the control; the
  // only way to end one that a manager knows.
  virtual void DeleteSelf();
  // Deletes the cover, runs the destroy listeners and has the manager forget the control.
  virtual ~CControlUI();

  // The lookup name.
  virtual const CUIString& GetName() const { return name_; }
  // Stores a different name and tells the manager's name index.
  virtual void SetName(const wchar_t* name);
  // The class name used by skins: "Control".
  virtual const wchar_t* GetTypeName() const { return L"Control"; }
  // This control for "Control", else null; subclasses add their own names.
  virtual void* FindInterface(const wchar_t* name);
  // UIInputFlags of the control: 0 here.
  virtual uint32_t GetInputFlags() const { return 0; }
  // The control's action; true when visible and enabled.
  virtual bool Invoke();

  // The window's manager, or null.
  virtual CManagerUI* GetManager() const { return manager_; }
  // Binds the control (and its cover) to manager under parent; initialise
  // with a parent runs Init.
  virtual void AttachManager(CManagerUI* manager, CControlUI* parent, bool initialise);
  // The containing control, or null.
  virtual CControlUI* GetParent() const { return parent_; }
  // The control laid over this one, or null.
  virtual CControlUI* GetCover() const { return cover_.get(); }
  // Adopts cover in place of an earlier one (which is destroyed).
  virtual void SetCover(CControlUI* cover);

  virtual const CUIString& GetText() const { return text_; }
  // Stores a different text and requests a parent update.
  virtual void SetText(const wchar_t* text);

  // The item rectangle in window coordinates.
  virtual const RECT& GetBounds() const { return item_; }
  // The item rectangle relative to the parent's top-left corner; empty without a parent.
  virtual RECT GetBoundsInParent() const;
  // The area inside the control that holds its content.
  virtual RECT GetContentBounds() const { return item_; }
  // Places the control at rect (relative to the parent for a floating
  // control with a parent) and invalidates old and new places when asked.
  virtual void SetBounds(const RECT& rect, bool invalidate);
  // Shifts the control (and a visible cover) by dx, dy.
  virtual void MoveBy(int dx, int dy, bool invalidate);
  virtual int GetWidth() const { return item_.right - item_.left; }
  virtual int GetHeight() const { return item_.bottom - item_.top; }
  virtual int GetX() const { return item_.left; }
  virtual int GetY() const { return item_.top; }

  virtual const RECT& GetPadding() const { return padding_; }
  // Outer margins used by the parent's layout; requests a parent update.
  virtual void SetPadding(const RECT& padding);
  virtual POINT GetFloatOrigin() const { return floatOrigin_; }
  // Position inside the parent of a floating control; requests a parent update.
  virtual void SetFloatOrigin(POINT origin);
  virtual const UIFloatAnchors& GetFloatAnchors() const { return anchors_; }
  // Anchoring of a floating control to its parent's size; requests a parent update.
  virtual void SetFloatAnchors(const UIFloatAnchors& anchors);
  virtual int GetAssignedWidth() const { return assigned_.cx; }
  // Requested width (0: what the layout gives); negative values are ignored.
  virtual void SetAssignedWidth(int width);
  virtual int GetAssignedHeight() const { return assigned_.cy; }
  // Requested height (0: what the layout gives); negative values are ignored.
  virtual void SetAssignedHeight(int height);
  virtual int GetMinWidth() const { return minSize_.cx; }
  // Negative or unchanged values are ignored.
  virtual void SetMinWidth(int width);
  // The larger of the maximum and the minimum width.
  virtual int GetMaxWidth() const;
  virtual void SetMaxWidth(int width);
  virtual int GetMinHeight() const { return minSize_.cy; }
  virtual void SetMinHeight(int height);
  // The larger of the maximum and the minimum height.
  virtual int GetMaxHeight() const;
  virtual void SetMaxHeight(int height);

  virtual const CUIString& GetToolTip() const { return toolTip_; }
  // Stores the tooltip with every "<n>" replaced by CR LF.
  virtual void SetToolTip(const wchar_t* text);
  virtual void SetTipWidth(int width) { tipWidth_ = width; }
  virtual int GetTipWidth() const { return tipWidth_; }
  virtual wchar_t GetShortcut() const { return shortcut_; }
  virtual void SetShortcut(wchar_t ch) { shortcut_ = ch; }
  virtual bool IsMenuEnabled() const { return menuEnabled_; }
  virtual void SetMenuEnabled(bool enabled) { menuEnabled_ = enabled; }
  virtual const CUIString& GetUserData() const { return userData_; }
  virtual void SetUserData(const wchar_t* text) { userData_ = text; }
  virtual intptr_t GetTag() const { return tag_; }
  virtual void SetTag(intptr_t tag) { tag_ = tag; }

  // Visible itself and not hidden by an ancestor.
  virtual bool IsVisible() const { return visible_ && shownByParent_; }
  // Shows or hides the control; clears the focused flag (a hidden control
  // drops the manager's focus) and requests a parent update when the
  // visibility changed.
  virtual void SetVisible(bool visible);
  // SetVisible that leaves the focus alone.
  virtual void SetVisibleKeepFocus(bool visible);
  // Hidden or shown with an ancestor (a hidden control drops the manager's
  // focus); passed on to the cover.
  virtual void SetShownByParent(bool shown);
  virtual bool IsEnabled() const { return enabled_; }
  // Invalidates when the value changes.
  virtual void SetEnabled(bool enabled);
  virtual bool IsMouseEnabled() const { return mouseEnabled_; }
  virtual void SetMouseEnabled(bool enabled) { mouseEnabled_ = enabled; }
  virtual bool IsKeyboardEnabled() const { return keyboardEnabled_; }
  virtual void SetKeyboardEnabled(bool enabled) { keyboardEnabled_ = enabled; }
  virtual bool IsFocused() const { return focused_; }
  // Asks the manager to focus this control.
  virtual void SetFocus();
  virtual bool IsFloat() const { return floating_; }
  // Requests a parent update when the value changes.
  virtual void SetFloat(bool floating);

  // Searches this control and its cover (containers: their children) with
  // callback under UIFindFlags; the first control it accepts, or null.
  virtual CControlUI* FindInTree(FindCallback callback, void* data, uint32_t flags);

  // InitSelf, then the init listeners.
  virtual void Init();
  // The control's own initialisation: nothing here.
  virtual void InitSelf() {}
  // The event listeners, then HandleEvent unless a listener stopped.
  virtual void DispatchEvent(UIEvent& event);
  // Focus, cursor, timer ("timer") and context-menu ("menu", when enabled)
  // events; anything else goes to the parent.
  virtual void HandleEvent(UIEvent& event);
  // Applies one common attribute; unknown names are kept as extra attributes.
  virtual void ApplyAttribute(const wchar_t* name, const wchar_t* value);
  // Applies name="value" pairs separated by one blank, up to the first syntax error.
  virtual void ApplyAttributes(const wchar_t* list);
  // The size the control asks for when offered available: its assigned size.
  virtual SIZE Measure(SIZE available);

  // Paints the control where area meets it; false stops the painting pass
  // (reaching stop, or a step that says so).
  virtual bool Paint(HDC dc, const RECT& area, CControlUI* stop);
  // The paint steps in their fixed order, under a rounded clip when the
  // border is round.
  virtual bool PaintSelf(HDC dc, const RECT& area, CControlUI* stop);
  virtual void PaintBackColor(HDC dc);
  virtual void PaintStateBackColor(HDC dc) { static_cast<void>(dc); }
  virtual void PaintBackImage(HDC dc);
  virtual void PaintStateImage(HDC dc) { static_cast<void>(dc); }
  virtual void PaintText(HDC dc) { static_cast<void>(dc); }
  virtual void PaintBorder(HDC dc);
  // Runs the post-paint listeners; the manager calls it after the tree is painted.
  virtual void PaintOverlay(HDC dc, const RECT& area);

  // Invalidates the item rectangle clipped by the ancestors (nothing when hidden).
  void Invalidate();
  // Marks the control for layout, invalidates it and tells the manager (when visible).
  void RequestLayout();
  // Lays out the parent again (or this control without one) and tells the manager.
  void RequestParentLayout();
  // True until the control was laid out.
  bool IsUpdateNeeded() const { return updateNeeded_; }

  // The control's virtual window name, else the nearest ancestor's; empty when none.
  const CUIString& GetVirtualWnd() const;
  // Names the sub-area whose notifications a separate handler takes and
  // tells the manager that virtual windows are in use.
  void SetVirtualWnd(const wchar_t* name);
  // Keeps an attribute no class knows.
  void StoreExtraAttribute(const wchar_t* name, const wchar_t* value);
  // An attribute kept by StoreExtraAttribute; empty when absent.
  CUIString GetExtraAttribute(const wchar_t* name) const;

  DWORD GetBkColor() const { return bkColor_; }
  // Background colour (0: none); invalidates.
  void SetBkColor(DWORD color);
  DWORD GetBkColor2() const { return bkColor2_; }
  // Second gradient colour; invalidates.
  void SetBkColor2(DWORD color);
  DWORD GetBkColor3() const { return bkColor3_; }
  // Third gradient colour; invalidates.
  void SetBkColor3(DWORD color);
  DWORD GetBorderColor() const { return borderColor_; }
  // Border colour; invalidates.
  void SetBorderColor(DWORD color);
  DWORD GetFocusBorderColor() const { return focusBorderColor_; }
  // Border colour while focused; invalidates.
  void SetFocusBorderColor(DWORD color);
  bool IsColorHsl() const { return colorHsl_; }
  // Colours pass through the window's colour adjustment; invalidates.
  void SetColorHsl(bool on);
  const RECT& GetBorderSize() const { return borderSize_; }
  // Left, top, right and bottom border widths; invalidates.
  void SetBorderSize(const RECT& sizes);
  int GetBorderStyle() const { return borderStyle_; }
  // Pen style of the border (0 solid); invalidates.
  void SetBorderStyle(int style);
  SIZE GetBorderRound() const { return borderRound_; }
  // Corner ellipse of the border and the paint clip; invalidates.
  void SetBorderRound(SIZE round);
  const UIImageDesc& GetBackImage() const { return bkImage_; }
  // Background image description; loads it at once when bound to a manager.
  void SetBackImage(const wchar_t* description);
  UIImageDesc& GetForeImage() { return foreImage_; }
  // Foreground image description of buttons, options and progress bars; invalidates.
  void SetForeImage(const wchar_t* description);
  // color through the window's colour adjustment when that is on for this control.
  DWORD ApplyHslAdjust(DWORD color) const;
  // The part of the item rectangle being painted.
  const RECT& GetPaintRect() const { return paintRect_; }

 protected:
  // Invalidates rect clipped by each ancestor; nothing when an ancestor is hidden.
  void InvalidateClipped(RECT rect) const;
  // Places a visible cover over the control.
  void PlaceCover();
  // Shared by SetVisible and SetVisibleKeepFocus.
  void ChangeVisible(bool visible, bool keepFocus);
  // Drops the manager's focus when this control holds it.
  void DropFocus();
  // The focused flag; containers and controls set it on focus events.
  void SetFocusedFlag(bool focused) { focused_ = focused; }

 private:
  bool ApplyGeometryAttribute(const wchar_t* name, const wchar_t* value);
  bool ApplyLookAttribute(const wchar_t* name, const wchar_t* value);
  bool ApplyStateAttribute(const wchar_t* name, const wchar_t* value);
  void ApplyFloatAttribute(const wchar_t* value);
  void PaintBorderLines(HDC dc, DWORD color);
  // Lays the image of desc out once so its size is known early.
  bool LoadImageNow(UIImageDesc& desc);

  CManagerUI* manager_ = nullptr;
  CControlUI* parent_ = nullptr;
  ControlPtr cover_;
  CUIString virtualWnd_;
  CUIString name_;
  bool updateNeeded_ = true;
  bool menuEnabled_ = false;
  RECT item_{};
  RECT padding_{};
  POINT floatOrigin_{};
  SIZE assigned_{};
  SIZE minSize_{};
  SIZE maxSize_{9999, 9999};
  bool visible_ = true;
  bool shownByParent_ = true;
  bool enabled_ = true;
  bool mouseEnabled_ = true;
  bool keyboardEnabled_ = false;
  bool focused_ = false;
  bool floating_ = false;
  UIFloatAnchors anchors_;
  bool inSizeHook_ = false;
  CUIString text_;
  CUIString toolTip_;
  wchar_t shortcut_ = 0;
  CUIString userData_;
  intptr_t tag_ = 0;
  DWORD bkColor_ = 0;
  DWORD bkColor2_ = 0;
  DWORD bkColor3_ = 0;
  UIImageDesc bkImage_;
  UIImageDesc foreImage_;
  DWORD borderColor_ = 0;
  DWORD focusBorderColor_ = 0;
  bool colorHsl_ = false;
  int borderStyle_ = 0;
  int tipWidth_ = 300;
  SIZE borderRound_{};
  RECT paintRect_{};
  RECT borderSize_{};
  std::unique_ptr<CStringMapUI<CUIString>> extraAttributes_;  // made on the first unknown attribute
};

}  // namespace SkinUI
