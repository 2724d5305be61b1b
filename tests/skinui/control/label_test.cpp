#include "skinui/control/label_ui.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "skinui/control/gdiplus_session.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/render/render_ui.h"
#include "tests/skinui/control/control_test_support.h"

namespace {

using SkinUI::CLabelUI;
using SkinUI::CManagerUI;
using vxtest::PumpUiFor;
using vxtest::Surface;
using vxtest::TestWindow;

constexpr wchar_t kLabelSkin[] =
    LR"(<Window size="300,120">
<VerticalLayout name="root" bkcolor="#FFFFFFFF">
  <Label name="single" text="Hello" textpadding="18,6,0,0"/>
  <Label name="multi" text="one two three four five six seven eight" multiline="true" textpadding="4,3,6,5"/>
  <Label name="fixed" width="77" height="21" text="ignored for the size"/>
</VerticalLayout></Window>)";

CLabelUI* LabelOf(TestWindow& window, const wchar_t* name) { return static_cast<CLabelUI*>(window.Find(name)); }

// A font of the window whose text height is exactly height, or -1.
int FontOfHeight(CManagerUI& manager, int height) {
  for (int size = 8; size <= 40; ++size) {
    const int id = manager.FindOrAddFont(L"Tahoma", size, false, false, false);
    if (id >= 0 && manager.GetFontInfo(id)->metrics.tmHeight == height) return id;
  }
  return -1;
}

TEST(Label, ASingleLineWithoutFixedSizeMeasuresPaddingFontHeightAndTextWidth) {
  TestWindow window(kLabelSkin);
  ASSERT_TRUE(window.Open());
  CManagerUI& manager = window.GetManager();
  const int font = FontOfHeight(manager, 16);
  ASSERT_GE(font, 0) << "no font of text height 16";
  CLabelUI* label = LabelOf(window, L"single");
  label->SetFont(font);
  const SIZE size = label->Measure({300, 120});
  EXPECT_EQ(size.cy, 30) << "16 + 6 + 0 + 8";
  const SIZE text = SkinUI::CRenderUI::GetTextSize(nullptr, &manager, L"Hello", font, DT_SINGLELINE);
  ASSERT_GT(text.cx, 0);
  EXPECT_EQ(size.cx, 18 + text.cx);
  // A new text asks for a new estimate.
  label->SetText(L"Hello, wider");
  EXPECT_GT(label->Measure({300, 120}).cx, size.cx);
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Label, MultiLineTakesTheOfferedWidthAndWrapsWithinItsPadding) {
  TestWindow window(kLabelSkin);
  ASSERT_TRUE(window.Open());
  CLabelUI* label = LabelOf(window, L"multi");
  const int line = window.GetManager().GetFontInfo(-1)->metrics.tmHeight;
  const SIZE narrow = label->Measure({80, 400});
  EXPECT_EQ(narrow.cx, 80);
  const int narrowText = narrow.cy - 3 - 5;
  EXPECT_EQ(narrowText % line, 0) << "whole lines: " << narrowText << " / " << line;
  EXPECT_GE(narrowText / line, 3);
  // Another width on offer is measured again: fewer lines.
  const SIZE wide = label->Measure({1000, 400});
  EXPECT_EQ(wide.cx, 1000);
  EXPECT_EQ(wide.cy, 3 + 5 + line);
  EXPECT_EQ(label->Measure({80, 400}).cy, narrow.cy);
  // A fixed width is the width the lines wrap in, whatever is on offer.
  label->SetAssignedWidth(80);
  EXPECT_EQ(label->Measure({1000, 400}).cy, narrow.cy);
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Label, FixedSizeIsReturnedAndExtraWidthLimitsApply) {
  TestWindow window(kLabelSkin);
  ASSERT_TRUE(window.Open());
  EXPECT_EQ(LabelOf(window, L"fixed")->Measure({300, 120}).cx, 77);
  EXPECT_EQ(LabelOf(window, L"fixed")->Measure({300, 120}).cy, 21);
  CLabelUI* label = LabelOf(window, L"single");
  const int natural = label->Measure({300, 120}).cx;
  struct Case {
    const wchar_t* attribute;
    const wchar_t* value;
    int width;
  } cases[] = {
      {L"minwidthex", L"200", 200},
      {L"minwidthex", L"1", natural},
      {L"maxwidthex", L"10", 10},
      {L"maxwidthex", L"0", natural},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.attribute) << "=" << std::wstring(c.value));
    label->SetMinWidthEx(0);
    label->SetMaxWidthEx(0);
    label->ApplyAttribute(c.attribute, c.value);
    EXPECT_EQ(label->Measure({300, 120}).cx, c.width);
  }
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Label, AlignmentAttributesSetTheTextFormat) {
  struct Case {
    const wchar_t* attribute;
    const wchar_t* value;
    UINT set;
    UINT clear;
  } cases[] = {
      {L"align", L"center", DT_CENTER, DT_RIGHT},
      {L"align", L"right", DT_RIGHT, DT_CENTER},
      {L"align", L"left", 0, DT_CENTER | DT_RIGHT},
      {L"align", L"leftcenter", 0, DT_CENTER | DT_RIGHT},  // "left" is looked for first
      {L"align", L"centerright", DT_CENTER, DT_RIGHT},
      {L"valign", L"bottom", DT_BOTTOM, DT_VCENTER},
      {L"valign", L"top", 0, DT_VCENTER | DT_BOTTOM},
      {L"valign", L"vcenter", DT_VCENTER, DT_BOTTOM},
      {L"endellipsis", L"true", DT_END_ELLIPSIS, 0},
      {L"endellipsis", L"True", 0, DT_END_ELLIPSIS},
      {L"multiline", L"true", DT_WORDBREAK, DT_SINGLELINE},
      {L"multiline", L"false", DT_SINGLELINE, DT_WORDBREAK},
  };
  EXPECT_EQ(CLabelUI().GetTextStyle(), static_cast<UINT>(DT_VCENTER | DT_SINGLELINE));
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.attribute) << "=" << std::wstring(c.value));
    CLabelUI label;
    // Starts with every flag the attribute should clear.
    label.SetTextStyle(c.clear);
    label.ApplyAttribute(c.attribute, c.value);
    EXPECT_EQ(label.GetTextStyle() & c.set, c.set);
    EXPECT_EQ(label.GetTextStyle() & c.clear, 0u);
  }
}

