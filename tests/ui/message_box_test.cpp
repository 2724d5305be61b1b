// The generic message boxes over a real owner window: the buttons made at
// run time between the row's spacers, their actions, the close action, one
// box per message, the owner disabled while a box is open, and a screenshot.
#include <gtest/gtest.h>

#include <string>

#include "skinui/control/label_ui.h"
#include "skinui/core/resources/lang_text.h"
#include "skinui/layout/container_interface.h"
#include "tests/skinui/render/render_test_support.h"
#include "tests/ui/message_box_test_support.h"
#include "ui/box_keys.h"
#include "ui/message_box_icons.h"
#include "ui/message_boxes.h"
#include "ui/selection_ui.h"

namespace {

using vxtest::BoxControl;
using vxtest::FindBox;

constexpr wchar_t kBoxClass[] = L"MessageBox";

TEST(IconForKind, NoticeForTheFirstThreeKindsSuccessForTheFourthNoneElse) {
  struct Case {
    int kind;
    const wchar_t* file;
  } cases[] = {{-1, L""},
               {0, L"common/msg_noice48.png"},
               {1, L"common/msg_noice48.png"},
               {2, L"common/msg_noice48.png"},
               {3, L"common/msg_ok48.png"},
               {4, L""}};
  for (const Case& c : cases) EXPECT_EQ(msg::IconForKind(c.kind), c.file) << c.kind;
}

TEST(BoxKeys, AKeyIsTakenUntilItIsReleased) {
  EXPECT_TRUE(msg::TryRegisterBoxKey(L"key a"));
  EXPECT_FALSE(msg::TryRegisterBoxKey(L"key a"));
  EXPECT_TRUE(msg::TryRegisterBoxKey(L"Key a"));  // case counts
  msg::ReleaseBoxKey(L"key a");
  EXPECT_TRUE(msg::TryRegisterBoxKey(L"key a"));
  msg::ReleaseBoxKey(L"key a");
  msg::ReleaseBoxKey(L"Key a");
}

TEST(SelectionUI, TheLookFollowsThePrimaryFlag) {
  struct Case {
    bool primary;
    DWORD textColor;
  } cases[] = {{true, 0xFF000000}, {false, 0xFF17171A}};
  for (const Case& c : cases) {
    msg::CSelectionUI button(MakeBoxButton(L"<b>Go</b>", nullptr, c.primary));
    EXPECT_EQ(button.FindInterface(L"Selection"), &button);
    EXPECT_EQ(button.FindInterface(L"Button"), &button);
    EXPECT_EQ(button.FindInterface(L"selection"), nullptr);
    EXPECT_EQ(button.IsPrimary(), c.primary);
    EXPECT_EQ(button.GetTextColor(), c.textColor);
    EXPECT_STREQ(button.GetText().GetData(), L"<b>Go</b>");
    EXPECT_EQ(button.GetAssignedHeight(), 30);
    EXPECT_EQ(button.GetMinWidth(), 90);
    EXPECT_EQ(button.GetFont(), 1);
    EXPECT_TRUE(button.IsShowHtml());
    EXPECT_EQ(button.GetTextPadding().left, 20);
    EXPECT_EQ(button.GetTextPadding().right, 20);
    EXPECT_EQ(button.GetPadding().left, 10);
    EXPECT_EQ(button.GetPadding().right, 10);
    EXPECT_NE(button.GetInputFlags() & SkinUI::kInputSetCursor, 0u);  // the hand cursor
  }
}

class MessageBoxTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(owner_.Open(L"vx message box owner", 140, 90)); }
  void TearDown() override {
    EXPECT_EQ(vxtest::CountBoxes(kBoxClass, owner_.GetHWND()), 0);
    EXPECT_TRUE(owner_.CloseAndWait());
  }

  HWND Box() const { return FindBox(kBoxClass, owner_.GetHWND()); }

  // The names or texts of the children of the row "bottombar", left to right.
  static std::vector<std::wstring> RowTexts(HWND box) {
    auto* row = static_cast<SkinUI::IContainerUI*>(BoxControl(box, L"bottombar")->FindInterface(L"IContainer"));
    std::vector<std::wstring> texts;
    for (int i = 0; i < row->GetCount(); ++i) {
      SkinUI::CControlUI* child = row->GetChildAt(i);
      texts.push_back(child->FindInterface(L"Selection") != nullptr ? child->GetText().GetData() : L"spacer");
    }
    return texts;
  }

  static SkinUI::CControlUI* RowChild(HWND box, int index) {
    return static_cast<SkinUI::IContainerUI*>(BoxControl(box, L"bottombar")->FindInterface(L"IContainer"))
        ->GetChildAt(index);
  }

  // Once the box is laid out, posts a left press and release at the centre of the row's child at index.
  static void ClickRowChild(HWND box, int index) {
    SkinUI::CControlUI* child = RowChild(box, index);
    ASSERT_TRUE(vxtest::PumpUiUntil([child] { return child->GetWidth() > 0; }));
    const RECT& b = child->GetBounds();
    const LPARAM at = MAKELPARAM((b.left + b.right) / 2, (b.top + b.bottom) / 2);
    ::PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(box, WM_LBUTTONUP, 0, at);
  }

  vxtest::OwnerWindow owner_;
};

