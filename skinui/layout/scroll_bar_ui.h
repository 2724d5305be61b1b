#pragma once
// A scroll bar: two end buttons, a rail and a thumb, drawn from images by
// state (normal, hot, pushed, disabled) or plain colours. Its owner, a
// container, scrolls when the user clicks the buttons or the rail or drags
// the thumb.

#include <windows.h>

#include "skinui/core/control_ui.h"
#include "skinui/layout/layout_math.h"

namespace SkinUI {

class CContainerUI;

class CScrollBarUI : public CControlUI {
 public:
  // Thickness of a new bar, the size of one frame of the default images.
  static constexpr int kDefaultThickness = 8;

  // A vertical bar with range 100, position 0, line size 8 and the default images.
  CScrollBarUI();

  const wchar_t* GetTypeName() const override { return L"ScrollBar"; }
  // This bar for "ScrollBar", else as the base.
  void* FindInterface(const wchar_t* name) override;
  // Buttons, rail and thumb follow the mouse; the wheel goes on to the parent.
  void HandleEvent(UIEvent& event) override;
  // The bar's own attributes, else the control's.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  // Background, rail, buttons and thumb by state.
  void PaintStateImage(HDC dc) override;

  // The container scrolled by this bar, or null.
  CContainerUI* GetOwner() const { return owner_; }
  void SetOwner(CContainerUI* owner) { owner_ = owner; }
  bool IsHorizontal() const { return horizontal_; }
  // Makes the bar horizontal (thickness as height) or vertical (as width).
  void SetHorizontal(bool horizontal);
  int GetScrollRange() const { return range_; }
  // Sets the range (at least 0) and keeps the position inside it.
  void SetScrollRange(int range);
  int GetScrollPos() const { return position_; }
  // Moves to position, kept within 0..range and rounded to the scroll unit;
  // with notify a change sends "scroll" (new position, old position) once
  // per delivery of queued notifications.
  void SetScrollPos(int position, bool notify = true);
  int GetLineSize() const { return lineSize_; }
  void SetLineSize(int size) { lineSize_ = size; }
  int GetScrollUnit() const { return scrollUnit_; }
  void SetScrollUnit(int unit) { scrollUnit_ = unit; }
  // Shows or hides the end buttons.
  void SetShowButtons(bool first, bool second);
  // Where the buttons, rail and thumb are now.
  ScrollBarParts GetParts() const;

 private:
  enum Part { kButton1, kButton2, kThumb, kRail, kBack, kPartCount };
  enum State { kNormal, kHot, kPushed, kDisabled, kStateCount };

  bool ApplyImageAttribute(const wchar_t* name, const wchar_t* value);
  Part PartAt(POINT point) const;
  void Press(POINT point);
  void Drag(POINT point);
  void Step(bool forward, bool page);
  void ScrollTo(int position);
  void SetHot(Part part);
  State StateOf(Part part) const;
  void PaintPart(HDC dc, Part part, const RECT& rect, DWORD color);

  CContainerUI* owner_ = nullptr;
  bool horizontal_ = false;
  int range_ = 100;
  int position_ = 0;
  int lineSize_ = 8;
  int scrollUnit_ = 1;
  bool showButton1_ = true;
  bool showButton2_ = true;
  DWORD button1Color_ = 0;
  DWORD button2Color_ = 0;
  DWORD thumbColor_ = 0;
  UIImageDesc images_[kPartCount][kStateCount];
  Part hot_ = kPartCount;
  Part pushed_ = kPartCount;
  POINT dragStart_{};
  int dragStartPosition_ = 0;
  ScrollBarParts dragParts_;
};

}  // namespace SkinUI
