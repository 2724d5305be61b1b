#pragma once
// The separator of a vertical or horizontal layout: a band at one edge that
// the user drags to change the layout's height (or width), at once or when
// the button is released.

#include <windows.h>

#include "skinui/core/ui_event.h"

namespace SkinUI {

class CContainerUI;

class CSeparatorDragUI {
 public:
  // Colour of the tracking rectangle of a deferred drag.
  static constexpr DWORD kTrackingColor = 0xAA000000;

  // A separator of a row (horizontal: changes the width) or a column (the height).
  explicit CSeparatorDragUI(bool horizontal) : horizontal_(horizontal) {}

  // Band size: positive at the bottom (right) edge, negative at the top (left) edge, 0 none.
  int GetSize() const { return size_; }
  void SetSize(int size) { size_ = size; }
  bool IsImmediate() const { return immediate_; }
  // Whether the new size applies while dragging or when the button is released.
  void SetImmediate(bool immediate) { immediate_ = immediate; }
  // The band over layout's item rectangle; empty without a separator.
  RECT GetBand(const CContainerUI& layout) const;
  // Handles the separator's events of layout; true when the event was consumed.
  bool HandleEvent(CContainerUI& layout, const UIEvent& event);
  // Draws the tracking rectangle while a deferred drag runs.
  void PaintTracking(HDC dc) const;
  // True while the user drags the separator.
  bool IsDragging() const { return dragging_; }

 private:
  int DraggedExtent(const CContainerUI& layout, POINT point) const;
  RECT TrackingRect(const CContainerUI& layout, int extent) const;
  void Apply(CContainerUI& layout, int extent);

  bool horizontal_;
  int size_ = 0;
  bool immediate_ = false;
  bool dragging_ = false;
  POINT start_{};
  int startExtent_ = 0;
  RECT tracking_{};
};

}  // namespace SkinUI
