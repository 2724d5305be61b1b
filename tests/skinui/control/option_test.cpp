#include "skinui/control/option_ui.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "skinui/control/check_box_ui.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/layout/container_ui.h"
#include "tests/skinui/control/control_test_support.h"

namespace {

using SkinUI::COptionUI;
using vxtest::PumpUiFor;
using vxtest::TestWindow;

// Two options of group "g", one without a group and a check box.
constexpr wchar_t kSkin[] =
    LR"(<Window size="320,60"><HorizontalLayout name="root" bkcolor="#FFFFFFFF">
  <Option name="a" width="80" group="g" selectedbkcolor="#FF20C020"/>
  <Option name="b" width="80" group="g" selectedbkcolor="#FF2020E0"/>
  <Option name="solo" width="80"/>
  <CheckBox name="box" width="80"/>
</HorizontalLayout></Window>)";

COptionUI* OptionOf(TestWindow& window, const wchar_t* name) { return static_cast<COptionUI*>(window.Find(name)); }

// The notifications of type, in order.
std::vector<std::wstring> Only(const TestWindow& window, const std::wstring& type) {
  std::vector<std::wstring> found;
  for (const std::wstring& entry : window.log.notifications) {
    if (entry.compare(0, type.size() + 1, type + L":") == 0) found.push_back(entry);
  }
  return found;
}

TEST(Option, ClicksSelectWithinGroupsAndToggleTheRest) {
  struct Case {
    const char* what;
    std::vector<const wchar_t*> clicks;
    std::vector<const wchar_t*> selected;  // of a, b, solo, box
    std::vector<std::wstring> changes;
  } cases[] = {
      {"one grouped click", {L"b"}, {L"b"}, {L"selectchanged:b:0:0"}},
      {"a grouped option clicked twice stays selected", {L"b", L"b"}, {L"b"}, {L"selectchanged:b:0:0"}},
      {"the other of the group is deselected silently",
       {L"a", L"b"},
       {L"b"},
       {L"selectchanged:a:0:0", L"selectchanged:b:0:0"}},
      {"an ungrouped option toggles", {L"solo", L"solo"}, {}, {L"selectchanged:solo:0:0", L"selectchanged:solo:0:0"}},
      {"a check box toggles on", {L"box"}, {L"box"}, {L"selectchanged:box:0:0"}},
      {"a check box toggles off", {L"box", L"box"}, {}, {L"selectchanged:box:0:0", L"selectchanged:box:0:0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestWindow window(kSkin);
    ASSERT_TRUE(window.Open());
    int clicks = 0;
    for (const wchar_t* name : c.clicks) ASSERT_TRUE(vxtest::ClickAt(window, name, ++clicks));
    PumpUiFor(30);
    for (const wchar_t* name : {L"a", L"b", L"solo", L"box"}) {
      bool expected = false;
      for (const wchar_t* on : c.selected) expected = expected || std::wstring(on) == name;
      EXPECT_EQ(OptionOf(window, name)->IsSelected(), expected) << std::wstring(name);
      EXPECT_EQ((OptionOf(window, name)->GetButtonState() & SkinUI::kStateSelected) != 0, expected);
    }
    EXPECT_EQ(Only(window, L"selectchanged"), c.changes);
    // Each click notifies before the selection it makes.
    const auto& notes = window.log.notifications;
    if (!c.changes.empty()) {
      auto change = std::find(notes.begin(), notes.end(), c.changes.front());
      ASSERT_NE(change, notes.begin());
      EXPECT_EQ(std::prev(change)->rfind(L"click:", 0), 0u);
    }
    EXPECT_TRUE(window.CloseAndWait());
  }
}

TEST(Option, TheSelectedColourShowsOnlyOnTheSelectedOptionOfTheGroup) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  vxtest::Surface surface(320, 60, 0xFF000000);
  auto painted = [&](const wchar_t* name) {
    vxtest::PrintWindow(window, surface);
    const POINT at = vxtest::Centre(window.Find(name));
    return surface.At(at.x, at.y) | 0xFF000000;
  };
  EXPECT_EQ(painted(L"a"), 0xFFFFFFFFu);
  OptionOf(window, L"a")->SetSelected(true);
  EXPECT_EQ(painted(L"a"), 0xFF20C020u);
  OptionOf(window, L"b")->SetSelected(true);
  EXPECT_EQ(painted(L"b"), 0xFF2020E0u);
  EXPECT_EQ(painted(L"a"), 0xFFFFFFFFu);
  EXPECT_EQ(Only(window, L"selectchanged").size(), 2u);
  // Without notify the selection changes silently.
  OptionOf(window, L"a")->SetSelected(true, false);
  EXPECT_FALSE(OptionOf(window, L"b")->IsSelected());
  EXPECT_EQ(Only(window, L"selectchanged").size(), 2u);
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Option, GroupsFollowSetGroupAndADestroyedOptionLeavesItsGroup) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  SkinUI::CManagerUI& manager = window.GetManager();
  ASSERT_NE(manager.GetOptionGroup(L"g"), nullptr);
  EXPECT_EQ(manager.GetOptionGroup(L"g")->size(), 2u);
  COptionUI* solo = OptionOf(window, L"solo");
  solo->SetGroup(L"g");
  EXPECT_EQ(manager.GetOptionGroup(L"g")->size(), 3u);
  solo->SetSelected(true);
  OptionOf(window, L"a")->SetSelected(true);
  EXPECT_FALSE(solo->IsSelected()) << "it now belongs to the group";
  solo->SetGroup(L"other");
  EXPECT_EQ(manager.GetOptionGroup(L"g")->size(), 2u);
  auto* root = static_cast<SkinUI::CContainerUI*>(window.Find(L"root"));
  ASSERT_TRUE(root->Remove(window.Find(L"b")));
  // The removed option is deleted when the queued cleanup comes round.
  ASSERT_TRUE(vxtest::PumpUiUntil([&] { return manager.GetOptionGroup(L"g")->size() == 1u; }));
  OptionOf(window, L"a")->SetSelected(false);
  OptionOf(window, L"a")->SetSelected(true);  // would touch the removed option if it were still listed
  EXPECT_TRUE(OptionOf(window, L"a")->IsSelected());
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Option, WithoutAFixedHeightAnOptionIsOneLineOfItsFontHigh) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  COptionUI* option = OptionOf(window, L"a");
  const int line = window.GetManager().GetFontInfo(-1)->metrics.tmHeight;
  EXPECT_EQ(option->Measure({320, 60}).cx, 80);
  EXPECT_EQ(option->Measure({320, 60}).cy, line + 8);
  option->SetAssignedHeight(25);
  EXPECT_EQ(option->Measure({320, 60}).cy, 25);
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Option, DisablingKeepsOnlyTheSelectedBit) {
  COptionUI option;
  option.SetSelected(true);
  option.SetEnabled(false);
  option.PaintStateImage(nullptr);
  EXPECT_EQ(option.GetButtonState(), SkinUI::kStateSelected | SkinUI::kStateDisabled);
  EXPECT_STREQ(SkinUI::CCheckBoxUI().GetTypeName(), L"CheckBox");
  SkinUI::CCheckBoxUI box;
  EXPECT_EQ(box.FindInterface(L"Option"), &box);
  EXPECT_EQ(box.FindInterface(L"Button"), &box);
  EXPECT_EQ(box.FindInterface(L"Label"), &box);
}

}  // namespace
