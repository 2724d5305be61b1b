#include "skinui/layout/layout_math.h"

#include <algorithm>
#include <cmath>

namespace SkinUI {

namespace {

// Truncating product of a parent extent and an anchor fraction.
int Scaled(int extent, double fraction) { return static_cast<int>(extent * fraction); }

LayoutSize SizeOf(const LayoutRect& rect) { return {rect.Width(), rect.Height()}; }

// The row is the column seen in a mirror: every rectangle, size and bar is
// transposed, the column arithmetic runs, and the results are transposed back.
LayoutRect Flip(const LayoutRect& r) { return {r.top, r.left, r.bottom, r.right}; }
LayoutSize Flip(LayoutSize s) { return {s.cy, s.cx}; }

LayoutChild Flip(const LayoutChild& c) {
  LayoutChild f = c;
  f.padding = Flip(c.padding);
  f.assigned = Flip(c.assigned);
  f.minSize = Flip(c.minSize);
  f.maxSize = Flip(c.maxSize);
  return f;
}

LayoutParams FlipForColumn(const LayoutParams& p) {
  LayoutParams f = p;
  f.item = Flip(p.item);
  f.inset = Flip(p.inset);
  f.vertical = p.horizontal;
  f.horizontal = p.vertical;
  f.childAlign = p.childVAlign == kVAlignCenter   ? kAlignCenter
                 : p.childVAlign == kVAlignBottom ? kAlignRight
                                                  : kAlignLeft;
  return f;
}

class FlippedMeasure final : public ILayoutMeasure {
 public:
  explicit FlippedMeasure(ILayoutMeasure& inner) : inner_(inner) {}
  LayoutSize MeasureChild(size_t index, LayoutSize available) override {
    return Flip(inner_.MeasureChild(index, Flip(available)));
  }

 private:
  ILayoutMeasure& inner_;
};

// Offsets of the scrolled content: how far it moved up and left, and how far
// beyond the client area it reaches.
int ScrolledBy(const ScrollAxis& bar) { return bar.visible ? bar.position : 0; }
int ExtraRange(const ScrollAxis& bar) { return bar.visible ? bar.range : 0; }

// The children of a column, seen transposed when the column is really a row.
struct ColumnChildren {
  std::span<const LayoutChild> children;
  bool flipped = false;

