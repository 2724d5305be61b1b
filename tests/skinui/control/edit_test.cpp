#include "skinui/control/edit_ui.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skinui/control/button_ui.h"
#include "skinui/control/rich_edit_ui.h"
#include "skinui/core/window/manager_ui.h"
#include "tests/skinui/core/window_test_support.h"
#include "tests/skinui/render/render_test_support.h"

namespace {

using SkinUI::CEditUI;
using vxtest::PumpUiFor;
using vxtest::PumpUiUntil;
using vxtest::TestWindow;

// A column of edits, each 200 x 30, over a licence box.
constexpr wchar_t kSkin[] =
    LR"(<Window size="360,330">
<VerticalLayout name="root" bkcolor="#FFD0D8E0" inset="10,10,10,10" childpadding="4">
  <Edit name="name" width="200" height="30" text="Hello" textcolor="#FF000000" bordercolor="#FF808080" bordersize="1"/>
  <Edit name="secret" width="200" height="30" text="abcd" password="true" textcolor="#FF000000"/>
  <Edit name="stars" width="200" height="30" text="****" textcolor="#FF000000"/>
  <Edit name="digits" width="200" height="30" numberonly="true"/>
  <Edit name="short" width="200" height="30" maxchar="3"/>
  <Edit name="fixed" width="200" height="30" text="keep" readonly="true"/>
  <RichEdit name="licence" bkcolor="#FFFFFFFF" textcolor="#FF000000" textpadding="4,4,4,4" vscrollbar="true"
    multiline="true" readonly="true" text="Terms of use
Read them all
Then press the button"/>
</VerticalLayout></Window>)";

CEditUI* Edit(TestWindow& window, const wchar_t* name) {
  return static_cast<CEditUI*>(window.Find(name)->FindInterface(L"Edit"));
}

std::wstring WindowText(HWND window) {
  std::vector<wchar_t> text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1);
  ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return text.data();
}