TEST(Label, AlignedTextIsPaintedAtTheLeftCentreOrRight) {
  struct Case {
    const wchar_t* align;
    int minLeft;
    int maxRight;
  } cases[] = {{L"left", 10, 100}, {L"center", 60, 140}, {L"right", 100, 189}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.align));
    TestWindow window(std::wstring(LR"(<Window size="200,40"><VerticalLayout bkcolor="#FFFFFFFF">)") +
                      LR"(<Label name="l" text="WWW" textcolor="#FF000000" textpadding="10,0,10,0" align=")" + c.align +
                      LR"("/></VerticalLayout></Window>)");
    ASSERT_TRUE(window.Open());
    Surface surface(200, 40);
    vxtest::PrintWindow(window, surface);
    const auto [left, right] = vxtest::InkColumns(surface, 0, 40, 0xFFFFFF);
    ASSERT_GE(left, 0) << "no text painted";
    EXPECT_GE(left, c.minLeft);
    EXPECT_LE(right, c.maxRight);
    EXPECT_GT(right - left, 10);
    EXPECT_TRUE(window.CloseAndWait());
  }
}

TEST(Label, ShadowOffsetGivesTheDisplacementOfAnOffsetAndAnAngle) {
  struct Case {
    const wchar_t* value;
    SIZE offset;
  } cases[] = {
      {L"3,0", {-3, -3}},  {L"3,90", {-3, -3}}, {L"3,91", {-3, 3}}, {L"3,180", {-3, 3}}, {L"3,-1", {3, -3}},
      {L"3,-89", {3, -3}}, {L"3,-90", {3, 0}},  {L"3,-91", {3, 3}}, {L"3,-179", {3, 3}}, {L"3,-180", {0, 3}},
      {L"5,45", {-5, -5}}, {L"0,30", {0, 0}},   {L"3,181", {7, 7}}, {L"3,-181", {7, 7}},  // outside -180..180: left as
                                                                                          // it was
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.value));
    CLabelUI label;
    label.SetShadowOffset(7, -135);
    ASSERT_EQ(label.GetShadowOffset().cx, 7);
    ASSERT_EQ(label.GetShadowOffset().cy, 7);
    label.ApplyAttribute(L"shadowoffset", c.value);
    EXPECT_EQ(label.GetShadowOffset().cx, c.offset.cx);
    EXPECT_EQ(label.GetShadowOffset().cy, c.offset.cy);
  }
}