TEST_F(MessageBoxTest, TwoButtonsStandBetweenTheSpacersAndOnlyTheClickedOneActs) {
  int left = 0;
  int right = 0;
  ShowMessageBox2(owner_.GetHWND(), L"noice", L"download failed, try the browser?",
                  MakeBoxButton(
                      L"Yes", [&left] { ++left; }, true),
                  MakeBoxButton(
                      L"No", [&right] { ++right; }, false));
  HWND box = Box();
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(::IsWindowEnabled(owner_.GetHWND()));
  EXPECT_TRUE(::IsWindowVisible(box));
  const LONG_PTR exStyle = ::GetWindowLongPtrW(box, GWL_EXSTYLE);
  EXPECT_EQ(exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
  EXPECT_EQ(RowTexts(box), (std::vector<std::wstring>{L"spacer", L"Yes", L"No", L"spacer"}));
  vxtest::PumpUiFor(300);
  SkinUI::CControlUI* yes = RowChild(box, 1);
  SkinUI::CControlUI* no = RowChild(box, 2);
  EXPECT_LT(yes->GetBounds().right, no->GetBounds().left);
  // Centred: the spacers share what the buttons leave.
  const RECT& row = BoxControl(box, L"bottombar")->GetBounds();
  EXPECT_NEAR(yes->GetBounds().left - row.left, row.right - no->GetBounds().right, 2);
  EXPECT_STREQ(BoxControl(box, L"titlelabel")->GetText().GetData(), L"noice");
  EXPECT_STREQ(BoxControl(box, L"descriptlabel")->GetText().GetData(), L"download failed, try the browser?");
  EXPECT_STREQ(BoxControl(box, L"msgiconimage")->GetBackImage().description.GetData(), L"common/msg_noice48.png");

  vxtest::Screenshot shot;
  ASSERT_TRUE(vxtest::CaptureBoxScreen("message_box_two_buttons.ppm", &shot));
  // The primary and the other button wear different images, neither the bare card.
  auto pixelNearLeftEdge = [&](SkinUI::CControlUI* control, int dy) {
    POINT at{control->GetBounds().left + 3, (control->GetBounds().top + control->GetBounds().bottom) / 2 + dy};
    ::ClientToScreen(box, &at);
    return shot.At(at.x, at.y);
  };
  const uint32_t primary = pixelNearLeftEdge(yes, 0);
  const uint32_t other = pixelNearLeftEdge(no, 0);
  const uint32_t card = pixelNearLeftEdge(no, -24);
  EXPECT_NE(primary, other) << vxtest::Hex(primary);
  EXPECT_NE(primary, card) << vxtest::Hex(card);
  EXPECT_NE(other, card) << vxtest::Hex(card);

  ClickRowChild(box, 2);
  ASSERT_TRUE(vxtest::PumpUntilGone(box));
  EXPECT_EQ(left, 0);
  EXPECT_EQ(right, 1);
  EXPECT_TRUE(::IsWindowEnabled(owner_.GetHWND()));
}

TEST_F(MessageBoxTest, TheSameMessageIsNotOpenedTwiceUntilItsBoxIsClosed) {
  int first = 0;
  int second = 0;
  const std::wstring text = L"error_path";
  ShowMessageBox1(owner_.GetHWND(), L"error", text, MakeConfirmButton([&first] { ++first; }));
  ShowMessageBox1(owner_.GetHWND(), L"error", text, MakeConfirmButton([&second] { ++second; }));
  EXPECT_EQ(vxtest::CountBoxes(kBoxClass, owner_.GetHWND()), 1);
  HWND box = Box();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(RowTexts(box), (std::vector<std::wstring>{L"spacer", SkinUI::LangText("confirm"), L"spacer"}));
  ShowMessageBox1(owner_.GetHWND(), L"error", L"disk_notEnough", MakeConfirmButton());
  EXPECT_EQ(vxtest::CountBoxes(kBoxClass, owner_.GetHWND()), 2);  // another message has a box of its own
  ClickRowChild(box, 1);
  ASSERT_TRUE(vxtest::PumpUntilGone(box));
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 0);  // the refused box's action was dropped
  HWND other = Box();
  ASSERT_NE(other, nullptr);
  ClickRowChild(other, 1);
  ASSERT_TRUE(vxtest::PumpUntilGone(other));
  EXPECT_TRUE(::IsWindowEnabled(owner_.GetHWND()));

  ShowMessageBox1(owner_.GetHWND(), L"error", text, MakeConfirmButton([&second] { ++second; }));
  box = Box();
  ASSERT_NE(box, nullptr);
  ClickRowChild(box, 1);
  ASSERT_TRUE(vxtest::PumpUntilGone(box));
  EXPECT_EQ(second, 1);
}