RECT ClientRectOf(HWND child, HWND parent) {
  RECT r{};
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Clicks the edit and waits for its native window.
HWND OpenByClick(TestWindow& window, CEditUI* edit) {
  const RECT& r = edit->GetBounds();
  const int x = (r.left + r.right) / 2;
  const int y = (r.top + r.bottom) / 2;
  window.PostMouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  window.PostMouse(WM_LBUTTONUP, x, y);
  PumpUiUntil([&] { return edit->GetNativeWindow() != nullptr; });
  return edit->GetNativeWindow();
}

void PostChars(HWND native, const std::wstring& text) {
  for (wchar_t ch : text) ::PostMessageW(native, WM_CHAR, ch, 1);
}

TEST(Edit, AClickLaysTheNativeWindowOverTheTextRectangleWithTheText) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open(L"vx edit open"));
  CEditUI* edit = Edit(window, L"name");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->GetNativeWindow(), nullptr) << "painted by the framework until focused";
  HWND native = OpenByClick(window, edit);
  ASSERT_NE(native, nullptr);
  wchar_t className[32] = {};
  ::GetClassNameW(native, className, 32);
  EXPECT_STREQ(className, L"EditWnd");
  EXPECT_TRUE(::IsWindowVisible(native));
  EXPECT_EQ(::GetParent(native), window.GetHWND());
  const RECT expected = edit->GetNativeRect();
  const RECT actual = ClientRectOf(native, window.GetHWND());
  EXPECT_TRUE(::EqualRect(&expected, &actual))
      << actual.left << "," << actual.top << "," << actual.right << "," << actual.bottom;
  EXPECT_EQ(expected.left, edit->GetBounds().left + 4) << "the default text padding";
  EXPECT_EQ(WindowText(native), L"Hello");
  EXPECT_EQ(::GetFocus(), native);
  EXPECT_EQ(window.GetManager().GetFocus(), edit);
  EXPECT_EQ(window.GetManager().FindNativeWindowControl(native), edit);
  EXPECT_EQ(::GetWindowLongW(native, GWL_STYLE) & ES_PASSWORD, 0);
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Edit, TheNativeWindowFollowsTheEditAndHidesOverAnEmptyTextRectangle) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open(L"vx edit bounds"));
  CEditUI* edit = Edit(window, L"name");
  HWND native = OpenByClick(window, edit);
  ASSERT_NE(native, nullptr);
  edit->SetBounds({40, 200, 240, 236}, false);
  RECT expected = edit->GetNativeRect();
  RECT actual = ClientRectOf(native, window.GetHWND());
  EXPECT_TRUE(::EqualRect(&expected, &actual)) << actual.left << "," << actual.top;
  edit->MoveBy(10, 5, false);
  expected = edit->GetNativeRect();
  actual = ClientRectOf(native, window.GetHWND());
  EXPECT_EQ(actual.left, 54);
  EXPECT_TRUE(::EqualRect(&expected, &actual)) << actual.left << "," << actual.top;
  edit->SetBounds({40, 200, 46, 236}, false);  // narrower than the padding
  EXPECT_FALSE(::IsWindowVisible(native));
  edit->SetBounds({40, 200, 240, 236}, false);
  EXPECT_TRUE(::IsWindowVisible(native));
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Edit, TypedTextFlowsBackWithTextChangedAndReturnIsSentAsReturn) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open(L"vx edit typing"));
  CEditUI* edit = Edit(window, L"name");
  HWND native = OpenByClick(window, edit);
  ASSERT_NE(native, nullptr);
  PostChars(native, L"xy");
  ASSERT_TRUE(PumpUiUntil([&] { return std::wstring(edit->GetText().GetData()) == L"Helloxy"; }));
  EXPECT_EQ(window.log.Count(L"textchanged"), 2);
  EXPECT_EQ(window.log.notifications.back(), L"textchanged:name:0:0");
  ::PostMessageW(native, WM_KEYDOWN, VK_RETURN, 1);
  ::PostMessageW(native, WM_CHAR, L'\r', 1);
  ASSERT_TRUE(PumpUiUntil([&] { return window.log.Count(L"return") == 1; }));
  PumpUiFor(50);
  EXPECT_EQ(WindowText(native), L"Helloxy") << "Return puts nothing into the text";
  EXPECT_EQ(window.log.Count(L"textchanged"), 2);
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Edit, LosingTheFocusClosesTheNativeWindowAndTheTextStays) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open(L"vx edit kill focus"));
  CEditUI* edit = Edit(window, L"name");
  HWND native = OpenByClick(window, edit);
  ASSERT_NE(native, nullptr);
  PostChars(native, L"!");
  ASSERT_TRUE(PumpUiUntil([&] { return window.log.Count(L"textchanged") == 1; }));
  ::SetFocus(window.GetHWND());
  ASSERT_TRUE(PumpUiUntil([&] { return !::IsWindow(native); }));
  EXPECT_EQ(edit->GetNativeWindow(), nullptr);
  EXPECT_EQ(window.GetManager().FindNativeWindowControl(native), nullptr) << "unregistered";
  EXPECT_STREQ(edit->GetText().GetData(), L"Hello!");
  // Clicking the still focused edit opens a new window with the text.
  HWND again = OpenByClick(window, edit);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(WindowText(again), L"Hello!");
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Edit, TheEditsOptionsRuleWhatTypingDoes) {
  struct Case {
    const wchar_t* name;
    const wchar_t* typed;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"digits", L"1a2b", L"12"},  // number-only refuses letters
      {L"short", L"abcd", L"abc"},  // maxchar 3
      {L"fixed", L"xy", L"keep"},   // read-only
  };
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open(L"vx edit options"));
  for (const Case& c : cases) {
    CEditUI* edit = Edit(window, c.name);
    edit->SetFocus();
    ASSERT_TRUE(PumpUiUntil([&] { return edit->GetNativeWindow() != nullptr; })) << c.name;
    HWND native = edit->GetNativeWindow();
    PostChars(native, c.typed);
    PumpUiFor(100);
    EXPECT_EQ(WindowText(native), c.expected) << c.name;
    EXPECT_STREQ(edit->GetText().GetData(), c.expected) << c.name;
  }
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Edit, SetTextAndTheSettersReachALiveNativeWindow) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open(L"vx edit set text"));
  CEditUI* edit = Edit(window, L"name");
  HWND native = OpenByClick(window, edit);
  ASSERT_NE(native, nullptr);
  edit->SetText(L"Replaced");
  EXPECT_EQ(WindowText(native), L"Replaced");
  edit->SetMaxChar(9);
  PostChars(native, L"abc");
  PumpUiFor(100);
  EXPECT_STREQ(edit->GetText().GetData(), L"Replaceda") << "the new limit holds";
  edit->SetReadOnly(true);
  EXPECT_NE(::GetWindowLongW(native, GWL_STYLE) & ES_READONLY, 0);
  edit->SetPassword(true);
  EXPECT_EQ(::SendMessageW(native, EM_GETPASSWORDCHAR, 0, 0), L'*');
  EXPECT_TRUE(window.CloseAndWait());
}

