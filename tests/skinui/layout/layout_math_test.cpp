#include "skinui/layout/layout_math.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace SkinUI {

std::ostream& operator<<(std::ostream& os, const LayoutRect& r) {
  return os << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}
std::ostream& operator<<(std::ostream& os, const LayoutSize& s) { return os << "(" << s.cx << "x" << s.cy << ")"; }
std::ostream& operator<<(std::ostream& os, const ScrollAxis& a) {
  return os << (a.visible ? "shown" : "hidden") << " pos " << a.position << " range " << a.range;
}

}  // namespace SkinUI

namespace {

using namespace SkinUI;

// Answers like the base control: its assigned size, unless the case gives an estimate.
class TableMeasure final : public ILayoutMeasure {
 public:
  TableMeasure(const std::vector<LayoutChild>& children, const std::vector<LayoutSize>& estimates)
      : children_(children), estimates_(estimates) {}
  LayoutSize MeasureChild(size_t index, LayoutSize available) override {
    offers.push_back(available);
    if (index < estimates_.size()) return estimates_[index];
    return children_[index].assigned;
  }
  std::vector<LayoutSize> offers;

 private:
  const std::vector<LayoutChild>& children_;
  const std::vector<LayoutSize>& estimates_;
};

LayoutChild Fixed(int cx, int cy) {
  LayoutChild c;
  c.assigned = {cx, cy};
  return c;
}
LayoutChild Adjustable() { return {}; }
LayoutChild Padded(LayoutChild c, LayoutRect padding) {
  c.padding = padding;
  return c;
}
LayoutChild Limited(LayoutChild c, LayoutSize minSize, LayoutSize maxSize) {
  c.minSize = minSize;
  c.maxSize = maxSize;
  return c;
}
LayoutChild Hidden(LayoutChild c) {
  c.visible = false;
  return c;
}
LayoutChild Floating(int x, int y, int cx, int cy, FloatAnchors anchors = {}) {
  LayoutChild c;
  c.floating = true;
  c.floatOrigin = {x, y};
  c.assigned = {cx, cy};
  c.anchors = anchors;
  return c;
}

const LayoutRect kNotPlaced{-1, -1, -1, -1};

struct BoxCase {
  std::string name;
  LayoutParams params;
  std::vector<LayoutChild> children;
  std::vector<LayoutRect> expected;  // kNotPlaced: the child gets no position
  LayoutSize needed;
  std::vector<LayoutSize> estimates = {};
};

LayoutParams Box(int width, int height) {
  LayoutParams p;
  p.item = {0, 0, width, height};
  return p;
}
LayoutParams WithInset(LayoutParams p, LayoutRect inset) {
  p.inset = inset;
  return p;
}
LayoutParams WithPadding(LayoutParams p, int childPadding) {
  p.childPadding = childPadding;
  return p;
}
LayoutParams WithAlign(LayoutParams p, int align, int valign) {
  p.childAlign = align;
  p.childVAlign = valign;
  return p;
}
LayoutParams At(LayoutParams p, int x, int y) {
  p.item = {x, y, x + p.item.Width(), y + p.item.Height()};
  return p;
}
ScrollAxis Bar(int thickness, int position, int range) { return {true, true, thickness, position, range}; }
LayoutParams WithBars(LayoutParams p, ScrollAxis vertical, ScrollAxis horizontal) {
  p.vertical = vertical;
  p.horizontal = horizontal;
  return p;
}

void ExpectPlacements(const BoxCase& c, const LayoutResult& result, const std::vector<ChildPlacement>& out) {
  ASSERT_EQ(out.size(), c.expected.size());
  for (size_t i = 0; i < out.size(); ++i) {
    if (c.expected[i] == kNotPlaced) {
      EXPECT_FALSE(out[i].placed) << c.name << " child " << i;
    } else {
      EXPECT_TRUE(out[i].placed) << c.name << " child " << i;
      EXPECT_EQ(out[i].rect, c.expected[i]) << c.name << " child " << i;
    }
  }
  EXPECT_EQ(result.needed, c.needed) << c.name;
}

TEST(LayoutMath, VerticalLayoutTable) {
  const BoxCase cases[] = {
      {"fixed 40 then adjustable in 428",
       Box(200, 428),
       {Fixed(0, 40), Adjustable()},
       {{0, 0, 200, 40}, {0, 40, 200, 428}},
       {0, 428}},
      {"three adjustable share 100 as 33 33 34",
       Box(50, 100),
       {Adjustable(), Adjustable(), Adjustable()},
       {{0, 0, 50, 33}, {0, 33, 50, 66}, {0, 66, 50, 100}},
       {0, 100}},
      {"the last adjustable child takes the remainder even before a fixed one",
       Box(50, 100),
       {Adjustable(), Adjustable(), Fixed(0, 10)},
       {{0, 0, 50, 45}, {0, 45, 50, 90}, {0, 90, 50, 100}},
       {0, 100}},
      {"adjustable child with maximum height 50",
       Box(200, 428),
       {Limited(Adjustable(), {0, 0}, {9999, 50})},
       {{0, 0, 200, 50}},
       {0, 50}},
      {"minimum height raises a shared child; the last one gets what is left",
       Box(20, 100),
       {Limited(Adjustable(), {0, 70}, {9999, 9999}), Adjustable()},
       {{0, 0, 20, 70}, {0, 70, 20, 100}},
       {0, 100}},
      {"a fixed height above the maximum is cut",
       Box(20, 428),
       {Limited(Fixed(0, 300), {0, 0}, {9999, 100})},
       {{0, 0, 20, 100}},
       {0, 100}},
      {"a fixed height below the minimum is raised",
       Box(20, 428),
       {Limited(Fixed(0, 10), {0, 30}, {9999, 9999})},
       {{0, 0, 20, 30}},
       {0, 30}},
      {"children stretch to the width minus their padding",
       Box(200, 100),
       {Padded(Fixed(0, 20), {5, 0, 7, 0})},
       {{5, 0, 193, 20}},
       {12, 20}},
      {"a fixed width is kept", Box(200, 100), {Fixed(80, 20)}, {{0, 0, 80, 20}}, {80, 20}},
      {"a maximum width caps the stretch",
       Box(200, 100),
       {Limited(Fixed(0, 20), {0, 0}, {60, 9999})},
       {{0, 0, 60, 20}},
       {0, 20}},
      {"a minimum width raises the child",
       Box(200, 100),
       {Limited(Fixed(40, 20), {90, 0}, {9999, 9999})},
       {{0, 0, 90, 20}},
       {90, 20}},
      {"inset shrinks the working rectangle",
       At(WithInset(Box(200, 428), {10, 20, 10, 20}), 100, 50),
       {Adjustable()},
       {{110, 70, 290, 458}},
       {0, 388}},
      {"child padding between three fixed children",
       WithPadding(Box(50, 200), 10),
       {Fixed(0, 20), Fixed(0, 20), Fixed(0, 20)},
       {{0, 0, 50, 20}, {0, 30, 50, 50}, {0, 60, 50, 80}},
       {0, 80}},
      {"child padding is taken out of the share; the last shared child ends at the bottom",
       WithPadding(Box(50, 100), 10),
       {Adjustable(), Adjustable()},
       {{0, 0, 50, 45}, {0, 55, 50, 100}},
       {0, 100}},
      {"child padding before a fixed child after the shared ones",
       WithPadding(Box(50, 100), 5),
       {Adjustable(), Adjustable(), Fixed(0, 10)},
       {{0, 0, 50, 40}, {0, 45, 50, 85}, {0, 90, 50, 100}},
       {0, 100}},
      {"padding of a shared child is counted once",
       Box(50, 100),
       {Padded(Adjustable(), {0, 5, 0, 5}), Adjustable()},
       {{0, 5, 50, 50}, {0, 55, 50, 100}},
       {0, 100}},
      {"padding above and below a child moves the next one",
       Box(50, 100),
       {Padded(Fixed(0, 20), {0, 4, 0, 6}), Fixed(0, 10)},
       {{0, 4, 50, 24}, {0, 30, 50, 40}},
       {0, 40}},
      {"padding of a fixed child before the last shared one",
       Box(50, 100),
       {Padded(Fixed(0, 20), {0, 5, 0, 5}), Adjustable()},
       {{0, 5, 50, 25}, {0, 30, 50, 100}},
       {0, 100}},
      {"invisible children take no part",
       Box(50, 428),
       {Hidden(Fixed(0, 40)), Adjustable()},
       {kNotPlaced, {0, 0, 50, 428}},
       {0, 428}},
      {"floating children do not share and sit relative to the top-left corner",
       At(Box(200, 428), 30, 40),
       {Adjustable(), Floating(10, 20, 30, 40)},
       {{30, 40, 230, 468}, {10, 20, 40, 60}},
       {0, 428}},
      {"floating child anchored to the middle",
       Box(200, 428),
       {Floating(10, 20, 30, 40, {0.5, 0, 0.5, 1})},
       {{110, 20, 140, 488}},
       {0, 0}},
      {"centred children",
       WithAlign(Box(200, 100), kAlignCenter, kVAlignTop),
       {Fixed(50, 20)},
       {{75, 0, 125, 20}},
       {50, 20}},
      {"right-aligned children keep their right padding",
       WithAlign(Box(200, 100), kAlignRight, kVAlignTop),
       {Padded(Fixed(50, 20), {0, 0, 8, 0})},
       {{142, 0, 192, 20}},
       {58, 20}},
      {"scrolled: content moves up by the position and may use the range",
       WithBars(Box(200, 100), Bar(10, 30, 100), {}),
       {Fixed(0, 150), Adjustable()},
       {{0, -30, 190, 120}, {0, 120, 190, 170}},
       {0, 200}},
      {"scrolled sideways: content moves left by the position",
       WithBars(Box(200, 100), {}, Bar(12, 25, 50)),
       {Fixed(0, 20)},
       {{-25, 0, 225, 20}},
       {0, 20}},
      {"an estimate other than the assigned size is used",
       Box(200, 100),
       {Adjustable(), Adjustable()},
       {{0, 0, 200, 30}, {0, 30, 200, 100}},
       {120, 100},
       {{120, 30}, {0, 0}}},
  };
  for (const BoxCase& c : cases) {
    std::vector<ChildPlacement> out(c.children.size());
    TableMeasure measure(c.children, c.estimates);
    LayoutResult result = LayoutVertical(c.params, c.children, measure, out);
    ExpectPlacements(c, result, out);
  }
}

TEST(LayoutMath, HorizontalLayoutTable) {
  const BoxCase cases[] = {
      {"fixed 40 then adjustable in 428",
       Box(428, 30),
       {Fixed(40, 0), Adjustable()},
       {{0, 0, 40, 30}, {40, 0, 428, 30}},
       {428, 0}},
      {"three adjustable share 100 as 33 33 34",
       Box(100, 10),
       {Adjustable(), Adjustable(), Adjustable()},
       {{0, 0, 33, 10}, {33, 0, 66, 10}, {66, 0, 100, 10}},
       {100, 0}},
      {"adjustable child with maximum width 50",
       Box(428, 10),
       {Limited(Adjustable(), {0, 0}, {50, 9999})},
       {{0, 0, 50, 10}},
       {50, 0}},
      {"minimum width raises a shared child",
       Box(100, 10),
       {Limited(Adjustable(), {70, 0}, {9999, 9999}), Adjustable()},
       {{0, 0, 70, 10}, {70, 0, 100, 10}},
       {100, 0}},
      {"children stretch to the height minus their padding",
       Box(100, 60),
       {Padded(Fixed(20, 0), {0, 5, 0, 7})},
       {{0, 5, 20, 53}},
       {20, 12}},
      {"a maximum height caps the stretch",
       Box(100, 60),
       {Limited(Fixed(20, 0), {0, 0}, {9999, 25})},
       {{0, 0, 20, 25}},
       {20, 0}},
      {"child padding between children",
       WithPadding(Box(100, 10), 5),
       {Fixed(20, 0), Adjustable()},
       {{0, 0, 20, 10}, {25, 0, 100, 10}},
       {100, 0}},
      {"two shared children with child padding fill the row",
       WithPadding(Box(100, 10), 10),
       {Adjustable(), Adjustable()},
       {{0, 0, 45, 10}, {55, 0, 100, 10}},
       {100, 0}},
      {"padding of a shared child is counted once",
       Box(100, 10),
       {Padded(Adjustable(), {5, 0, 5, 0}), Adjustable()},
       {{5, 0, 50, 10}, {55, 0, 100, 10}},
       {100, 0}},
      {"inset", At(WithInset(Box(100, 50), {3, 4, 5, 6}), 10, 10), {Adjustable()}, {{13, 14, 105, 54}}, {92, 0}},
      {"invisible and floating children take no part",
       Box(90, 10),
       {Hidden(Adjustable()), Floating(1, 2, 3, 4), Adjustable()},
       {kNotPlaced, {1, 2, 4, 6}, {0, 0, 90, 10}},
       {90, 0}},
      {"vertically centred",
       WithAlign(Box(100, 60), kAlignLeft, kVAlignCenter),
       {Fixed(20, 20)},
       {{0, 20, 20, 40}},
       {20, 20}},
      {"bottom-aligned",
       WithAlign(Box(100, 60), kAlignLeft, kVAlignBottom),
       {Padded(Fixed(20, 20), {0, 0, 0, 4})},
       {{0, 36, 20, 56}},
       {20, 24}},
      {"scrolled sideways",
       WithBars(Box(100, 60), {}, Bar(10, 40, 80)),
       {Fixed(150, 0), Adjustable()},
       {{-40, 0, 110, 50}, {110, 0, 140, 50}},
       {180, 0}},
  };
  for (const BoxCase& c : cases) {
    std::vector<ChildPlacement> out(c.children.size());
    TableMeasure measure(c.children, c.estimates);
    LayoutResult result = LayoutHorizontal(c.params, c.children, measure, out);
    ExpectPlacements(c, result, out);
  }
}

TEST(LayoutMath, VerticalLayoutOffersTheLimitsToMeasure) {
  std::vector<LayoutChild> children{Padded(Limited(Adjustable(), {}, {9999, 50}), {2, 3, 4, 5})};
  std::vector<LayoutSize> estimates;
  TableMeasure measure(children, estimates);
  std::vector<ChildPlacement> out(1);
  LayoutVertical(Box(100, 428), children, measure, out);
  // First pass: the width minus padding, the height limit; second pass: the
  // height that remains below the top padding, cut by the same limit.
  ASSERT_EQ(measure.offers.size(), 2u);
  EXPECT_EQ(measure.offers[0], (LayoutSize{94, 50}));
  EXPECT_EQ(measure.offers[1], (LayoutSize{94, 50}));
}

TEST(LayoutMath, StackTable) {
  const BoxCase cases[] = {
      {"children overlap over the client area",
       At(WithInset(Box(100, 80), {1, 2, 3, 4}), 10, 20),
       {Adjustable(), Fixed(10, 10)},
       {{11, 22, 107, 96}, {11, 22, 107, 96}},
       {0, 0}},
      {"limits clamp the overlap", Box(100, 80), {Limited(Adjustable(), {0, 0}, {40, 30})}, {{0, 0, 40, 30}}, {0, 0}},
      {"scroll bars move and extend the area",
       WithBars(Box(100, 80), Bar(10, 5, 20), Bar(8, 3, 30)),
       {Adjustable()},
       {{-3, -5, 117, 87}},
       {0, 0}},
      {"hidden children stay, floating ones are placed",
       Box(100, 80),
       {Hidden(Adjustable()), Floating(5, 6, 7, 8)},
       {kNotPlaced, {5, 6, 12, 14}},
       {0, 0}},
  };
  for (const BoxCase& c : cases) {
    std::vector<ChildPlacement> out(c.children.size());
    LayoutResult result = LayoutStack(c.params, c.children, out);
    ExpectPlacements(c, result, out);
  }
}

TEST(LayoutMath, TabLayoutPlacesOnlyTheCurrentPage) {
  std::vector<LayoutChild> pages(10, Adjustable());
  pages[3] = Padded(Adjustable(), {1, 2, 3, 4});
  pages[5] = Floating(0, 0, 10, 10);
  std::vector<LayoutSize> estimates;
  TableMeasure measure(pages, estimates);
  std::vector<ChildPlacement> out(pages.size());
  LayoutParams params = WithBars(At(WithInset(Box(300, 200), {5, 5, 5, 5}), 50, 60), Bar(10, 0, 100), {});
  LayoutResult result = LayoutTab(params, pages, 3, measure, out);
  for (size_t i = 0; i < out.size(); ++i) {
    if (i == 3) {
      ASSERT_TRUE(out[i].placed);
      // Scroll bars are not considered: the page covers the inset area.
      EXPECT_EQ(out[i].rect, (LayoutRect{56, 67, 342, 251}));
    } else if (i == 5) {
      EXPECT_TRUE(out[i].placed && out[i].floating);
    } else {
      EXPECT_FALSE(out[i].placed) << i;
    }
  }
  EXPECT_EQ(result.client, (LayoutRect{55, 65, 345, 255}));
}

TEST(LayoutMath, TabLayoutUsesAnEstimateAndLimits) {
  std::vector<LayoutChild> pages{Limited(Adjustable(), {0, 0}, {100, 9999})};
  std::vector<LayoutSize> estimates{{0, 40}};
  TableMeasure measure(pages, estimates);
  std::vector<ChildPlacement> out(1);
  LayoutTab(Box(300, 200), pages, 0, measure, out);
  EXPECT_EQ(out[0].rect, (LayoutRect{0, 0, 100, 40}));
  std::vector<ChildPlacement> none(1);
  LayoutTab(Box(300, 200), pages, -1, measure, none);
  EXPECT_FALSE(none[0].placed);
}

TEST(LayoutMath, FloatRectanglesRoundTrip) {
  const FloatAnchors anchors{0.25, 0.5, 0.75, 1.0};
  LayoutChild child = Floating(7, -3, 20, 10, anchors);
  LayoutSize parent{201, 99};
  LayoutRect rect = PlaceFloat(child, parent);
  // trunc(201 * 0.25) = 50, trunc(99 * 0.5) = 49, trunc(201 * 0.75) = 150.
  EXPECT_EQ(rect, (LayoutRect{57, 46, 177, 106}));
  FloatGeometry back = FloatFromRect(rect, anchors, parent);
  EXPECT_EQ(back.origin, (LayoutPoint{7, -3}));
  EXPECT_EQ(back.size, (LayoutSize{20, 10}));
}

TEST(LayoutMath, ScrollBarsFollowTheContent) {
  struct Case {
    std::string name;
    ScrollAxis bar;
    int available;
    int needed;
    bool processing;
    ScrollAxis expected;
    bool relayout;
  };
  const ScrollAxis hidden{true, false, 10, 0, 0};
  const Case cases[] = {
      {"content fits: stays hidden", hidden, 100, 100, false, hidden, false},
      {"content overflows: shown at 0 with the overflow as range",
       hidden,
       100,
       150,
       false,
       {true, true, 10, 0, 50},
       true},
      {"no bar: nothing", {}, 100, 500, false, {}, false},
      {"range grows: position kept", {true, true, 10, 20, 50}, 100, 180, false, {true, true, 10, 20, 80}, false},
      {"range shrinks below the position: pulled back",
       {true, true, 10, 40, 50},
       100,
       130,
       false,
       {true, true, 10, 30, 30},
       true},
      {"content fits again: hidden and reset", {true, true, 10, 40, 50}, 100, 90, false, hidden, true},
      {"while processing a shown bar stays", {true, true, 10, 0, 50}, 100, 90, true, {true, true, 10, 0, 0}, false},
  };
  for (const Case& c : cases) {
    bool relayout = false;
    ScrollAxis fitted = FitScrollAxis(c.bar, c.available, c.needed, c.processing, &relayout);
    EXPECT_EQ(fitted, c.expected) << c.name;
    EXPECT_EQ(relayout, c.relayout) << c.name;
  }
  EXPECT_EQ(ScrollBarRect({0, 0, 90, 50}, false, 10), (LayoutRect{90, 0, 100, 50}));
  EXPECT_EQ(ScrollBarRect({0, 0, 90, 50}, true, 8), (LayoutRect{0, 50, 90, 58}));
}

TEST(LayoutMath, ScrollPositionsAreClampedAndRounded) {
  struct Case {
    int position, range, unit, expected;
  };
  const Case cases[] = {
      {50, 100, 0, 50},  {-5, 100, 0, 0},    {150, 100, 1, 100}, {14, 100, 10, 10},
      {15, 100, 10, 20}, {99, 100, 10, 100}, {40, 0, 0, 0},      {7, 100, 1, 7},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClampScrollPosition(c.position, c.range, c.unit), c.expected)
        << c.position << " in 0.." << c.range << " unit " << c.unit;
  }
}

