#include "skinui/control/text_ui.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "skinui/core/window/manager_ui.h"
#include "tests/skinui/control/control_test_support.h"

namespace {

using SkinUI::CTextUI;
using vxtest::PumpUiFor;
using vxtest::PumpUiUntil;
using vxtest::TestWindow;

constexpr wchar_t kSkin[] =
    LR"(<Window size="320,60"><VerticalLayout name="root" bkcolor="#FFFFFFFF">
  <Text name="t" height="30" showhtml="true" align="left" text="see <a first>one</a> and <a second>two</a> here"/>
  <Control name="rest"/>
</VerticalLayout></Window>)";

CTextUI* TextOf(TestWindow& window) { return static_cast<CTextUI*>(window.Find(L"t")); }

POINT LinkCentre(CTextUI* text, int index) {
  // The link rectangles of the last painting.
  for (int x = text->GetBounds().left; x < text->GetBounds().right; ++x) {
    for (int y = text->GetBounds().top; y < text->GetBounds().bottom; ++y) {
      if (text->LinkAt({x, y}) != index) continue;
      int right = x;
      while (text->LinkAt({right + 1, y}) == index) ++right;
      return {(x + right) / 2, y + 2};
    }
  }
  return {-1, -1};
}

TEST(Text, AClickOnALinkSendsLinkWithItsIndex) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  CTextUI* text = TextOf(window);
  ASSERT_TRUE(PumpUiUntil([&] { return text->GetLinkCount() == 2; }));
  EXPECT_EQ(text->GetLinkTarget(0), L"first");
  EXPECT_EQ(text->GetLinkTarget(1), L"second");
  struct Case {
    int link;  // -1: the plain words before the first link
    const wchar_t* sent;
  } cases[] = {{1, L"link:t:1:0"}, {0, L"link:t:0:0"}, {-1, nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.link);
    const POINT at = c.link >= 0 ? LinkCentre(text, c.link) : POINT{text->GetBounds().left + 3, 15};
    ASSERT_GE(at.x, 0);
    ASSERT_EQ(text->LinkAt(at), c.link);
    const size_t before = window.log.notifications.size();
    window.PostMouse(WM_LBUTTONDOWN, at.x, at.y, MK_LBUTTON);
    window.PostMouse(WM_LBUTTONUP, at.x, at.y);
    PumpUiFor(100);
    const int links = window.log.Count(L"link");
    if (c.sent == nullptr) {
      EXPECT_EQ(window.log.notifications.size() - before, 0u);
      continue;
    }
    ASSERT_GT(window.log.notifications.size(), before);
    EXPECT_EQ(window.log.notifications.back(), c.sent);
    EXPECT_GE(links, 1);
  }
  EXPECT_EQ(window.log.Count(L"link"), 2);
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Text, TheHandCursorShowsOverALinkOnly) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open(L"vx text cursor"));
  CTextUI* text = TextOf(window);
  ASSERT_TRUE(PumpUiUntil([&] { return text->GetLinkCount() == 2; }));
  const HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
  struct Case {
    POINT at;
    bool hand;
  } cases[] = {{LinkCentre(text, 0), true}, {{text->GetBounds().left + 3, 15}, false}, {LinkCentre(text, 1), true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.at.x << "," << c.at.y);
    ASSERT_TRUE(vxtest::MoveMouseTo(window, c.at));
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    window.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(window.GetHWND()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor() == hand, c.hand);
  }
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Text, AHoveredLinkIsDrawnInTheHoverColour) {
  TestWindow window(kSkin);
  ASSERT_TRUE(window.Open());
  CTextUI* text = TextOf(window);
  SkinUI::CManagerUI& manager = window.GetManager();
  manager.SetDefaultLinkFontColor(0xFF0000FF);
  manager.SetDefaultLinkHoverFontColor(0xFFFF0000);
  vxtest::Surface surface(320, 60);
  // Anti-aliased glyphs: a pixel counts as red or blue when that channel clearly leads.
  auto count = [&](int channel) {
    vxtest::PrintWindow(window, surface);
    int found = 0;
    for (int y = 0; y < surface.height(); ++y) {
      for (int x = 0; x < surface.width(); ++x) {
        const uint32_t p = surface.At(x, y);
        const int lead = static_cast<int>((p >> channel) & 0xFF) - static_cast<int>((p >> (16 - channel)) & 0xFF);
        found += lead > 100 ? 1 : 0;
      }
    }
    return found;
  };
  constexpr int kRed = 16;
  constexpr int kBlue = 0;
  ASSERT_TRUE(PumpUiUntil([&] { return text->GetLinkCount() == 2; }));
  ASSERT_TRUE(vxtest::HoverOver(window, L"rest"));
  EXPECT_EQ(count(kRed), 0);
  const int blueBefore = count(kBlue);
  EXPECT_GT(blueBefore, 5) << "both links in the link colour";
  ASSERT_TRUE(vxtest::MoveMouseTo(window, LinkCentre(text, 1)));
  EXPECT_GT(count(kRed), 5) << "the hovered link";
  EXPECT_LT(count(kBlue), blueBefore);
  EXPECT_TRUE(window.CloseAndWait());
}

}  // namespace