  size_t size() const { return children.size(); }
  LayoutChild operator[](size_t i) const { return flipped ? Flip(children[i]) : children[i]; }
};

bool Flows(const LayoutChild& child) { return child.visible && !child.floating; }

// The largest extent a child takes on one axis: its assigned size, else its maximum.
int Limit(int assigned, int maximum) { return assigned >= 1 ? assigned : maximum; }

void PlaceFloats(LayoutSize parent, std::span<const LayoutChild> children, std::span<ChildPlacement> out) {
  for (size_t i = 0; i < children.size() && i < out.size(); ++i) {
    if (children[i].visible && children[i].floating) out[i] = {true, true, PlaceFloat(children[i], parent)};
  }
}

// Totals of the column's first pass.
struct ColumnTotals {
  int fixed = 0;
  int adjustable = 0;
  int counted = 0;
  int neededWidth = 0;
};

ColumnTotals MeasureColumn(const ColumnChildren& children, LayoutSize available, ILayoutMeasure& measure) {
  ColumnTotals totals;
  for (size_t i = 0; i < children.size(); ++i) {
    const LayoutChild c = children[i];
    if (!Flows(c)) continue;
    const LayoutRect& p = c.padding;
    LayoutSize offer{std::min(Limit(c.assigned.cx, c.maxSize.cx), available.cx - p.left - p.right),
                     std::min(Limit(c.assigned.cy, c.maxSize.cy), available.cy)};
    LayoutSize estimate = measure.MeasureChild(i, offer);
    if (estimate.cy == 0) {
      ++totals.adjustable;
    } else {
      estimate.cy = ClampSize(estimate.cy, c.minSize.cy, c.maxSize.cy);
    }
    totals.fixed += p.top + p.bottom + estimate.cy;
    int width = ClampSize(std::max(estimate.cx, 0), c.minSize.cx, c.maxSize.cx) + p.left + p.right;
    totals.neededWidth = std::max(totals.neededWidth, width);
    ++totals.counted;
  }
  return totals;
}

// Left and right of a child of width w in a column by the child alignment.
void AlignInColumn(const LayoutParams& params,
                   const LayoutRect& client,
                   const LayoutRect& padding,
                   int width,
                   LayoutRect* rect) {
  const ScrollAxis& bar = params.horizontal;
  if (params.childAlign == kAlignRight) {
    rect->right = client.right + ExtraRange(bar) - ScrolledBy(bar) - padding.right;
    rect->left = rect->right - width;
  } else if (params.childAlign == kAlignCenter) {
    int centre = (client.left + client.right) / 2 + ExtraRange(bar) / 2 - ScrolledBy(bar);
    rect->left = centre - width / 2;
    rect->right = rect->left + width;
  } else {
    rect->left = client.left - ScrolledBy(bar) + padding.left;
    rect->right = rect->left + width;
  }
}

// The column for flowing children only; floating ones are left to the caller.
LayoutResult FlowColumn(const LayoutParams& params,
                        const ColumnChildren& children,
                        ILayoutMeasure& measure,
                        std::span<ChildPlacement> out) {
  LayoutResult result{ClientRect(params), {}};
  const LayoutRect& client = result.client;
  if (children.size() == 0) return result;
  LayoutSize available{client.Width() + ExtraRange(params.horizontal), client.Height() + ExtraRange(params.vertical)};
  ColumnTotals totals = MeasureColumn(children, available, measure);
  if (totals.counted > 0) totals.fixed += params.childPadding * (totals.counted - 1);
  int share = 0;
  if (totals.adjustable > 0 && available.cy > totals.fixed) share = (available.cy - totals.fixed) / totals.adjustable;

  int y = client.top - ScrolledBy(params.vertical);
  int remaining = available.cy;
  int fixedRemaining = totals.fixed;
  int adjustableSeen = 0;
  int neededHeight = 0;
  for (size_t i = 0; i < children.size() && i < out.size(); ++i) {
    const LayoutChild c = children[i];
    if (!Flows(c)) continue;
    const LayoutRect& p = c.padding;
    remaining -= p.top;
    // The fixed remaining counts only what later children still need, so the
    // last shared child ends exactly at the bottom.
    fixedRemaining -= p.top + p.bottom;
    int crossAvailable = available.cx - p.left - p.right;
    int width = std::min(Limit(c.assigned.cx, c.maxSize.cx), crossAvailable);
    LayoutSize estimate = measure.MeasureChild(i, {width, std::min(Limit(c.assigned.cy, c.maxSize.cy), remaining)});
    int height = 0;
    if (estimate.cy != 0) {
      height = ClampSize(estimate.cy, c.minSize.cy, c.maxSize.cy);
      fixedRemaining -= height;
    } else {
      ++adjustableSeen;
      height = adjustableSeen == totals.adjustable ? std::max(0, remaining - p.bottom - fixedRemaining) : share;
      height = ClampSize(height, c.minSize.cy, c.maxSize.cy);
    }
    int widthCap = std::max(0, c.maxSize.cx != 0 ? c.maxSize.cx : crossAvailable);
    width = std::max(std::min(width, widthCap), c.minSize.cx);

    ChildPlacement& placement = out[i];
    placement = {true, false, {}};
    AlignInColumn(params, client, p, width, &placement.rect);
    placement.rect.top = y + p.top;
    placement.rect.bottom = placement.rect.top + height;

    y += p.top + height + p.bottom + params.childPadding;
    neededHeight += p.top + height + p.bottom;
    remaining -= height + p.bottom + params.childPadding;
    fixedRemaining -= params.childPadding;
  }
  if (totals.counted > 0) neededHeight += params.childPadding * (totals.counted - 1);
  result.needed = {totals.neededWidth, neededHeight};
  return result;
}

}  // namespace

int ClampSize(int value, int low, int high) {
  if (value < low) value = low;
  if (value > high) value = high;
  return value;
}

LayoutRect ClientRect(const LayoutParams& params) {
  LayoutRect r{params.item.left + params.inset.left, params.item.top + params.inset.top,
               params.item.right - params.inset.right, params.item.bottom - params.inset.bottom};
  if (params.vertical.visible) r.right -= params.vertical.thickness;
  if (params.horizontal.visible) r.bottom -= params.horizontal.thickness;
  return r;
}

LayoutRect PlaceFloat(const LayoutChild& child, LayoutSize parent) {
  const LayoutPoint& at = child.floatOrigin;
  const FloatAnchors& a = child.anchors;
  return {Scaled(parent.cx, a.left) + at.x, Scaled(parent.cy, a.top) + at.y,
          Scaled(parent.cx, a.right) + at.x + child.assigned.cx,
          Scaled(parent.cy, a.bottom) + at.y + child.assigned.cy};
}

FloatGeometry FloatFromRect(const LayoutRect& relative, const FloatAnchors& anchors, LayoutSize parent) {
  FloatGeometry g;
  g.origin.x = relative.left - Scaled(parent.cx, anchors.left);
  g.origin.y = relative.top - Scaled(parent.cy, anchors.top);
  g.size.cx = relative.right - g.origin.x - Scaled(parent.cx, anchors.right);
  g.size.cy = relative.bottom - g.origin.y - Scaled(parent.cy, anchors.bottom);
  return g;
}

LayoutResult LayoutStack(const LayoutParams& params,
                         std::span<const LayoutChild> children,
                         std::span<ChildPlacement> out) {
  LayoutResult result{ClientRect(params), {}};
  LayoutRect area{params.item.left + params.inset.left, params.item.top + params.inset.top,
                  params.item.right - params.inset.right, params.item.bottom - params.inset.bottom};
  if (const ScrollAxis& v = params.vertical; v.visible) {
    area.top -= v.position;
    area.right -= v.thickness;
    area.bottom += v.range - v.position;
  }
  if (const ScrollAxis& h = params.horizontal; h.visible) {
    area.left -= h.position;
    area.right += h.range - h.position;
    area.bottom -= h.thickness;
  }
  for (size_t i = 0; i < children.size() && i < out.size(); ++i) {
    const LayoutChild& c = children[i];
    if (!Flows(c)) continue;
    int width = ClampSize(area.Width(), c.minSize.cx, c.maxSize.cx);
    int height = ClampSize(area.Height(), c.minSize.cy, c.maxSize.cy);
    out[i] = {true, false, {area.left, area.top, area.left + width, area.top + height}};
  }
  PlaceFloats(SizeOf(params.item), children, out);
  return result;
}

LayoutResult LayoutVertical(const LayoutParams& params,
                            std::span<const LayoutChild> children,
                            ILayoutMeasure& measure,
                            std::span<ChildPlacement> out) {
  LayoutResult result = FlowColumn(params, {children, false}, measure, out);
  PlaceFloats(SizeOf(params.item), children, out);
  return result;
}

LayoutResult LayoutHorizontal(const LayoutParams& params,
                              std::span<const LayoutChild> children,
                              ILayoutMeasure& measure,
                              std::span<ChildPlacement> out) {
  FlippedMeasure flippedMeasure(measure);
  LayoutResult result = FlowColumn(FlipForColumn(params), {children, true}, flippedMeasure, out);
  for (size_t i = 0; i < children.size() && i < out.size(); ++i) {
    if (out[i].placed && !out[i].floating) out[i].rect = Flip(out[i].rect);
  }
  PlaceFloats(SizeOf(params.item), children, out);
  return {ClientRect(params), Flip(result.needed)};
}

LayoutResult LayoutTab(const LayoutParams& params,
                       std::span<const LayoutChild> children,
                       int current,
                       ILayoutMeasure& measure,
                       std::span<ChildPlacement> out) {
  LayoutRect client{params.item.left + params.inset.left, params.item.top + params.inset.top,
                    params.item.right - params.inset.right, params.item.bottom - params.inset.bottom};
  if (current >= 0 && static_cast<size_t>(current) < children.size() && static_cast<size_t>(current) < out.size() &&
      Flows(children[current])) {
    const LayoutChild& c = children[current];
    const LayoutRect& p = c.padding;
    LayoutSize available{client.Width() - p.left - p.right, client.Height() - p.top - p.bottom};
    LayoutSize estimate = measure.MeasureChild(static_cast<size_t>(current), available);
    int width = ClampSize(estimate.cx != 0 ? estimate.cx : std::max(0, available.cx), c.minSize.cx, c.maxSize.cx);
    int height = ClampSize(estimate.cy != 0 ? estimate.cy : std::max(0, available.cy), c.minSize.cy, c.maxSize.cy);
    int left = client.left + p.left;
    int top = client.top + p.top;
    out[current] = {true, false, {left, top, left + width, top + height}};
  }
  PlaceFloats(SizeOf(params.item), children, out);
  return {client, {}};
}

ScrollAxis FitScrollAxis(const ScrollAxis& bar, int available, int needed, bool processing, bool* relayout) {
  ScrollAxis fitted = bar;
  if (!bar.exists) return fitted;
  int scroll = needed - available;
  if (!bar.visible) {
    if (scroll > 0) {
      fitted.visible = true;
      fitted.range = scroll;
      fitted.position = 0;
      *relayout = true;
    }
    return fitted;
  }
  if (scroll <= 0 && !processing) {
    fitted.visible = false;
    fitted.range = 0;
    fitted.position = 0;
    *relayout = true;
    return fitted;
  }
  if (bar.range != scroll) {
    fitted.range = std::max(scroll, 0);
    fitted.position = std::min(bar.position, fitted.range);
    if (fitted.position < bar.position) *relayout = true;
  }
  return fitted;
}

LayoutRect ScrollBarRect(const LayoutRect& client, bool horizontal, int thickness) {
  if (horizontal) return {client.left, client.bottom, client.right, client.bottom + thickness};
  return {client.right, client.top, client.right + thickness, client.bottom};
}

int ClampScrollPosition(int position, int range, int unit) {
  if (unit > 1) position = (position + unit / 2) / unit * unit;
  return ClampSize(position, 0, std::max(range, 0));
}

namespace {

// A span on the bar's long axis.
struct Span {
  int start = 0;
  int end = 0;
};

// rect with its long axis replaced by span.
LayoutRect Along(const LayoutRect& rect, bool horizontal, Span span) {
  if (span.end <= span.start) return {};
  if (horizontal) return {span.start, rect.top, span.end, rect.bottom};
  return {rect.left, span.start, rect.right, span.end};
}

int RailLength(const ScrollBarParts& parts, bool horizontal) {
  return horizontal ? parts.rail.Width() : parts.rail.Height();
}
int ThumbLength(const ScrollBarParts& parts, bool horizontal) {
  return horizontal ? parts.thumb.Width() : parts.thumb.Height();
}

}  // namespace

ScrollBarParts ScrollBarLayout(const LayoutRect& rect,
                               bool horizontal,
                               bool showButton1,
                               bool showButton2,
                               int range,
                               int position) {
  int start = horizontal ? rect.left : rect.top;
  int end = horizontal ? rect.right : rect.bottom;
  int length = std::max(0, end - start);
  int thickness = std::max(0, horizontal ? rect.Height() : rect.Width());
  // Buttons are square; on a bar too short for two squares they share its length.
  int buttons = (showButton1 ? 1 : 0) + (showButton2 ? 1 : 0);
  int button = buttons == 0 ? 0 : std::min(thickness, length / buttons);
  ScrollBarParts parts;
  int railStart = start + (showButton1 ? button : 0);
  int railEnd = end - (showButton2 ? button : 0);
  if (showButton1) parts.button1 = Along(rect, horizontal, {start, railStart});
  if (showButton2) parts.button2 = Along(rect, horizontal, {railEnd, end});
  parts.rail = Along(rect, horizontal, {railStart, railEnd});
  long long rail = std::max(0, railEnd - railStart);
  if (rail == 0) return parts;
  int thumb = static_cast<int>(rail);
  if (range > 0) {
    thumb = static_cast<int>(rail * rail / (rail + range));
    thumb = std::max(thumb, std::min(thickness, static_cast<int>(rail)));
  }
  int travel = static_cast<int>(rail) - thumb;
  int offset = range > 0 ? static_cast<int>(static_cast<long long>(travel) * ClampSize(position, 0, range) / range) : 0;
  parts.thumb = Along(rect, horizontal, {railStart + offset, railStart + offset + thumb});
  return parts;
}

int ScrollPositionForDrag(const ScrollBarParts& parts, bool horizontal, int range, int startPosition, int delta) {
  int travel = RailLength(parts, horizontal) - ThumbLength(parts, horizontal);
  if (travel <= 0 || range <= 0) return ClampSize(startPosition, 0, std::max(range, 0));
  long long moved = startPosition + static_cast<long long>(delta) * range / travel;
  return static_cast<int>(std::clamp<long long>(moved, 0, range));
}

}  // namespace SkinUI