TEST(Label, ShadowOffsetDoesNotDependOnWhereTheLaidOutLabelSits) {
  TestWindow window(kLabelSkin);
  ASSERT_TRUE(window.Open());
  CLabelUI* label = LabelOf(window, L"multi");
  ASSERT_GT(label->GetBounds().top, 0);
  label->ApplyAttribute(L"shadowoffset", L"2,-45");
  EXPECT_EQ(label->GetShadowOffset().cx, 2);
  EXPECT_EQ(label->GetShadowOffset().cy, -2);
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Label, EachLabelHoldsAUseOfTheImagingLibrary) {
  const int before = SkinUI::CGdiplusUse::UseCount();
  {
    auto first = std::make_unique<CLabelUI>();
    const CLabelUI second;
    EXPECT_EQ(SkinUI::CGdiplusUse::UseCount(), before + 2);
    EXPECT_TRUE(SkinUI::CGdiplusUse::IsStarted());
  }
  EXPECT_EQ(SkinUI::CGdiplusUse::UseCount(), before);
}

TEST(Label, TextWithEffectsIsPaintedInItsColoursAndItsShadowIsDisplaced) {
  TestWindow window(
      LR"(<Window size="200,60"><VerticalLayout bkcolor="#FFFFFFFF">
    <Label name="l" text="MMMM" textcolor="#FF0000FF" enabledeffect="true" enabledshadow="true"
      textshadowcolora="#FFFF0000" textshadowcolorb="#FFFF0000" shadowoffset="6,-90" textpadding="20,0,20,0"/>
    </VerticalLayout></Window>)");
  ASSERT_TRUE(window.Open());
  CLabelUI* label = LabelOf(window, L"l");
  ASSERT_EQ(label->GetShadowOffset().cx, 6);
  Surface surface(200, 60);
  vxtest::PrintWindow(window, surface);
  int blue = 0;
  int red = 0;
  int redLeft = 200;
  int blueLeft = 200;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 200; ++x) {
      // Anti-aliased glyphs: a pixel counts as the colour whose channel clearly leads.
      const uint32_t p = surface.At(x, y);
      const int r = static_cast<int>((p >> 16) & 0xFF);
      const int b = static_cast<int>(p & 0xFF);
      if (b - r > 100) {
        ++blue;
        blueLeft = std::min(blueLeft, x);
      } else if (r - b > 100) {
        ++red;
        redLeft = std::min(redLeft, x);
      }
    }
  }
  EXPECT_GT(blue, 20) << "the text";
  EXPECT_GT(red, 20) << "the shadow";
  EXPECT_GT(redLeft, blueLeft) << "the shadow lies to the right";
  EXPECT_TRUE(window.CloseAndWait());
}

TEST(Label, TextIsPaintedInTheEnabledOrDisabledColourOrTheWindowDefaults) {
  struct Case {
    const wchar_t* colours;
    bool enabled;
    uint32_t rgb;
  } cases[] = {
      {L"textcolor=\"#FFE02020\" disabledtextcolor=\"#FF2020E0\"", true, 0xE02020},
      {L"textcolor=\"#FFE02020\" disabledtextcolor=\"#FF2020E0\"", false, 0x2020E0},
      {L"", true, 0x000000},   // the window's default text colour
      {L"", false, 0xA7A6AA},  // the window's default disabled colour
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.colours) << " enabled " << c.enabled);
    TestWindow window(std::wstring(LR"(<Window size="120,40"><Font id="0" name="Tahoma" size="30" bold="true"/>)") +
                      LR"(<VerticalLayout bkcolor="#FFFFFFFF"><Label name="l" font="0" height="40" text="HHH" )" +
                      c.colours + L"/></VerticalLayout></Window>");
    ASSERT_TRUE(window.Open());
    window.Find(L"l")->SetEnabled(c.enabled);
    Surface surface(120, 40);
    vxtest::PrintWindow(window, surface);
    EXPECT_GT(surface.CountRgb(c.rgb), 20) << "solid strokes of the bold glyphs";
    EXPECT_TRUE(window.CloseAndWait());
  }
}

TEST(Label, FormattedTextIsMeasuredWithoutItsTags) {
  TestWindow window(
      LR"(<Window size="300,60"><VerticalLayout>
    <Label name="plain" text="Hello"/><Label name="html" showhtml="true" text="<c #FF0000>Hello</c>"/>
    </VerticalLayout></Window>)");
  ASSERT_TRUE(window.Open());
  const int plain = LabelOf(window, L"plain")->Measure({300, 60}).cx;
  EXPECT_GT(plain, 0);
  EXPECT_EQ(LabelOf(window, L"html")->Measure({300, 60}).cx, plain);
  EXPECT_TRUE(window.CloseAndWait());
}

}  // namespace
