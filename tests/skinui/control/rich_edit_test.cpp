#include "skinui/control/rich_edit_ui.h"

#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include <string>

#include "skinui/core/control_factory.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/layout/scroll_bar_ui.h"
#include "tests/skinui/core/window_test_support.h"
#include "tests/skinui/render/render_test_support.h"

namespace {

using SkinUI::CRichEditUI;
using SkinUI::CScrollBarUI;
using vxtest::PumpUiFor;
using vxtest::PumpUiUntil;
using vxtest::TestWindow;

// Forty numbered lines, far more than the box shows.
std::wstring LicenceText() {
  std::wstring text;
  for (int i = 1; i <= 40; ++i) text += L"Line " + std::to_wstring(i) + L" of the licence terms\n";
  return text;
}

// A read-only licence box with a vertical bar above an editable one-line box.
std::wstring Skin(const std::wstring& licence) {
  return LR"(<Window size="360,260">
<VerticalLayout name="root" bkcolor="#FFE0E0E0">
  <RichEdit name="licence" height="160" bkcolor="#FFFFFFFF" textcolor="#FF000000" textpadding="4,4,4,4"
    vscrollbar="true" autovscroll="true" multiline="true" readonly="true" font="-1" text=")" +
         licence +
         LR"("/>
  <Control height="20"/>
  <RichEdit name="field" height="30" bkcolor="#FFFFFFFF" multiline="false" wantreturn="false" rich="false"/>
  <Control/>
</VerticalLayout></Window>)";
}

CRichEditUI* RichEdit(TestWindow& window, const wchar_t* name) {
  return static_cast<CRichEditUI*>(window.Find(name)->FindInterface(L"RichEdit"));
}

int FirstVisibleLine(CRichEditUI* edit) { return static_cast<int>(edit->SendToText(EM_GETFIRSTVISIBLELINE)); }

int TextScrollY(CRichEditUI* edit) {
  POINT at{};
  edit->SendToText(EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&at));
  return at.y;
}

// The rich edit's client area painted into a surface.
int DarkPixelsIn(TestWindow& window, const RECT& rect) {
  vxtest::Surface surface(360, 260, 0xFF000000);
  window.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
  ::GdiFlush();
  int dark = 0;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) dark += (surface.At(x, y) & 0xFF) < 0x60 ? 1 : 0;
  }
  return dark;
}