// Dark pixels of each row of rect, as a pattern of the text drawn there.
std::vector<int> TextPattern(const vxtest::Surface& surface, const RECT& rect) {
  std::vector<int> rows;
  for (int y = rect.top; y < rect.bottom; ++y) {
    int dark = 0;
    for (int x = rect.left; x < rect.right; ++x) dark += (surface.At(x, y) & 0xFF) < 0xC0 ? 1 : 0;
    rows.push_back(dark);
  }
  return rows;
}

TEST(Edit, APasswordEditPaintsOneStarPerCharacterWhileUnfocused) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open(L"vx edit password"));
  vxtest::Surface surface(360, 330, 0xFF000000);
  window.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
  ::GdiFlush();
  const std::vector<int> secret = TextPattern(surface, Edit(window, L"secret")->GetNativeRect());
  const std::vector<int> stars = TextPattern(surface, Edit(window, L"stars")->GetNativeRect());
  int inked = 0;
  for (int row : secret) inked += row;
  EXPECT_GT(inked, 10) << "something is drawn";
  EXPECT_EQ(secret, stars) << "\"abcd\" in password mode looks like \"****\"";
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Edit, DefaultsAndTheHeightFromTheFont) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open(L"vx edit measure"));
  CEditUI* edit = Edit(window, L"name");
  const RECT padding = edit->GetTextPadding();
  EXPECT_EQ(padding.left, 4);
  EXPECT_EQ(padding.top, 3);
  EXPECT_EQ(padding.right, 4);
  EXPECT_EQ(padding.bottom, 3);
  EXPECT_EQ(edit->GetBkColor(), 0xFFFFFFFFu);
  EXPECT_EQ(edit->GetMaxChar(), 255);
  EXPECT_EQ(edit->GetPasswordChar(), L'*');
  EXPECT_STREQ(edit->GetTypeName(), L"Edit");
  EXPECT_NE(edit->FindInterface(L"Label"), nullptr);
  edit->SetAssignedHeight(0);
  const int textHeight = window.GetManager().GetFontInfo(-1)->metrics.tmHeight;
  const SIZE size = edit->Measure({300, 300});
  EXPECT_EQ(size.cx, 200);
  EXPECT_EQ(size.cy, textHeight + 8);
  EXPECT_TRUE(window.CloseAndWait());
}

// A pixel of the native window printed into a surface of its size; a
// negative x counts from the right edge.
uint32_t PrintedPixel(HWND native, int x, int y) {
  RECT r{};
  ::GetClientRect(native, &r);
  vxtest::Surface surface(r.right, r.bottom, 0xFF000000);
  ::SendMessageW(native, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT | PRF_ERASEBKGND);
  ::GdiFlush();
  return surface.At(x < 0 ? r.right + x : x, y);
}