TEST(LayoutMath, ScrollBarParts) {
  // A vertical bar 10 wide and 100 tall with both buttons: rail 80 long.
  ScrollBarParts top = ScrollBarLayout({0, 0, 10, 100}, false, true, true, 80, 0);
  EXPECT_EQ(top.button1, (LayoutRect{0, 0, 10, 10}));
  EXPECT_EQ(top.button2, (LayoutRect{0, 90, 10, 100}));
  EXPECT_EQ(top.rail, (LayoutRect{0, 10, 10, 90}));
  EXPECT_EQ(top.thumb, (LayoutRect{0, 10, 10, 50}));  // 80 * 80 / 160
  ScrollBarParts bottom = ScrollBarLayout({0, 0, 10, 100}, false, true, true, 80, 80);
  EXPECT_EQ(bottom.thumb, (LayoutRect{0, 50, 10, 90}));
  // Dragging the thumb over its whole travel (40 px) covers the whole range.
  EXPECT_EQ(ScrollPositionForDrag(top, false, 80, 0, 20), 40);
  EXPECT_EQ(ScrollPositionForDrag(top, false, 80, 0, 400), 80);
  EXPECT_EQ(ScrollPositionForDrag(top, false, 80, 40, -400), 0);
  // Without buttons a horizontal bar's rail is the whole bar; a huge range
  // keeps the thumb at least as long as the bar is thick.
  ScrollBarParts wide = ScrollBarLayout({0, 0, 200, 8}, true, false, false, 100000, 100000);
  EXPECT_EQ(wide.button1, (LayoutRect{}));
  EXPECT_EQ(wide.rail, (LayoutRect{0, 0, 200, 8}));
  EXPECT_EQ(wide.thumb, (LayoutRect{192, 0, 200, 8}));
  // No range: the thumb fills the rail.
  EXPECT_EQ(ScrollBarLayout({0, 0, 10, 60}, false, true, true, 0, 0).thumb, (LayoutRect{0, 10, 10, 50}));
}

}  // namespace
