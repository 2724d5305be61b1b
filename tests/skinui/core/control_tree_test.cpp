#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skinui/core/control_ui.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/layout/container_ui.h"
#include "tests/skinui/render/render_test_support.h"

namespace {

using namespace SkinUI;

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A control that writes down the paint steps it is asked for.
class RecordingControl : public CControlUI {
 public:
  explicit RecordingControl(std::vector<std::wstring>* log, const wchar_t* tag = L"") : log_(log), tag_(tag) {}
  void PaintBackColor(HDC) override { Write(L"BackColor"); }
  void PaintStateBackColor(HDC) override { Write(L"StateBackColor"); }
  void PaintBackImage(HDC) override { Write(L"BackImage"); }
  void PaintStateImage(HDC) override { Write(L"StateImage"); }
  void PaintText(HDC) override { Write(L"Text"); }
  void PaintBorder(HDC) override { Write(L"Border"); }
  void HandleEvent(UIEvent& event) override {
    Write(L"Event " + std::to_wstring(event.type));
    CControlUI::HandleEvent(event);
  }

 private:
  void Write(const std::wstring& step) { log_->push_back(tag_ + step); }
  std::vector<std::wstring>* log_;
  std::wstring tag_;
};

class RecordingContainer : public CContainerUI {
 public:
  explicit RecordingContainer(std::vector<std::wstring>* log) : log_(log) {}
  void HandleEvent(UIEvent& event) override {
    log_->push_back(L"container " + std::to_wstring(event.type));
    CContainerUI::HandleEvent(event);
  }