void PostWheel(TestWindow& window, POINT client, int delta) {
  POINT screen = client;
  ::ClientToScreen(window.GetHWND(), &screen);
  ::PostMessageW(window.GetHWND(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(screen.x, screen.y));
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST(RichEdit, ShowsReadOnlyMultiLineTextWithAVerticalBarFittedToIt) {
  TestWindow window(Skin(LicenceText()));
  ASSERT_TRUE(window.Open(L"vx rich edit"));
  CRichEditUI* licence = RichEdit(window, L"licence");
  ASSERT_NE(licence, nullptr);
  EXPECT_STREQ(licence->GetTypeName(), L"RichEdit");
  EXPECT_TRUE(licence->IsReadOnly());
  EXPECT_TRUE(licence->IsMultiLine());
  EXPECT_GE(licence->GetLineCount(), 40);
  std::wstring text = licence->GetText().GetData();
  EXPECT_NE(text.find(L"Line 40 of the licence terms"), std::wstring::npos);
  CScrollBarUI* bar = licence->GetVerticalScrollBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->IsVisible());
  EXPECT_GT(bar->GetScrollRange(), 160) << "forty lines are taller than the box";
  EXPECT_EQ(bar->GetScrollPos(), 0);
  const RECT textRect = licence->GetTextRect();
  EXPECT_EQ(textRect.right, bar->GetBounds().left - 4) << "the text leaves room for the bar";
  EXPECT_GT(DarkPixelsIn(window, textRect), 200) << "the text is drawn";
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(RichEdit, TheWheelScrollsTheTextAndTheBarFollows) {
  TestWindow window(Skin(LicenceText()));
  ASSERT_TRUE(window.Open(L"vx rich edit wheel"));
  CRichEditUI* licence = RichEdit(window, L"licence");
  CScrollBarUI* bar = licence->GetVerticalScrollBar();
  const POINT centre = Centre(licence->GetTextRect());
  PostWheel(window, centre, -WHEEL_DELTA);
  ASSERT_TRUE(PumpUiUntil([&] { return bar->GetScrollPos() > 0; }));
  EXPECT_EQ(bar->GetScrollPos(), TextScrollY(licence));
  EXPECT_GT(FirstVisibleLine(licence), 0);
  const int down = bar->GetScrollPos();
  PostWheel(window, centre, WHEEL_DELTA);
  ASSERT_TRUE(PumpUiUntil([&] { return bar->GetScrollPos() < down; }));
  EXPECT_EQ(bar->GetScrollPos(), TextScrollY(licence));
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(RichEdit, TheScrollBarsButtonRailAndThumbMoveTheText) {
  TestWindow window(Skin(LicenceText()));
  ASSERT_TRUE(window.Open(L"vx rich edit bar"));
  CRichEditUI* licence = RichEdit(window, L"licence");
  CScrollBarUI* bar = licence->GetVerticalScrollBar();
  const SkinUI::ScrollBarParts parts = bar->GetParts();
  // The lower button: one line.
  POINT button = Centre({parts.button2.left, parts.button2.top, parts.button2.right, parts.button2.bottom});
  window.PostMouse(WM_LBUTTONDOWN, button.x, button.y, MK_LBUTTON);
  window.PostMouse(WM_LBUTTONUP, button.x, button.y);
  ASSERT_TRUE(PumpUiUntil([&] { return bar->GetScrollPos() > 0; }));
  EXPECT_EQ(bar->GetScrollPos(), TextScrollY(licence));
  const int afterLine = bar->GetScrollPos();
  // The rail just above the lower button: a page.
  window.PostMouse(WM_LBUTTONDOWN, button.x, parts.button2.top - 3, MK_LBUTTON);
  window.PostMouse(WM_LBUTTONUP, button.x, parts.button2.top - 3);
  ASSERT_TRUE(PumpUiUntil([&] { return bar->GetScrollPos() > afterLine + 40; }));
  EXPECT_EQ(bar->GetScrollPos(), TextScrollY(licence));
  EXPECT_GT(FirstVisibleLine(licence), 2);
  // Dragging the thumb down by 20 pixels.
  const int beforeDrag = bar->GetScrollPos();
  const SkinUI::ScrollBarParts moved = bar->GetParts();
  const POINT thumb = Centre({moved.thumb.left, moved.thumb.top, moved.thumb.right, moved.thumb.bottom});
  window.PostMouse(WM_LBUTTONDOWN, thumb.x, thumb.y, MK_LBUTTON);
  window.PostMouse(WM_MOUSEMOVE, thumb.x, thumb.y + 20, MK_LBUTTON);
  window.PostMouse(WM_LBUTTONUP, thumb.x, thumb.y + 20);
  ASSERT_TRUE(PumpUiUntil([&] { return bar->GetScrollPos() > beforeDrag; }));
  EXPECT_EQ(bar->GetScrollPos(), TextScrollY(licence));
  // Setting the position as the thumb does: to the end.
  licence->SetScrollPos({0, bar->GetScrollRange()});
  EXPECT_EQ(bar->GetScrollPos(), bar->GetScrollRange());
  EXPECT_EQ(TextScrollY(licence), bar->GetScrollRange());
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(RichEdit, ReadOnlyTextRefusesTypingAnEditableOneTakesItAndSendsTextChanged) {
  TestWindow window(Skin(L"Fixed"));
  ASSERT_TRUE(window.Open(L"vx rich edit typing"));
  CRichEditUI* licence = RichEdit(window, L"licence");
  CRichEditUI* field = RichEdit(window, L"field");
  struct Case {
    CRichEditUI* edit;
    const wchar_t* expected;
    int changes;
  };
  const Case cases[] = {{licence, L"Fixed", 0}, {field, L"ab", 2}};
  for (const Case& c : cases) {
    const int before = window.log.Count(L"textchanged");
    const POINT at = Centre(c.edit->GetTextRect());
    window.PostMouse(WM_LBUTTONDOWN, at.x, at.y, MK_LBUTTON);
    window.PostMouse(WM_LBUTTONUP, at.x, at.y);
    ASSERT_TRUE(PumpUiUntil([&] { return window.GetManager().GetFocus() == c.edit; }));
    ::PostMessageW(window.GetHWND(), WM_CHAR, L'a', 1);
    ::PostMessageW(window.GetHWND(), WM_CHAR, L'b', 1);
    PumpUiFor(150);
    EXPECT_STREQ(c.edit->GetText().GetData(), c.expected) << c.edit->GetName().GetData();
    EXPECT_EQ(window.log.Count(L"textchanged") - before, c.changes) << c.edit->GetName().GetData();
  }
  EXPECT_EQ(window.log.notifications.back(), L"textchanged:field:0:0");
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(RichEdit, AReturnTheTextDoesNotTakeIsSentAsReturn) {
  TestWindow window(Skin(L"x"));
  ASSERT_TRUE(window.Open(L"vx rich edit return"));
  CRichEditUI* field = RichEdit(window, L"field");
  field->SetFocus();
  ASSERT_EQ(window.GetManager().GetFocus(), field);
  field->SetText(L"go");
  ::PostMessageW(window.GetHWND(), WM_KEYDOWN, VK_RETURN, 1);
  ::PostMessageW(window.GetHWND(), WM_CHAR, L'\r', 1);
  ASSERT_TRUE(PumpUiUntil([&] { return window.log.Count(L"return") == 1; }));
  PumpUiFor(50);
  EXPECT_STREQ(field->GetText().GetData(), L"go") << "the Return did not go into the text";
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(RichEdit, SetTextOnALiveControlReplacesTheTextAndRefitsTheBar) {
  TestWindow window(Skin(LicenceText()));
  ASSERT_TRUE(window.Open(L"vx rich edit set text"));
  CRichEditUI* licence = RichEdit(window, L"licence");
  CScrollBarUI* bar = licence->GetVerticalScrollBar();
  ASSERT_TRUE(bar->IsVisible());
  licence->SetText(L"Short");
  EXPECT_STREQ(licence->GetText().GetData(), L"Short");
  EXPECT_EQ(licence->GetLineCount(), 1);
  EXPECT_FALSE(bar->IsVisible()) << "one line needs no bar";
  EXPECT_EQ(licence->GetTextRect().right, licence->GetBounds().right - 4);
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(RichEdit, TabGoesIntoTheTextOnlyWhenItIsWanted) {
  constexpr wchar_t kTabs[] =
      LR"(<Window size="300,120">
<VerticalLayout>
  <RichEdit name="takes" height="30" keyboard="true"/>
  <RichEdit name="passes" height="30" wanttab="false" keyboard="true"/>
  <Button name="next" height="30" keyboard="true"/>
</VerticalLayout></Window>)";
  struct Case {
    const wchar_t* name;
    bool keepsFocus;
    const wchar_t* text;
  };
  const Case cases[] = {{L"takes", true, L"\t"}, {L"passes", false, L""}};
  TestWindow window(kTabs);
  ASSERT_TRUE(window.Open(L"vx rich edit tab"));
  // The first paints give the first tab stop the focus; only then is it moved by hand.
  ASSERT_TRUE(PumpUiUntil([&] { return window.GetManager().GetFocus() == window.Find(L"takes"); }));
  PumpUiFor(100);
  for (const Case& c : cases) {
    CRichEditUI* edit = RichEdit(window, c.name);
    EXPECT_EQ(edit->FindInterface(L"WantTab") != nullptr, c.keepsFocus) << std::wstring(c.name);
    edit->SetFocus();
    ASSERT_EQ(window.GetManager().GetFocus(), edit);
    // The pump's translation makes the character of the key.
    ::PostMessageW(window.GetHWND(), WM_KEYDOWN, VK_TAB, 1);
    PumpUiFor(100);
    EXPECT_EQ(window.GetManager().GetFocus() == edit, c.keepsFocus) << std::wstring(c.name);
    EXPECT_STREQ(edit->GetText().GetData(), c.text) << std::wstring(c.name);
  }
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(RichEdit, ItsAttributesSetTheTextsProperties) {
  SkinUI::ControlPtr control(SkinUI::CreateControl(L"RichEdit"));
  ASSERT_NE(control, nullptr);
  auto* edit = static_cast<CRichEditUI*>(control->FindInterface(L"RichEdit"));
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->IsRich());
  EXPECT_TRUE(edit->IsMultiLine());
  EXPECT_FALSE(edit->IsReadOnly());
  EXPECT_FALSE(edit->IsPassword());
  control->ApplyAttributes(
      L"readonly=\"true\" password=\"true\" rich=\"false\" multiline=\"false\" wanttab=\"false\" "
      L"wantreturn=\"false\" wantctrlreturn=\"false\" textcolor=\"#FF112233\" font=\"2\" textpadding=\"1,2,3,4\" "
      L"vscrollbar=\"true\" hscrollbar=\"true\"");
  EXPECT_TRUE(edit->IsReadOnly());
  EXPECT_TRUE(edit->IsPassword());
  EXPECT_FALSE(edit->IsRich());
  EXPECT_FALSE(edit->IsMultiLine());
  EXPECT_FALSE(edit->WantsTab());
  EXPECT_FALSE(edit->WantsReturn());
  EXPECT_FALSE(edit->WantsCtrlReturn());
  EXPECT_EQ(edit->GetTextColor(), 0xFF112233u);
  EXPECT_EQ(edit->GetFont(), 2);
  EXPECT_EQ(edit->GetTextPadding().left, 1);
  EXPECT_EQ(edit->GetTextPadding().bottom, 4);
  EXPECT_NE(edit->GetVerticalScrollBar(), nullptr);
  EXPECT_NE(edit->GetHorizontalScrollBar(), nullptr);
  control->ApplyAttributes(L"vscrollbar=\"false\"");
  EXPECT_EQ(edit->GetVerticalScrollBar(), nullptr);
  EXPECT_EQ(edit->GetLineCount(), 0) << "no services before the control is initialised";
}

}  // namespace
