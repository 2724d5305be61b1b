#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skinui/core/control_ui.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/layout/container_ui.h"
#include "skinui/layout/horizontal_layout_ui.h"
#include "skinui/layout/scroll_bar_ui.h"
#include "skinui/layout/tab_layout_ui.h"
#include "skinui/layout/trans_bk_container_ui.h"
#include "skinui/layout/vertical_layout_ui.h"
#include "tests/skinui/render/render_test_support.h"

namespace {

using namespace SkinUI;
using vxtest::Hex;
using vxtest::Near;
using vxtest::Surface;

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Text(const RECT& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + "}";
}

CControlUI* Child(const wchar_t* attributes) {
  auto* control = new CControlUI;
  control->ApplyAttributes(attributes);
  return control;
}

// A tree bound to a manager without a window.
template <class Root>
struct Tree {
  CManagerUI manager;
  Root root;

  explicit Tree(const wchar_t* attributes = L"") {
    root.AttachManager(&manager, nullptr, true);
    root.ApplyAttributes(attributes);
  }
  CControlUI* Add(const wchar_t* attributes) {
    CControlUI* control = Child(attributes);
    root.Add(control);
    return control;
  }
  void Layout(const RECT& rect) { root.SetBounds(rect, false); }
};

UIEvent Event(int type, POINT point = {}, WPARAM wParam = 0) {
  UIEvent event;
  event.type = type;
  event.mousePos = point;
  event.wParam = wParam;
  return event;
}

TEST(Containers, VerticalLayoutGivesTheRestToTheAdjustableChild) {
  Tree<CVerticalLayoutUI> tree;
  CControlUI* top = tree.Add(L"height=\"40\"");
  CControlUI* rest = tree.Add(L"");
  tree.Layout({0, 0, 688, 428});
  EXPECT_TRUE(SameRect(top->GetBounds(), {0, 0, 688, 40})) << Text(top->GetBounds());
  EXPECT_TRUE(SameRect(rest->GetBounds(), {0, 40, 688, 428})) << Text(rest->GetBounds());
}

TEST(Containers, HorizontalLayoutSharesTheRoundingRemainder) {
  Tree<CHorizontalLayoutUI> tree(L"inset=\"10,0,10,0\"");
  CControlUI* a = tree.Add(L"");
  CControlUI* b = tree.Add(L"");
  CControlUI* c = tree.Add(L"");
  CControlUI* floating = tree.Add(L"float=\"true\" pos=\"5,6,25,16\"");
  tree.Layout({0, 0, 120, 30});
  EXPECT_EQ(a->GetWidth(), 33);
  EXPECT_EQ(b->GetWidth(), 33);
  EXPECT_EQ(c->GetWidth(), 34);
  EXPECT_EQ(c->GetBounds().right, 110);
  EXPECT_TRUE(SameRect(floating->GetBounds(), {5, 6, 25, 16})) << Text(floating->GetBounds());
}

TEST(Containers, ContainerStacksChildrenOverItsClientArea) {
  Tree<CContainerUI> tree(L"inset=\"2,3,4,5\"");
  CControlUI* a = tree.Add(L"");
  CControlUI* b = tree.Add(L"maxwidth=\"10\"");
  tree.Layout({10, 10, 60, 60});
  EXPECT_TRUE(SameRect(a->GetBounds(), {12, 13, 56, 55})) << Text(a->GetBounds());
  EXPECT_TRUE(SameRect(b->GetBounds(), {12, 13, 22, 55})) << Text(b->GetBounds());
  EXPECT_TRUE(SameRect(tree.root.GetContentBounds(), {12, 13, 56, 55}));
  EXPECT_EQ(tree.root.FindInterface(L"IContainer"), static_cast<IContainerUI*>(&tree.root));
}

TEST(Containers, ChildManagement) {
  Tree<CVerticalLayoutUI> tree;
  CControlUI* a = tree.Add(L"name=\"a\"");
  CControlUI* b = tree.Add(L"name=\"b\"");
  EXPECT_FALSE(tree.root.Add(nullptr));
  EXPECT_FALSE(tree.root.InsertAt(Child(L""), 5) ? true : false);
  auto* first = Child(L"name=\"first\"");
  EXPECT_TRUE(tree.root.InsertAt(first, 0));
  EXPECT_EQ(tree.root.GetChildAt(0), first);
  EXPECT_EQ(tree.root.IndexOfChild(b), 2);
  EXPECT_EQ(first->GetManager(), &tree.manager);
  EXPECT_EQ(first->GetParent(), &tree.root);
  // Taken out without destruction: the caller owns it again.
  EXPECT_TRUE(tree.root.Remove(a, true));
  EXPECT_EQ(tree.root.IndexOfChild(a), -1);
  EXPECT_FALSE(tree.root.Remove(a));
  delete a;
  static int destroyed;
  destroyed = 0;
  b->OnDestroy.Add(+[](CControlUI*) {
    ++destroyed;
    return true;
  });
  EXPECT_TRUE(tree.root.RemoveAt(1));
  EXPECT_EQ(destroyed, 1);
  tree.root.RemoveAll();
  EXPECT_EQ(tree.root.GetCount(), 0);
  EXPECT_TRUE(tree.manager.IsUpdateNeeded());
}

TEST(Containers, ChildrenOfAHiddenContainerAreHiddenWhenAdded) {
  Tree<CVerticalLayoutUI> tree(L"visible=\"false\"");
  CControlUI* child = tree.Add(L"");
  EXPECT_FALSE(child->IsVisible());
  tree.root.SetVisible(true);
  EXPECT_TRUE(child->IsVisible());
}

TEST(Containers, TabLayoutShowsOnePage) {
  Tree<CTabLayoutUI> tree(L"inset=\"1,1,1,1\"");
  std::vector<CControlUI*> pages;
  for (int i = 0; i < 10; ++i) pages.push_back(tree.Add(L""));
  EXPECT_EQ(tree.root.GetCurrentPage(), 0);
  for (int i = 1; i < 10; ++i) EXPECT_FALSE(pages[i]->IsVisible()) << i;
  EXPECT_TRUE(tree.root.SelectPage(3));
  tree.Layout({0, 0, 100, 50});
  for (int i = 0; i < 10; ++i) EXPECT_EQ(pages[i]->IsVisible(), i == 3) << i;
  EXPECT_TRUE(SameRect(pages[3]->GetBounds(), {1, 1, 99, 49})) << Text(pages[3]->GetBounds());
  EXPECT_TRUE(SameRect(pages[4]->GetBounds(), {0, 0, 0, 0}));
  EXPECT_TRUE(tree.root.SelectPage(3));
  EXPECT_FALSE(tree.root.SelectPage(10));
  EXPECT_FALSE(tree.root.SelectPage(-1));
  EXPECT_EQ(tree.root.GetCurrentPage(), 3);
}

TEST(Containers, TabLayoutKeepsTheCurrentPageWhenPagesComeAndGo) {
  Tree<CTabLayoutUI> tree;
  std::vector<CControlUI*> pages;
  for (int i = 0; i < 4; ++i) pages.push_back(tree.Add(L""));
  tree.root.SelectPage(2);
  auto* inserted = Child(L"");
  tree.root.InsertAt(inserted, 0);
  EXPECT_EQ(tree.root.GetCurrentPage(), 3);
  EXPECT_FALSE(inserted->IsVisible());
  tree.root.RemoveAt(0);
  EXPECT_EQ(tree.root.GetCurrentPage(), 2);
  // Removing the selected page selects page 0 and shows it.
  tree.root.Remove(pages[2]);
  EXPECT_EQ(tree.root.GetCurrentPage(), 0);
  EXPECT_TRUE(pages[0]->IsVisible());
  tree.root.RemoveAll();
  EXPECT_EQ(tree.root.GetCurrentPage(), -1);
}

TEST(Containers, TabLayoutSelectedIdAttribute) {
  Tree<CTabLayoutUI> tree;
  for (int i = 0; i < 3; ++i) tree.Add(L"");
  tree.root.ApplyAttribute(L"selectedid", L"2");
  EXPECT_EQ(tree.root.GetCurrentPage(), 2);
  EXPECT_EQ(tree.root.GetExtraAttribute(L"selectedid"), L"2");
}

TEST(Containers, ContainerAttributes) {
  Tree<CVerticalLayoutUI> tree(
      L"inset=\"1,2,3,4\" childpadding=\"-3\" childalign=\"center\" childvalign=\"vcenter\" mousechild=\"false\" "
      L"sepheight=\"-4\" sepimm=\"true\"");
  EXPECT_TRUE(SameRect(tree.root.GetInset(), {1, 2, 3, 4}));
  EXPECT_EQ(tree.root.GetChildPadding(), 0);
  EXPECT_EQ(tree.root.GetChildAlign(), kAlignCenter);
  EXPECT_EQ(tree.root.GetChildVAlign(), kVAlignCenter);
  EXPECT_FALSE(tree.root.IsMouseChildEnabled());
  EXPECT_EQ(tree.root.GetSeparatorSize(), -4);
  EXPECT_TRUE(tree.root.IsSeparatorImmediate());
  tree.root.ApplyAttribute(L"childalign", L"middle");
  EXPECT_EQ(tree.root.GetChildAlign(), kAlignCenter);
  tree.root.ApplyAttribute(L"vscrollbarstyle", L"linesize=\"20\" width=\"12\"");
  ASSERT_NE(tree.root.GetVerticalScrollBar(), nullptr);
  EXPECT_EQ(tree.root.GetVerticalScrollBar()->GetLineSize(), 20);
  EXPECT_EQ(tree.root.GetVerticalScrollBar()->GetAssignedWidth(), 12);
  tree.root.ApplyAttribute(L"vscrollbar", L"false");
  EXPECT_EQ(tree.root.GetVerticalScrollBar(), nullptr);
  tree.root.ApplyAttribute(L"hscrollbar", L"true");
  ASSERT_NE(tree.root.GetHorizontalScrollBar(), nullptr);
  EXPECT_TRUE(tree.root.GetHorizontalScrollBar()->IsHorizontal());
}

TEST(Containers, NewScrollBarsTakeTheManagersDefaults) {
  CManagerUI manager;
  manager.SetClassDefaults(L"VScrollBar", L"linesize=\"30\" showbutton1=\"false\"", false);
  CVerticalLayoutUI root;
  root.AttachManager(&manager, nullptr, true);
  root.EnableScrollBar(true, false);
  ASSERT_NE(root.GetVerticalScrollBar(), nullptr);
  EXPECT_EQ(root.GetVerticalScrollBar()->GetLineSize(), 30);
  EXPECT_EQ(root.GetVerticalScrollBar()->GetOwner(), &root);
  EXPECT_EQ(root.GetVerticalScrollBar()->GetParent(), &root);
}

// A column 100 high with a vertical bar and 250 pixels of content.
struct ScrolledColumn : Tree<CVerticalLayoutUI> {
  CControlUI* first;
  CControlUI* second;
  ScrolledColumn() : Tree(L"vscrollbar=\"true\" keyboard=\"true\"") {
    first = Add(L"height=\"200\" bkcolor=\"#FFFF0000\"");
    second = Add(L"height=\"50\" bkcolor=\"#FF0000FF\"");
    Layout({0, 0, 60, 100});
  }
  CScrollBarUI& bar() { return *root.GetVerticalScrollBar(); }
};

TEST(Containers, ScrollBarAppearsWhenTheContentOverflows) {
  ScrolledColumn column;
  ASSERT_TRUE(column.bar().IsVisible());
  EXPECT_EQ(column.bar().GetScrollRange(), 150);
  EXPECT_EQ(column.bar().GetScrollPos(), 0);
  EXPECT_TRUE(SameRect(column.bar().GetBounds(), {52, 0, 60, 100})) << Text(column.bar().GetBounds());
  // Children leave room for the bar.
  EXPECT_TRUE(SameRect(column.first->GetBounds(), {0, 0, 52, 200})) << Text(column.first->GetBounds());
  EXPECT_TRUE(SameRect(column.root.GetContentBounds(), {0, 0, 52, 100}));
  EXPECT_EQ(column.root.GetScrollRange().cy, 150);

  // Once the content fits, the bar goes and the children take the width again.
  column.root.Remove(column.first);
  column.Layout({0, 0, 60, 100});
  EXPECT_FALSE(column.bar().IsVisible());
  EXPECT_EQ(column.bar().GetScrollRange(), 0);
  EXPECT_TRUE(SameRect(column.second->GetBounds(), {0, 0, 60, 50})) << Text(column.second->GetBounds());
}

TEST(Containers, ScrollingMovesTheChildren) {
  struct Case {
    const char* name;
    void (*act)(CContainerUI&);
    int position;
  };
  const Case cases[] = {
      {"line down: the bar's line size", [](CContainerUI& c) { c.LineDown(); }, 8},
      {"page down: the client height", [](CContainerUI& c) { c.PageDown(); }, 100},
      {"to the bottom: the range", [](CContainerUI& c) { c.ScrollToBottom(); }, 150},
      {"beyond the range: clamped",
       [](CContainerUI& c) {
         c.SetScrollPos({0, 999});
       },
       150},
      {"page down then up", [](CContainerUI& c) { c.PageDown(), c.PageUp(); }, 0},
      {"bottom then top", [](CContainerUI& c) { c.ScrollToBottom(), c.ScrollToTop(); }, 0},
      {"line down then up", [](CContainerUI& c) { c.LineDown(), c.LineDown(), c.LineUp(); }, 8},
  };
  for (const Case& c : cases) {
    ScrolledColumn column;
    column.manager.ClearInvalidatedRect();
    c.act(column.root);
    EXPECT_EQ(column.root.GetScrollPos().cy, c.position) << c.name;
    EXPECT_EQ(column.first->GetBounds().top, -c.position) << c.name;
    EXPECT_EQ(column.second->GetBounds().top, 200 - c.position) << c.name;
    // A layout pass keeps the scrolled place.
    column.Layout({0, 0, 60, 100});
    EXPECT_EQ(column.first->GetBounds().top, -c.position) << c.name;
  }
}

TEST(Containers, KeysAndTheWheelScroll) {
  struct Case {
    const char* name;
    UIEvent event;
    int position;
  };
  auto key = [](wchar_t code) {
    UIEvent e = Event(kEventKeyDown);
    e.keyCode = code;
    return e;
  };
  const Case cases[] = {
      {"page down", key(VK_NEXT), 100},
      {"end", key(VK_END), 150},
      {"down", key(VK_DOWN), 8},
      {"home", key(VK_HOME), 0},
      {"wheel towards the user", Event(kEventScrollWheel, {10, 10}, 1), 8},
      {"wheel away", Event(kEventScrollWheel, {10, 10}, 0), 0},
  };
  for (const Case& c : cases) {
    ScrolledColumn column;
    UIEvent event = c.event;
    // Events that children do not handle reach the container.
    column.second->DispatchEvent(event);
    EXPECT_EQ(column.root.GetScrollPos().cy, c.position) << c.name;
  }
  // Keys scroll only a keyboard-enabled container.
  ScrolledColumn column;
  column.root.SetKeyboardEnabled(false);
  UIEvent end = key(VK_END);
  column.root.DispatchEvent(end);
  EXPECT_EQ(column.root.GetScrollPos().cy, 0);
}

TEST(Containers, ScrollBarButtonsRailAndThumbScrollTheOwner) {
  ScrolledColumn column;
  CScrollBarUI& bar = column.bar();
  ScrollBarParts parts = bar.GetParts();
  auto centre = [](const LayoutRect& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; };

  UIEvent down = Event(kEventButtonDown, centre(parts.button2));
  bar.DispatchEvent(down);
  UIEvent up = Event(kEventButtonUp, centre(parts.button2));
  bar.DispatchEvent(up);
  EXPECT_EQ(column.root.GetScrollPos().cy, 8);

  // A click on the rail below the thumb pages down.
  parts = bar.GetParts();
  UIEvent rail = Event(kEventButtonDown, {56, parts.rail.bottom - 1});
  bar.DispatchEvent(rail);
  bar.DispatchEvent(up);
  EXPECT_EQ(column.root.GetScrollPos().cy, 108);

  // Dragging the thumb moves the position in proportion to the rail.
  parts = bar.GetParts();
  POINT grip = centre(parts.thumb);
  UIEvent press = Event(kEventButtonDown, grip);
  bar.DispatchEvent(press);
  UIEvent move = Event(kEventMouseMove, {grip.x, grip.y + 10});
  bar.DispatchEvent(move);
  EXPECT_EQ(column.root.GetScrollPos().cy, ScrollPositionForDrag(parts, false, 150, 108, 10));
  EXPECT_EQ(column.first->GetBounds().top, -column.root.GetScrollPos().cy);
  UIEvent wayDown = Event(kEventMouseMove, {grip.x, grip.y + 500});
  bar.DispatchEvent(wayDown);
  EXPECT_EQ(column.root.GetScrollPos().cy, 150);
  bar.DispatchEvent(up);
  UIEvent after = Event(kEventMouseMove, {grip.x, 0});
  bar.DispatchEvent(after);
  EXPECT_EQ(column.root.GetScrollPos().cy, 150);

  // The first button scrolls back by a line.
  UIEvent back = Event(kEventButtonDown, centre(parts.button1));
  bar.DispatchEvent(back);
  EXPECT_EQ(column.root.GetScrollPos().cy, 142);
}

TEST(Containers, ScrollBarPositionIsClampedAndRoundedToItsUnit) {
  CScrollBarUI bar;
  bar.ApplyAttributes(L"range=\"100\" scrollunit=\"10\"");
  bar.SetScrollPos(14);
  EXPECT_EQ(bar.GetScrollPos(), 10);
  bar.SetScrollPos(250);
  EXPECT_EQ(bar.GetScrollPos(), 100);
  bar.SetScrollRange(35);
  EXPECT_EQ(bar.GetScrollPos(), 35);
  bar.SetScrollPos(-4);
  EXPECT_EQ(bar.GetScrollPos(), 0);
}

TEST(Containers, HitTestsOutsideTheClientAreaFindOnlyFloatingChildren) {
  Tree<CVerticalLayoutUI> tree(L"inset=\"0,0,0,20\"");
  CControlUI* tall = tree.Add(L"height=\"100\"");
  CControlUI* floating = tree.Add(L"float=\"true\" pos=\"0,85,10,95\"");
  tree.Layout({0, 0, 50, 100});
  auto any = +[](CControlUI* control, void*) { return control; };
  POINT inClient{5, 50};
  EXPECT_EQ(tree.root.FindInTree(any, &inClient, kFindVisible | kFindHitTest | kFindTopFirst), tall);
  POINT belowClient{20, 90};
  EXPECT_EQ(tree.root.FindInTree(any, &belowClient, kFindVisible | kFindHitTest | kFindTopFirst), &tree.root);
  POINT onFloating{5, 90};
  EXPECT_EQ(tree.root.FindInTree(any, &onFloating, kFindVisible | kFindHitTest | kFindTopFirst), floating);
}

TEST(Containers, PaintingIsClippedToTheClientArea) {
  Surface surface(100, 100);
  Tree<CContainerUI> tree(L"bkcolor=\"#FF00FF00\" inset=\"5,5,5,5\"");
  tree.Add(L"bkcolor=\"#FFFF0000\" minwidth=\"80\" minheight=\"80\"");
  tree.Layout({10, 10, 50, 50});
  tree.root.Paint(surface.dc(), surface.rect(), nullptr);
  // The child asks for 80 x 80 from (15, 15) but shows only inside the inset area.
  EXPECT_TRUE(Near(surface.At(20, 20), 0xFFFF0000, 0, false)) << Hex(surface.At(20, 20));
  EXPECT_TRUE(Near(surface.At(44, 44), 0xFFFF0000, 0, false));
  EXPECT_TRUE(Near(surface.At(46, 46), 0xFF00FF00, 0, false)) << Hex(surface.At(46, 46));
  EXPECT_TRUE(Near(surface.At(12, 12), 0xFF00FF00, 0, false));
  EXPECT_TRUE(Near(surface.At(60, 60), 0xFFFFFFFF, 0, false)) << Hex(surface.At(60, 60));
  EXPECT_EQ(surface.CountNotRgb(0xFFFFFF), 40 * 40);
}

TEST(Containers, PaintingFollowsTheScrollPosition) {
  ScrolledColumn column;
  Surface surface(60, 100);
  column.root.Paint(surface.dc(), surface.rect(), nullptr);
  EXPECT_TRUE(Near(surface.At(10, 90), 0xFFFF0000, 0, false)) << Hex(surface.At(10, 90));
  column.root.ScrollToBottom();
  surface.Fill(0xFFFFFFFF);
  column.root.Paint(surface.dc(), surface.rect(), nullptr);
  // 150 scrolled: the red child ends at 50, the blue one fills 50..100.
  EXPECT_TRUE(Near(surface.At(10, 40), 0xFFFF0000, 0, false)) << Hex(surface.At(10, 40));
  EXPECT_TRUE(Near(surface.At(10, 60), 0xFF0000FF, 0, false)) << Hex(surface.At(10, 60));
  EXPECT_TRUE(Near(surface.At(10, 99), 0xFF0000FF, 0, false));
  // Only the part being painted is drawn.
  surface.Fill(0xFFFFFFFF);
  column.root.Paint(surface.dc(), {0, 0, 30, 30}, nullptr);
  EXPECT_TRUE(Near(surface.At(10, 10), 0xFFFF0000, 0, false));
  EXPECT_TRUE(Near(surface.At(10, 60), 0xFFFFFFFF, 0, false));
}

TEST(Containers, PaintingStopsAtTheStopControl) {
  Tree<CVerticalLayoutUI> tree;
  CControlUI* first = tree.Add(L"height=\"10\" bkcolor=\"#FFFF0000\"");
  CControlUI* second = tree.Add(L"height=\"10\" bkcolor=\"#FF0000FF\"");
  tree.Layout({0, 0, 20, 20});
  Surface surface(20, 20);
  EXPECT_FALSE(tree.root.Paint(surface.dc(), surface.rect(), second));
  EXPECT_TRUE(Near(surface.At(5, 5), 0xFFFF0000, 0, false));
  EXPECT_TRUE(Near(surface.At(5, 15), 0xFFFFFFFF, 0, false));
  static_cast<void>(first);
}

// A column of fixed height 100 inside a parent column, with a separator at its bottom edge.
struct SeparatedColumn {
  CManagerUI manager;
  CVerticalLayoutUI parent;
  CVerticalLayoutUI* column = new CVerticalLayoutUI;
  explicit SeparatedColumn(const wchar_t* attributes) {
    column->ApplyAttributes(attributes);
    parent.Add(column);
    parent.AttachManager(&manager, nullptr, true);
    parent.SetBounds({0, 0, 50, 300}, false);
  }
};

TEST(Containers, SeparatorDragResizesTheLayout) {
  SeparatedColumn immediate(L"height=\"100\" sepheight=\"4\" sepimm=\"true\" maxheight=\"150\"");
  CVerticalLayoutUI& c = *immediate.column;
  EXPECT_EQ(c.GetInputFlags(), static_cast<uint32_t>(kInputSetCursor));
  UIEvent miss = Event(kEventButtonDown, {10, 50});
  c.DispatchEvent(miss);
  UIEvent moveMissed = Event(kEventMouseMove, {10, 70});
  c.DispatchEvent(moveMissed);
  EXPECT_EQ(c.GetAssignedHeight(), 100);
  UIEvent down = Event(kEventButtonDown, {10, 98});
  c.DispatchEvent(down);
  UIEvent move = Event(kEventMouseMove, {10, 118});
  c.DispatchEvent(move);
  EXPECT_EQ(c.GetAssignedHeight(), 120);
  UIEvent beyond = Event(kEventMouseMove, {10, 400});
  c.DispatchEvent(beyond);
  EXPECT_EQ(c.GetAssignedHeight(), 150);
  UIEvent up = Event(kEventButtonUp, {10, 400});
  c.DispatchEvent(up);
  EXPECT_EQ(c.GetAssignedHeight(), 150);

  SeparatedColumn deferred(L"height=\"100\" sepheight=\"4\"");
  CVerticalLayoutUI& d = *deferred.column;
  UIEvent grab = Event(kEventButtonDown, {10, 99});
  d.DispatchEvent(grab);
  UIEvent drag = Event(kEventMouseMove, {10, 79});
  d.DispatchEvent(drag);
  EXPECT_EQ(d.GetAssignedHeight(), 100);
  // The tracking rectangle shows the new size after the tree is painted.
  Surface surface(50, 300);
  d.PaintOverlay(surface.dc(), surface.rect());
  EXPECT_FALSE(Near(surface.At(10, 50), 0xFFFFFFFF, 0, false));
  EXPECT_TRUE(Near(surface.At(10, 90), 0xFFFFFFFF, 0, false));
  UIEvent release = Event(kEventButtonUp, {10, 79});
  d.DispatchEvent(release);
  EXPECT_EQ(d.GetAssignedHeight(), 80);
  deferred.parent.SetBounds({0, 0, 50, 300}, false);
  EXPECT_EQ(d.GetHeight(), 80);
}

TEST(Containers, SnapshotContainerPaintsItsSnapshot) {
  Surface source(40, 40, 0xFF0000FF);
  CManagerUI manager;
  CTransBkContainerUI snap;
  snap.AttachManager(&manager, nullptr, true);
  snap.SetBounds({10, 10, 30, 30}, false);
  Surface target(40, 40);
  snap.Paint(target.dc(), target.rect(), nullptr);
  EXPECT_EQ(target.CountNotRgb(0xFFFFFF), 0);
  ASSERT_TRUE(snap.TakeSnapshot(source.dc()));
  snap.Paint(target.dc(), target.rect(), nullptr);
  EXPECT_TRUE(Near(target.At(15, 15), 0xFF0000FF, 0, false)) << Hex(target.At(15, 15));
  EXPECT_EQ(target.CountRgb(0x0000FF), 20 * 20);
}

}  // namespace