 private:
  std::vector<std::wstring>* log_;
};

TEST(ControlTree, PaintStepsRunInTheirFixedOrder) {
  std::vector<std::wstring> log;
  RecordingControl control(&log);
  control.SetBounds({0, 0, 10, 10}, false);
  vxtest::Surface surface(16, 16);
  EXPECT_TRUE(control.Paint(surface.dc(), surface.rect(), nullptr));
  const std::vector<std::wstring> expected{L"BackColor",  L"StateBackColor", L"BackImage",
                                           L"StateImage", L"Text",           L"Border"};
  EXPECT_EQ(log, expected);
  EXPECT_TRUE(SameRect(control.GetPaintRect(), {0, 0, 10, 10}));
}

TEST(ControlTree, PaintStopsAtTheStopControlAndSkipsOutsideTheArea) {
  std::vector<std::wstring> log;
  RecordingControl control(&log);
  control.SetBounds({20, 20, 30, 30}, false);
  vxtest::Surface surface(16, 16);
  EXPECT_TRUE(control.Paint(surface.dc(), {0, 0, 16, 16}, nullptr));
  EXPECT_TRUE(log.empty());
  control.SetBounds({0, 0, 10, 10}, false);
  EXPECT_FALSE(control.Paint(surface.dc(), {0, 0, 16, 16}, &control));
  EXPECT_TRUE(log.empty());
}

TEST(ControlTree, PaintListenerThatSaysNoSkipsTheControl) {
  std::vector<std::wstring> log;
  RecordingControl control(&log);
  control.SetBounds({0, 0, 10, 10}, false);
  control.OnPaint.Add(+[](CControlUI*) { return false; });
  vxtest::Surface surface(16, 16);
  EXPECT_TRUE(control.Paint(surface.dc(), surface.rect(), nullptr));
  EXPECT_TRUE(log.empty());
}

TEST(ControlTree, CoverPaintsAfterTheControl) {
  std::vector<std::wstring> log;
  RecordingControl control(&log, L"base ");
  control.SetCover(new RecordingControl(&log, L"cover "));
  CManagerUI manager;
  control.AttachManager(&manager, nullptr, false);
  control.SetBounds({0, 0, 10, 10}, false);
  EXPECT_TRUE(SameRect(control.GetCover()->GetBounds(), {0, 0, 10, 10}));
  vxtest::Surface surface(16, 16);
  control.Paint(surface.dc(), surface.rect(), nullptr);
  ASSERT_EQ(log.size(), 12u);
  EXPECT_EQ(log[5], L"base Border");
  EXPECT_EQ(log[6], L"cover BackColor");
}

TEST(ControlTree, UnhandledEventsReachTheParent) {
  std::vector<std::wstring> log;
  CManagerUI manager;
  RecordingContainer root(&log);
  auto* child = new RecordingControl(&log, L"child ");
  root.Add(child);
  root.AttachManager(&manager, nullptr, true);
  ASSERT_EQ(child->GetParent(), &root);
  UIEvent key;
  key.type = kEventKeyDown;
  key.keyCode = L'A';
  child->DispatchEvent(key);
  UIEvent focus;
  focus.type = kEventSetFocus;
  child->DispatchEvent(focus);
  const std::vector<std::wstring> expected{L"child Event 3", L"container 3", L"child Event 21"};
  EXPECT_EQ(log, expected);
  EXPECT_TRUE(child->IsFocused());
}

TEST(ControlTree, EventListenersRunFirstAndMayStopTheEvent) {
  std::vector<std::wstring> log;
  RecordingControl control(&log);
  static int calls;
  calls = 0;
  auto count = +[](UIEvent*) {
    ++calls;
    return true;
  };
  auto stop = +[](UIEvent*) { return false; };
  control.OnEvent.Add(count);
  control.OnEvent.Add(count);  // already present: not added twice
  UIEvent event;
  event.type = kEventMouseMove;
  control.DispatchEvent(event);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(log.size(), 1u);
  control.OnEvent.Add(stop);
  control.DispatchEvent(event);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(log.size(), 1u);
}

struct Listener {
  std::vector<int>* order;
  int id;
  bool answer;
  bool Call(CControlUI*) {
    order->push_back(id);
    return answer;
  }
};

TEST(ControlTree, EventSourceOrderStopAndMembers) {
  std::vector<int> order;
  Listener first{&order, 1, true};
  Listener second{&order, 2, false};
  Listener third{&order, 3, true};
  CEventSourceUI<CControlUI> source;
  source.Add(CDelegateUI<CControlUI>(&first, &Listener::Call));
  source.Add(CDelegateUI<CControlUI>(&second, &Listener::Call));
  source.Add(CDelegateUI<CControlUI>(&third, &Listener::Call));
  source.Add(CDelegateUI<CControlUI>(&first, &Listener::Call));
  EXPECT_FALSE(source(nullptr));
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_TRUE(source.Remove(CDelegateUI<CControlUI>(&second, &Listener::Call)));
  order.clear();
  EXPECT_TRUE(source(nullptr));
  EXPECT_EQ(order, (std::vector<int>{1, 3}));
}

CControlUI* AcceptAll(CControlUI* control, void* data) {
  static_cast<std::vector<CControlUI*>*>(data)->push_back(control);
  return nullptr;
}

CControlUI* AcceptAny(CControlUI* control, void*) { return control; }

TEST(ControlTree, FindInTreeFlags) {
  CManagerUI manager;
  CContainerUI root;
  auto* a = new CControlUI;
  auto* b = new CControlUI;
  auto* hidden = new CControlUI;
  auto* disabled = new CControlUI;
  root.Add(a);
  root.Add(b);
  root.Add(hidden);
  root.Add(disabled);
  hidden->SetVisible(false);
  disabled->SetEnabled(false);
  root.AttachManager(&manager, nullptr, true);
  root.SetBounds({0, 0, 100, 100}, false);

  struct Case {
    const char* name;
    uint32_t flags;
    std::vector<CControlUI*> expected;
  };
  const Case cases[] = {
      {"all, children before the container", 0, {a, b, hidden, disabled, &root}},
      {"me first", kFindMeFirst, {&root, a, b, hidden, disabled}},
      {"visible only", kFindVisible, {a, b, disabled, &root}},
      {"enabled only", kFindEnabled, {a, b, hidden, &root}},
      {"top first", kFindTopFirst, {disabled, hidden, b, a, &root}},
  };
  for (const Case& c : cases) {
    std::vector<CControlUI*> visited;
    EXPECT_EQ(root.FindInTree(AcceptAll, &visited, c.flags), nullptr);
    EXPECT_EQ(visited, c.expected) << c.name;
  }

  // Hit tests: the point must lie in the control; the topmost match wins.
  POINT inside{50, 50};
  EXPECT_EQ(root.FindInTree(AcceptAny, &inside, kFindVisible | kFindHitTest | kFindTopFirst), disabled);
  EXPECT_EQ(root.FindInTree(AcceptAny, &inside, kFindVisible | kFindEnabled | kFindHitTest | kFindTopFirst), b);
  POINT outside{150, 50};
  EXPECT_EQ(root.FindInTree(AcceptAny, &outside, kFindHitTest), nullptr);
  // A mouse-disabled control is passed over by hit tests.
  b->SetMouseEnabled(false);
  EXPECT_EQ(root.FindInTree(AcceptAny, &inside, kFindVisible | kFindEnabled | kFindHitTest | kFindTopFirst), a);
  // Without mouse children only the container itself is hit.
  root.SetMouseChildEnabled(false);
  EXPECT_EQ(root.FindInTree(AcceptAny, &inside, kFindVisible | kFindHitTest | kFindTopFirst), &root);
  // Update test: a container the callback accepts hides its subtree.
  EXPECT_EQ(root.FindInTree(AcceptAny, nullptr, kFindUpdateTest), nullptr);
}

TEST(ControlTree, InvalidateClipsByAncestorsAndSkipsHiddenControls) {
  CManagerUI manager;
  CContainerUI root;
  auto* child = new CControlUI;
  root.Add(child);
  root.AttachManager(&manager, nullptr, true);
  root.SetBounds({0, 0, 50, 50}, false);
  child->SetBounds({40, 40, 80, 80}, false);
  manager.ClearInvalidatedRect();
  child->Invalidate();
  EXPECT_TRUE(SameRect(manager.GetInvalidatedRect(), {40, 40, 50, 50}));

  manager.ClearInvalidatedRect();
  child->SetVisible(false);
  manager.ClearInvalidatedRect();
  child->Invalidate();
  EXPECT_TRUE(SameRect(manager.GetInvalidatedRect(), {0, 0, 0, 0}));
}

TEST(ControlTree, ShowingAControlRequestsAParentLayout) {
  CManagerUI manager;
  CContainerUI root;
  auto* child = new CControlUI;
  root.Add(child);
  root.AttachManager(&manager, nullptr, true);
  root.SetBounds({0, 0, 50, 50}, false);
  child->SetVisible(false);
  manager.ClearUpdateNeeded();
  root.SetBounds({0, 0, 50, 50}, false);
  EXPECT_FALSE(root.IsUpdateNeeded());
  child->SetVisible(true);
  EXPECT_TRUE(root.IsUpdateNeeded());
  EXPECT_TRUE(manager.IsUpdateNeeded());
  // Hiding the container hides the child through it.
  root.SetVisible(false);
  EXPECT_FALSE(child->IsVisible());
  root.SetVisible(true);
  EXPECT_TRUE(child->IsVisible());
}

TEST(ControlTree, SetBoundsInvalidatesOldAndNewPlaces) {
  CManagerUI manager;
  CControlUI control;
  control.AttachManager(&manager, nullptr, false);
  control.SetBounds({10, 10, 20, 20}, false);
  manager.ClearInvalidatedRect();
  control.SetBounds({30, 10, 40, 20}, true);
  EXPECT_TRUE(SameRect(manager.GetInvalidatedRect(), {10, 10, 40, 20}));
  // Without a manager nothing is invalidated, and the size listeners do not run.
  CControlUI loose;
  static int sized;
  sized = 0;
  loose.OnSize.Add(+[](CControlUI*) {
    ++sized;
    return true;
  });
  loose.SetBounds({0, 0, 5, 5}, true);
  EXPECT_EQ(sized, 0);
  loose.AttachManager(&manager, nullptr, false);
  loose.SetBounds({0, 0, 6, 6}, true);
  EXPECT_EQ(sized, 1);
}

TEST(ControlTree, FloatingControlKeepsItsAnchoredGeometry) {
  CManagerUI manager;
  CContainerUI root;
  auto* child = new CControlUI;
  child->ApplyAttributes(L"float=\"0.5,0,0.5,0\" pos=\"10,20,40,60\"");
  root.Add(child);
  root.AttachManager(&manager, nullptr, true);
  root.SetBounds({100, 100, 300, 200}, false);
  // Relative to the parent: x = 200 * 0.5 + 10.
  EXPECT_TRUE(SameRect(child->GetBounds(), {210, 120, 240, 160}));
  EXPECT_TRUE(SameRect(child->GetBoundsInParent(), {110, 20, 140, 60}));
  EXPECT_EQ(child->GetFloatOrigin().x, 10);
  EXPECT_EQ(child->GetAssignedWidth(), 30);
}

}  // namespace
