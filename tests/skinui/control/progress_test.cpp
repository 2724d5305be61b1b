#include "skinui/control/progress_ui.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/skinui/control/control_test_support.h"

namespace {

using SkinUI::CProgressUI;
using vxtest::TestWindow;

constexpr uint32_t kFore = 0xFF2020E0;

// Columns (horizontal) or rows (vertical) of the bar painted in the fore colour.
int FilledCount(const vxtest::Surface& surface, const RECT& bar, bool horizontal) {
  int count = 0;
  const int length = horizontal ? bar.right - bar.left : bar.bottom - bar.top;
  for (int i = 0; i < length; ++i) {
    const int x = horizontal ? bar.left + i : (bar.left + bar.right) / 2;
    const int y = horizontal ? (bar.top + bar.bottom) / 2 : bar.top + i;
    count += (surface.At(x, y) & 0xFFFFFF) == (kFore & 0xFFFFFF) ? 1 : 0;
  }
  return count;
}

TEST(Progress, TheForeImageIsStretchedOverTheFilledPart) {
  struct Case {
    const wchar_t* attributes;
    bool horizontal;
    int filled;
    int firstFilled;  // the first filled column or row, -1 for none
  } cases[] = {
      {L"value=\"0\"", true, 0, -1},
      {L"value=\"50\"", true, 100, 0},
      {L"value=\"100\"", true, 200, 0},
      {L"value=\"150\"", true, 200, 0},
      {L"min=\"20\" max=\"120\" value=\"70\"", true, 100, 0},
      // The value comes before the limits: equal limits paint as a maximum one above them.
      {L"value=\"50\" min=\"5\" max=\"5\"", true, 200, 0},
      {L"hor=\"false\" value=\"25\"", false, 25, 75},
      {L"hor=\"false\" value=\"100\"", false, 100, 0},
  };
  vxtest::ImageFolder images;
  const std::wstring fore = vxtest::SolidImage(images, L"fore", 4, 4, kFore);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.attributes));
    const wchar_t* size = c.horizontal ? L"width=\"200\" height=\"12\"" : L"width=\"12\" height=\"100\"";
    TestWindow window(std::wstring(LR"(<Window size="240,140"><VerticalLayout bkcolor="#FFFFFFFF">)") +
                      L"<Progress name=\"p\" " + size + L" foreimage=\"" + fore + L"\" " + c.attributes +
                      L"/></VerticalLayout></Window>");
    ASSERT_TRUE(window.Open());
    vxtest::Surface surface(240, 140);
    vxtest::PrintWindow(window, surface);
    const RECT bar = window.Find(L"p")->GetBounds();
    ASSERT_EQ(bar.right - bar.left, c.horizontal ? 200 : 12);
    EXPECT_EQ(FilledCount(surface, bar, c.horizontal), c.filled);
    if (c.firstFilled >= 0) {
      const int x = c.horizontal ? bar.left + c.firstFilled : bar.left + 6;
      const int y = c.horizontal ? bar.top + 6 : bar.top + c.firstFilled;
      EXPECT_EQ(surface.At(x, y) & 0xFFFFFF, kFore & 0xFFFFFF);
    }
    EXPECT_TRUE(window.CloseAndWait());
  }
}

TEST(Progress, ValuesAreClampedAndTheBarIsTwelvePixelsHigh) {
  CProgressUI progress;
  EXPECT_EQ(progress.GetAssignedHeight(), 12);
  EXPECT_EQ(progress.GetTextStyle(), static_cast<UINT>(DT_SINGLELINE | DT_CENTER));
  struct Case {
    int value;
    int stored;
  } cases[] = {{-5, 0}, {0, 0}, {42, 42}, {100, 100}, {150, 100}};
  for (const Case& c : cases) {
    progress.SetValue(c.value);
    EXPECT_EQ(progress.GetValue(), c.stored) << c.value;
  }
  progress.SetMinimum(5);
  progress.SetMaximum(5);
  progress.SetValue(9);
  EXPECT_EQ(progress.GetValue(), 5);
  EXPECT_EQ(progress.FilledPart(60, 10).right, 0) << "value 5 of 5..6";
}

TEST(Progress, TheForeColourFillsTheFilledPart) {
  TestWindow window(
      LR"(<Window size="240,40"><VerticalLayout bkcolor="#FFFFFFFF">
    <Progress name="p" width="200" forecolor="#FF2020E0" value="30"/></VerticalLayout></Window>)");
  ASSERT_TRUE(window.Open());
  vxtest::Surface surface(240, 40);
  vxtest::PrintWindow(window, surface);
  EXPECT_EQ(FilledCount(surface, window.Find(L"p")->GetBounds(), true), 60);
  EXPECT_TRUE(window.CloseAndWait());
}

}  // namespace