TEST_F(MessageBoxTest, AButtonWithoutActionOnlyClosesItsBox) {
  ShowMessageBox1(owner_.GetHWND(), L"error", L"accept_protocol", MakeConfirmButton());
  HWND box = Box();
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(::IsWindowEnabled(owner_.GetHWND()));
  auto* confirm = static_cast<msg::CSelectionUI*>(RowChild(box, 1)->FindInterface(L"Selection"));
  ASSERT_NE(confirm, nullptr);
  EXPECT_TRUE(confirm->IsPrimary());
  ClickRowChild(box, 1);
  ASSERT_TRUE(vxtest::PumpUntilGone(box));
  EXPECT_TRUE(::IsWindowEnabled(owner_.GetHWND()));
}

TEST_F(MessageBoxTest, TheCloseButtonRunsTheCloseActionAndReleasesTheMessage) {
  int closed = 0;
  msg::IMessageBox* created = msg::CreateMessageBox(owner_.GetHWND(), L"common/xml_messagebox.xml");
  ASSERT_NE(created, nullptr);
  created->SetIcon(L"");
  created->SetTitle(L"noice");
  created->SetMessage(L"download_slowtip");
  created->SetCloseAction([&closed] { ++closed; });
  created->AddButton(MakeBoxButton(L"download_close", nullptr, false));
  created->AddRemoteButton(MakeBoxButton(L"remote", nullptr, true));
  HWND box = Box();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(RowTexts(box), (std::vector<std::wstring>{L"spacer", L"download_close", L"remote", L"spacer"}));
  EXPECT_FALSE(::IsWindowEnabled(owner_.GetHWND()));
  EXPECT_FALSE(BoxControl(box, L"msgiconimage")->IsVisible());
  auto* message = static_cast<SkinUI::CLabelUI*>(BoxControl(box, L"descriptlabel"));
  EXPECT_EQ(message->GetAssignedWidth(), 340);
  EXPECT_TRUE(message->IsMultiLine());
  EXPECT_TRUE(message->IsShowHtml());
  ASSERT_TRUE(vxtest::ClickBoxControl(box, L"closebtn"));
  ASSERT_TRUE(vxtest::PumpUntilGone(box));
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(::IsWindowEnabled(owner_.GetHWND()));
  EXPECT_TRUE(msg::TryRegisterBoxKey(L"download_slowtip"));
  msg::ReleaseBoxKey(L"download_slowtip");
}

}  // namespace
