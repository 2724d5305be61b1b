// The exit question over a real owner window: its texts and images, the
// owner disabled while it is open, No and the close button keep the
// installer, Yes sends the cancellation before the quit, and a second
// question replaces the first.
#include "ui/exit_message_box.h"

#include <gtest/gtest.h>

#include <string>

#include "skinui/core/resources/lang_text.h"
#include "tests/skinui/render/render_test_support.h"

#include "tests/ui/message_box_test_support.h"

namespace {

using vxtest::BoxControl;
using vxtest::FindBox;

constexpr wchar_t kExitClass[] = L"vdbox";

class ExitBoxTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(owner_.Open(L"vx exit owner", 120, 80)); }
  void TearDown() override { EXPECT_TRUE(owner_.CloseAndWait()); }

  // Shows the question and returns its window.
  HWND Show() {
    ShowExitBox(owner_.GetHWND());
    return FindBox(kExitClass, owner_.GetHWND());
  }

  vxtest::OwnerWindow owner_;
};

TEST_F(ExitBoxTest, ShowsTheQuestionOverADisabledOwner) {
  HWND box = Show();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(::IsWindowVisible(box));
  EXPECT_FALSE(::IsWindowEnabled(owner_.GetHWND()));
  struct Text {
    const wchar_t* control;
    const char* key;
  } texts[] = {{L"titlelabel", "noice"}, {L"descriptlabel", "exit"}, {L"btnLeft", "Yes"}, {L"btnRight", "No"}};
  for (const Text& t : texts) {
    ASSERT_NE(BoxControl(box, t.control), nullptr) << t.control;
    EXPECT_STREQ(BoxControl(box, t.control)->GetText().GetData(), SkinUI::LangText(t.key)) << t.control;
  }
  vxtest::PumpUiFor(300);
  vxtest::Screenshot shot;
  ASSERT_TRUE(vxtest::CaptureBoxScreen("exit_box.ppm", &shot));
  // The answers wear two different images, and neither is the bare card.
  auto pixelNearRightEdge = [&](const wchar_t* control, int dy) {
    const RECT& bounds = BoxControl(box, control)->GetBounds();
    POINT at{bounds.right - 4, (bounds.top + bounds.bottom) / 2 + dy};  // clear of the text
    ::ClientToScreen(box, &at);
    return shot.At(at.x, at.y);
  };
  const uint32_t yes = pixelNearRightEdge(L"btnLeft", 0);
  const uint32_t no = pixelNearRightEdge(L"btnRight", 0);
  const uint32_t card = pixelNearRightEdge(L"btnRight", -24);
  EXPECT_NE(yes, no) << vxtest::Hex(yes);
  EXPECT_NE(yes, card) << vxtest::Hex(card);
  EXPECT_NE(no, card) << vxtest::Hex(card);
  ASSERT_TRUE(vxtest::ClickBoxControl(box, L"btnRight"));
  EXPECT_TRUE(vxtest::PumpUntilGone(box));
}

// No and the close button only take the question away.
TEST_F(ExitBoxTest, NoAndTheCloseButtonKeepTheOwner) {
  for (const wchar_t* button : {L"btnRight", L"closebtn"}) {
    SCOPED_TRACE(testing::Message() << std::wstring(button));
    ::ShowWindow(owner_.GetHWND(), SW_HIDE);
    HWND box = Show();
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(vxtest::ClickBoxControl(box, button));
    ASSERT_TRUE(vxtest::PumpUntilGone(box));
    EXPECT_TRUE(::IsWindowEnabled(owner_.GetHWND()));
    EXPECT_TRUE(::IsWindowVisible(owner_.GetHWND()));
    EXPECT_FALSE(vxtest::PumpUntilQuit(300));
  }
  EXPECT_TRUE(vxtest::readRecords(vxtest::BoxLoopback(), vxtest::BoxCollectorPrefix()).empty());
}

TEST_F(ExitBoxTest, YesSendsTheCancellationThenQuits) {
  HWND box = Show();
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(vxtest::ClickBoxControl(box, L"btnLeft"));
  ASSERT_TRUE(vxtest::PumpUntilQuit());
  // The post ended before the quit was asked for: no waiting here.
  auto records = vxtest::readRecords(vxtest::BoxLoopback(), vxtest::BoxCollectorPrefix());
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].path, vxtest::BoxCollectorPrefix() + "/mp/collect");
  EXPECT_NE(records[0].body.find("\"name\":\"ad_useCancel\""), std::string::npos) << records[0].body;
  EXPECT_NE(records[0].body.find("\"event_label\":\"2033\""), std::string::npos) << records[0].body;
  EXPECT_TRUE(vxtest::PumpUntilGone(box));
  EXPECT_TRUE(::IsIconic(owner_.GetHWND()));
}

// The offer popup's close button may ask again while the question is open.
TEST_F(ExitBoxTest, EachNewQuestionReplacesTheOpenOneAndKeepsTheOwnerDisabled) {
  HWND open = Show();
  ASSERT_NE(open, nullptr);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    ShowExitBox(owner_.GetHWND());
    ASSERT_TRUE(vxtest::PumpUntilGone(open));
    EXPECT_EQ(vxtest::CountBoxes(kExitClass, owner_.GetHWND()), 1);
    EXPECT_FALSE(::IsWindowEnabled(owner_.GetHWND()));
    open = FindBox(kExitClass, owner_.GetHWND());
    ASSERT_NE(open, nullptr);
  }
  ASSERT_TRUE(vxtest::ClickBoxControl(open, L"btnRight"));
  ASSERT_TRUE(vxtest::PumpUntilGone(open));
  EXPECT_TRUE(::IsWindowEnabled(owner_.GetHWND()));
}

}  // namespace
