#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "skinui/core/control_ui.h"
#include "skinui/core/window/manager_ui.h"

namespace {

using namespace SkinUI;

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct AttributeCase {
  const wchar_t* name;
  const wchar_t* value;
  std::function<bool(const CControlUI&)> check;
};

TEST(ControlAttributes, EveryCommonAttribute) {
  const AttributeCase cases[] = {
      {L"pos", L"10,20,110,70",
       [](const CControlUI& c) {
         return c.GetFloatOrigin().x == 10 && c.GetFloatOrigin().y == 20 && c.GetAssignedWidth() == 100 &&
                c.GetAssignedHeight() == 50;
       }},
      {L"pos", L"158,112,0,0",
       [](const CControlUI& c) {
         return c.GetFloatOrigin().x == 158 && c.GetFloatOrigin().y == 112 && c.GetAssignedWidth() == 0 &&
                c.GetAssignedHeight() == 0;
       }},
      {L"padding", L"1,2,3,4",
       [](const CControlUI& c) {
         return SameRect(c.GetPadding(), {1, 2, 3, 4});
       }},
      {L"bkcolor", L"#FF112233", [](const CControlUI& c) { return c.GetBkColor() == 0xFF112233; }},
      {L"bkcolor1", L"FF445566", [](const CControlUI& c) { return c.GetBkColor() == 0xFF445566; }},
      {L"bkcolor2", L"#80FFFFFF", [](const CControlUI& c) { return c.GetBkColor2() == 0x80FFFFFF; }},
      {L"bkcolor3", L"#01020304", [](const CControlUI& c) { return c.GetBkColor3() == 0x01020304; }},
      {L"bordercolor", L"#FF17171A", [](const CControlUI& c) { return c.GetBorderColor() == 0xFF17171A; }},
      {L"focusbordercolor", L"#FF0000FF", [](const CControlUI& c) { return c.GetFocusBorderColor() == 0xFF0000FF; }},
      {L"colorhsl", L"true", [](const CControlUI& c) { return c.IsColorHsl(); }},
      {L"bordersize", L"2",
       [](const CControlUI& c) {
         return SameRect(c.GetBorderSize(), {2, 2, 2, 2});
       }},
      {L"bordersize", L"1,0,3,4",
       [](const CControlUI& c) {
         return SameRect(c.GetBorderSize(), {1, 0, 3, 4});
       }},
      {L"borderstyle", L"2", [](const CControlUI& c) { return c.GetBorderStyle() == 2; }},
      {L"borderround", L"6,8",
       [](const CControlUI& c) { return c.GetBorderRound().cx == 6 && c.GetBorderRound().cy == 8; }},
      {L"bkimage", L"file='missing.png' corner='1,1,1,1'",
       [](const CControlUI& c) { return c.GetBackImage().description == L"file='missing.png' corner='1,1,1,1'"; }},
      {L"width", L"340", [](const CControlUI& c) { return c.GetAssignedWidth() == 340; }},
      {L"height", L"44", [](const CControlUI& c) { return c.GetAssignedHeight() == 44; }},
      {L"minwidth", L"12", [](const CControlUI& c) { return c.GetMinWidth() == 12; }},
      {L"minheight", L"13", [](const CControlUI& c) { return c.GetMinHeight() == 13; }},
      {L"maxwidth", L"14", [](const CControlUI& c) { return c.GetMaxWidth() == 14; }},
      {L"maxheight", L"15", [](const CControlUI& c) { return c.GetMaxHeight() == 15; }},
      {L"name", L"btn_close", [](const CControlUI& c) { return c.GetName() == L"btn_close"; }},
      {L"text", L"@install", [](const CControlUI& c) { return c.GetText() == L"@install"; }},
      {L"tooltip", L"one<n>two", [](const CControlUI& c) { return c.GetToolTip() == L"one\r\ntwo"; }},
      {L"userdata", L"free text", [](const CControlUI& c) { return c.GetUserData() == L"free text"; }},
      {L"tag", L"-42", [](const CControlUI& c) { return c.GetTag() == -42; }},
      {L"enabled", L"false", [](const CControlUI& c) { return !c.IsEnabled(); }},
      {L"mouse", L"false", [](const CControlUI& c) { return !c.IsMouseEnabled(); }},
      {L"keyboard", L"true", [](const CControlUI& c) { return c.IsKeyboardEnabled(); }},
      {L"visible", L"false", [](const CControlUI& c) { return !c.IsVisible(); }},
      {L"float", L"true", [](const CControlUI& c) { return c.IsFloat(); }},
      {L"float", L"0.5,0,0.5,1",
       [](const CControlUI& c) {
         const UIFloatAnchors& a = c.GetFloatAnchors();
         return c.IsFloat() && a.left == 0.5 && a.top == 0 && a.right == 0.5 && a.bottom == 1;
       }},
      {L"shortcut", L"Install", [](const CControlUI& c) { return c.GetShortcut() == L'I'; }},
      {L"menu", L"true", [](const CControlUI& c) { return c.IsMenuEnabled(); }},
      {L"virtualwnd", L"offers", [](const CControlUI& c) { return c.GetVirtualWnd() == L"offers"; }},
      {L"skinhint", L"anything", [](const CControlUI& c) { return c.GetExtraAttribute(L"skinhint") == L"anything"; }},
      // Names are case-sensitive: an unknown spelling is kept, not applied.
      {L"Width", L"50",
       [](const CControlUI& c) { return c.GetAssignedWidth() == 0 && c.GetExtraAttribute(L"Width") == L"50"; }},
      // Booleans are true only for "true".
      {L"keyboard", L"TRUE", [](const CControlUI& c) { return !c.IsKeyboardEnabled(); }},
      {L"enabled", L"1", [](const CControlUI& c) { return !c.IsEnabled(); }},
      // Bad numbers and colours read as 0; negative sizes are ignored.
      {L"width", L"abc", [](const CControlUI& c) { return c.GetAssignedWidth() == 0; }},
      {L"width", L"-5", [](const CControlUI& c) { return c.GetAssignedWidth() == 0; }},
      {L"minwidth", L"-5", [](const CControlUI& c) { return c.GetMinWidth() == 0; }},
      {L"bkcolor", L"#zz", [](const CControlUI& c) { return c.GetBkColor() == 0; }},
      {L"bordersize", L"x",
       [](const CControlUI& c) {
         return SameRect(c.GetBorderSize(), {0, 0, 0, 0});
       }},
  };
  CManagerUI manager;
  for (const AttributeCase& c : cases) {
    CControlUI control;
    control.AttachManager(&manager, nullptr, false);
    control.ApplyAttribute(c.name, c.value);
    EXPECT_TRUE(c.check(control)) << c.name << "=\"" << c.value << "\"";
  }
}

TEST(ControlAttributes, PosThenWidth) {
  CControlUI control;
  control.ApplyAttributes(L"pos=\"0,0,0,0\" width=\"340\"");
  EXPECT_EQ(control.GetAssignedWidth(), 340);
}

TEST(ControlAttributes, ListWithTwoBlanksAppliesOnlyTheFirstPair) {
  CControlUI control;
  control.ApplyAttributes(L"width=\"10\"  height=\"20\"");
  EXPECT_EQ(control.GetAssignedWidth(), 10);
  EXPECT_EQ(control.GetAssignedHeight(), 0);
  EXPECT_TRUE(control.GetExtraAttribute(L" height").IsEmpty());
}

TEST(ControlAttributes, ListAppliedUpToTheError) {
  CControlUI control;
  control.ApplyAttributes(L"width=\"10\" height=\"20\" name=\"x");
  EXPECT_EQ(control.GetAssignedWidth(), 10);
  EXPECT_EQ(control.GetAssignedHeight(), 20);
  EXPECT_TRUE(control.GetName().IsEmpty());
}

TEST(ControlAttributes, MaximumNeverBelowMinimum) {
  CControlUI control;
  control.SetMaxWidth(20);
  control.SetMinWidth(30);
  EXPECT_EQ(control.GetMaxWidth(), 30);
  control.SetMaxHeight(5);
  EXPECT_EQ(control.GetMaxHeight(), 5);
}

TEST(ControlAttributes, ToolTipKeepsLineBreaks) {
  CControlUI control;
  control.SetToolTip(L"first<n>second<n>third");
  EXPECT_EQ(control.GetToolTip(), L"first\r\nsecond\r\nthird");
}

}  // namespace
