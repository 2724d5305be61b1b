#pragma once
// The arithmetic of the containers, free of any platform call: where the
// children of a stacking container, a vertical or horizontal layout and a tab
// layout go, where floating children go, how scroll bars follow the content
// and how a scroll bar's thumb sits on its rail. The Win32 containers hand
// their children over as children and apply the placements they get back.

#include <cstddef>
#include <span>

namespace SkinUI {

struct LayoutRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const LayoutRect&) const = default;
};

struct LayoutSize {
  int cx = 0;
  int cy = 0;
  bool operator==(const LayoutSize&) const = default;
};

struct LayoutPoint {
  int x = 0;
  int y = 0;
  bool operator==(const LayoutPoint&) const = default;
};

// How a floating child follows its parent's size: fractions of the parent's
// width (left, right) and height (top, bottom) added to its own position.
struct FloatAnchors {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
  bool operator==(const FloatAnchors&) const = default;
};

// What a layout needs to know of one child.
struct LayoutChild {
  bool visible = true;
  bool floating = false;
  LayoutRect padding;
  LayoutSize assigned;  // 0 on an axis: take what the layout gives
  LayoutSize minSize;
  LayoutSize maxSize{9999, 9999};
  LayoutPoint floatOrigin;
  FloatAnchors anchors;
};

// One scroll bar as the layout sees it.
struct ScrollAxis {
  bool exists = false;
  bool visible = false;
  int thickness = 0;  // width of a vertical bar, height of a horizontal one
  int position = 0;
  int range = 0;
  bool operator==(const ScrollAxis&) const = default;
};

// Child alignment values of the containers.
enum ChildAlign { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };
enum ChildVAlign { kVAlignTop = 0, kVAlignCenter = 4, kVAlignBottom = 8 };

// The container side of a layout pass.
struct LayoutParams {
  LayoutRect item;
  LayoutRect inset;
  int childPadding = 0;
  int childAlign = kAlignLeft;
  int childVAlign = kVAlignTop;
  ScrollAxis vertical;
  ScrollAxis horizontal;
};

// Where a child goes. A floating child's rectangle is relative to the
// container's top-left corner; any other is in window coordinates.
struct ChildPlacement {
  bool placed = false;
  bool floating = false;
  LayoutRect rect;
};

// The size a child asks for when offered available: the container asks its
// controls; tests answer from tables.
class ILayoutMeasure {
 public:
  // The child's estimate for index given the available size.
  virtual LayoutSize MeasureChild(size_t index, LayoutSize available) = 0;

 protected:
  ~ILayoutMeasure() = default;
};

// The outcome of a layout pass: the working rectangle and the content size
// that the scroll bars are fitted to.
struct LayoutResult {
  LayoutRect client;
  LayoutSize needed;
};

// value raised to low, then cut to high.
int ClampSize(int value, int low, int high);

// The item rectangle minus the inset and the visible bars (right and bottom).
LayoutRect ClientRect(const LayoutParams& params);

// The rectangle of a floating child relative to a parent of size parent.
LayoutRect PlaceFloat(const LayoutChild& child, LayoutSize parent);

// A floating control's own position and size recovered from its rectangle
// relative to a parent of size parent.
struct FloatGeometry {
  LayoutPoint origin;
  LayoutSize size;
};
FloatGeometry FloatFromRect(const LayoutRect& relative, const FloatAnchors& anchors, LayoutSize parent);

// A stacking container: every flowing child covers the scrolled client area,
// clamped to its own limits. Fills out (one entry per child).
LayoutResult LayoutStack(const LayoutParams& params,
                         std::span<const LayoutChild> children,
                         std::span<ChildPlacement> out);

// A column: assigned heights first, the rest shared, the last shared child
// taking the remainder. Fills out (one entry per child).
LayoutResult LayoutVertical(const LayoutParams& params,
                            std::span<const LayoutChild> children,
                            ILayoutMeasure& measure,
                            std::span<ChildPlacement> out);

// A row: LayoutVertical with the axes exchanged.
LayoutResult LayoutHorizontal(const LayoutParams& params,
                              std::span<const LayoutChild> children,
                              ILayoutMeasure& measure,
                              std::span<ChildPlacement> out);

// A tab layout: only child current (and floating children) placed; scroll
// bars are not considered.
LayoutResult LayoutTab(const LayoutParams& params,
                       std::span<const LayoutChild> children,
                       int current,
                       ILayoutMeasure& measure,
                       std::span<ChildPlacement> out);

// Fits one existing bar to the content: shown when needed exceeds available,
// hidden when no longer needed (not while processing). Sets relayout when
// the bar appeared, disappeared or its position was pulled back.
ScrollAxis FitScrollAxis(const ScrollAxis& bar, int available, int needed, bool processing, bool* relayout);

// Where a shown bar sits: along the right edge of client (vertical) or its
// bottom edge (horizontal), thickness wide or tall.
LayoutRect ScrollBarRect(const LayoutRect& client, bool horizontal, int thickness);

// A bar position kept within 0..range and, for a unit above 1, rounded to
// the nearest multiple of it.
int ClampScrollPosition(int position, int range, int unit);

// The parts of a scroll bar drawn over rect: the two end buttons (empty when
// hidden), the rail between them and the thumb on the rail.
struct ScrollBarParts {
  LayoutRect button1;
  LayoutRect button2;
  LayoutRect rail;
  LayoutRect thumb;
};
ScrollBarParts ScrollBarLayout(const LayoutRect& rect,
                               bool horizontal,
                               bool showButton1,
                               bool showButton2,
                               int range,
                               int position);

// The bar position after the thumb of parts was dragged by delta pixels from
// where it sat at startPosition.
int ScrollPositionForDrag(const ScrollBarParts& parts, bool horizontal, int range, int startPosition, int delta);

}  // namespace SkinUI