TEST(Edit, TheNativeWindowPaintsOnItsOwnColourOrThroughATranslucentOneOnTheControlsBackground) {
  constexpr wchar_t kColours[] =
      LR"(<Window size="300,120">
<VerticalLayout bkcolor="#FFD0D8E0">
  <Edit name="green" height="30" text="a" nativebkcolor="#FF00FF00"/>
  <Edit name="through" height="30" text="a" bkcolor="#FFFF0000" nativebkcolor="#00000000"/>
  <Control/>
</VerticalLayout></Window>)";
  struct Case {
    const wchar_t* name;
    uint32_t rgb;
  };
  const Case cases[] = {{L"green", 0x00FF00}, {L"through", 0xFF0000}};
  TestWindow window(kColours);
  ASSERT_TRUE(window.Open(L"vx edit colours"));
  for (const Case& c : cases) {
    CEditUI* edit = Edit(window, c.name);
    edit->SetFocus();
    ASSERT_TRUE(PumpUiUntil([&] { return edit->GetNativeWindow() != nullptr; })) << c.name;
    const uint32_t pixel = PrintedPixel(edit->GetNativeWindow(), -5, 12);
    EXPECT_TRUE(vxtest::Near(pixel, c.rgb, 0, false)) << std::wstring(c.name) << " " << vxtest::Hex(pixel);
  }
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Edit, OnALayeredWindowTheCaretIsDrawnByHandInTheCaretColour) {
  constexpr wchar_t kLayered[] =
      LR"(<Window size="300,120">
<VerticalLayout bkcolor="#FFD0D8E0">
  <Edit name="field" height="30" text="abc" caretcolor="#FF0000FF"/>
  <Control/>
</VerticalLayout></Window>)";
  TestWindow window(kLayered);
  ASSERT_TRUE(window.Open(L"vx edit layered"));
  window.GetManager().SetLayered(true);
  ASSERT_TRUE(window.GetManager().IsLayered());
  CEditUI* edit = Edit(window, L"field");
  edit->SetFocus();
  ASSERT_TRUE(PumpUiUntil([&] { return edit->GetNativeWindow() != nullptr; }));
  HWND native = edit->GetNativeWindow();
  POINT caret{};
  // The hand-drawn caret blinks: it is seen within a few blink periods.
  const bool seen = PumpUiUntil(
      [&] {
        ::GetCaretPos(&caret);
        return vxtest::Near(PrintedPixel(native, caret.x, caret.y + 2), 0x0000FF, 0, false);
      },
      3000);
  EXPECT_TRUE(seen) << "caret at " << caret.x << "," << caret.y;
  EXPECT_GT(caret.x, 0) << "the caret stands after the text";
  window.GetManager().SetLayered(false);
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Edit, TheStateImageFollowsHotFocusedAndDisabledWithTheStandardStripAsFallback) {
  // A strip of four 10 x 10 frames: normal, hot, focused, disabled.
  const uint32_t frames[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF808080};
  std::vector<uint32_t> strip(40 * 10);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 40; ++x) strip[static_cast<size_t>(y) * 40 + x] = frames[x / 10];
  }
  vxtest::ImageFolder images;
  const std::wstring path = images.Write(L"strip", 40, 10, strip);
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open(L"vx edit states"));
  CEditUI* edit = Edit(window, L"short");
  edit->SetImage(SkinUI::EditImage::kStandard, (L"file='" + path + L"'").c_str());
  const RECT& r = edit->GetBounds();
  auto cornerPixel = [&] {
    vxtest::Surface surface(360, 330, 0xFF000000);
    window.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
    ::GdiFlush();
    return surface.At(r.left + 1, r.top + 1);  // inside the text padding, beside any native window
  };
  EXPECT_TRUE(vxtest::Near(cornerPixel(), frames[0], 0, false)) << vxtest::Hex(cornerPixel());
  window.PostMouse(WM_MOUSEMOVE, r.left + 5, r.top + 5);
  ASSERT_TRUE(PumpUiUntil([&] { return (edit->GetEditState() & SkinUI::kStateHot) != 0; }));
  EXPECT_TRUE(vxtest::Near(cornerPixel(), frames[1], 0, false)) << vxtest::Hex(cornerPixel());
  edit->SetFocus();
  ASSERT_TRUE(PumpUiUntil([&] { return edit->GetNativeWindow() != nullptr; }));
  EXPECT_TRUE(vxtest::Near(cornerPixel(), frames[2], 0, false)) << vxtest::Hex(cornerPixel());
  edit->SetEnabled(false);
  EXPECT_TRUE(vxtest::Near(cornerPixel(), frames[3], 0, false)) << vxtest::Hex(cornerPixel());
  window.PostMouse(WM_MOUSEMOVE, 300, 20);
  PumpUiFor(100);
  EXPECT_NE(edit->GetEditState() & SkinUI::kStateHot, 0u) << "a disabled edit keeps its hot bit, as buttons do";
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Edit, AScreenshotShowsTheEditsAndTheLicenceBox) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open(L"vx edit screenshot", 120, 80));
  CEditUI* edit = Edit(window, L"name");
  ASSERT_NE(OpenByClick(window, edit), nullptr);
  PostChars(edit->GetNativeWindow(), L" world");
  ASSERT_TRUE(PumpUiUntil([&] { return window.log.Count(L"textchanged") == 6; }));
  PumpUiFor(100);
  vxtest::Screenshot shot;
  ASSERT_TRUE(vxtest::CaptureScreen(std::string(VX_SCREENSHOT_DIR "/edit_window.ppm"), &shot));
  POINT origin{0, 0};
  ::ClientToScreen(window.GetHWND(), &origin);
  // The window's background beside the edits, and the edits' white.
  EXPECT_EQ(shot.At(origin.x + 300, origin.y + 20), 0xD0D8E0u) << vxtest::Hex(shot.At(origin.x + 300, origin.y + 20));
  const RECT secret = Edit(window, L"secret")->GetBounds();
  EXPECT_EQ(shot.At(origin.x + secret.right - 3, origin.y + secret.top + 3), 0xFFFFFFu);
  const RECT licence = window.Find(L"licence")->GetBounds();
  EXPECT_EQ(shot.At(origin.x + licence.right - 20, origin.y + licence.bottom - 5), 0xFFFFFFu);
  EXPECT_TRUE(window.CloseAndWait());
}

}  // namespace
