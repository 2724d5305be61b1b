#include <gtest/gtest.h>

#include <string>

#include "skinui/core/control_factory.h"
#include "skinui/core/control_ui.h"
#include "skinui/layout/container_ui.h"
#include "tests/skinui/render/render_test_support.h"

namespace {

using namespace SkinUI;

TEST(ControlFactory, ElementNamesGiveTheirClasses) {
  struct Case {
    const wchar_t* element;
    const wchar_t* type;  // null: no class
  } cases[] = {
      {L"Control", L"Control"},
      {L"control", L"Control"},
      {L"Container", L"Container"},
      {L"CONTAINER", L"Container"},
      {L"VerticalLayout", L"VerticalLayout"},
      {L"VBox", L"VerticalLayout"},
      {L"vbox", L"VerticalLayout"},
      {L"HorizontalLayout", L"HorizontalLayout"},
      {L"HBox", L"HorizontalLayout"},
      {L"TabLayout", L"TabLayout"},
      {L"TileLayout", L"TileLayout"},
      {L"ChildLayout", L"ChildLayout"},
      {L"TransBkContainer", L"TransBkContainer"},
      {L"transbkcontainer", L"TransBkContainer"},
      {L"Slider", L"Slider"},
      {L"ScrollBar", L"ScrollBar"},
      {L"Combo", L"Combo"},
      {L"ComboBox", L"Combo"},
      {L"List", L"List"},
      {L"ListHeader", L"ListHeader"},
      {L"ListHeaderItem", L"ListHeaderItem"},
      {L"ListLabelElement", L"ListLabelElement"},
      {L"ListTextElement", L"ListTextElement"},
      {L"ListContainerElement", L"ListContainerElement"},
      {L"ListHBoxElement", L"ListHBoxElement"},
      {L"TreeView", L"TreeView"},
      {L"Tree", L"TreeView"},
      {L"TreeNode", L"TreeNode"},
      {L"DateTime", L"DateTime"},
      {L"ActiveX", L"ActiveX"},
      {L"WebBrowser", L"WebBrowser"},
      {L"webbrowser", L"WebBrowser"},
      // The animation's row matches only as spelled.
      {L"GifAnim", L"GifAnim"},
      {L"gifanim", nullptr},
      {L"GIFANIM", nullptr},
      {L"Label", L"Label"},
      {L"label", L"Label"},
      {L"Text", L"Text"},
      {L"Button", L"Button"},
      {L"BUTTON", L"Button"},
      {L"Option", L"Option"},
      {L"CheckBox", L"CheckBox"},
      {L"checkbox", L"CheckBox"},
      {L"Progress", L"Progress"},
      {L"Edit", L"Edit"},
      {L"edit", L"Edit"},
      {L"RichEdit", L"RichEdit"},
      {L"richedit", L"RichEdit"},
      // Names that are no class, including near misses of the same length.
      {L"", nullptr},
      {L"Window", nullptr},
      {L"Include", nullptr},
      {L"Controls", nullptr},
      {L"Contro", nullptr},
      {L"Lisz", nullptr},
      {L"TreeVie", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.element));
    ControlPtr control(CreateControl(c.element));
    if (c.type == nullptr) {
      EXPECT_EQ(control, nullptr);
      continue;
    }
    ASSERT_NE(control, nullptr);
    EXPECT_STREQ(control->GetTypeName(), c.type);
    EXPECT_EQ(control->FindInterface(c.type), control.get());
  }
  EXPECT_EQ(CreateControl(nullptr), nullptr);
}

CControlUI* MakeFirst() { return new CControlUI; }
CControlUI* MakeSecond() { return new CContainerUI; }

TEST(ControlFactory, RowsMatchByLengthThenNameAndExactRowsOnlyAsSpelled) {
  static constexpr ControlClassRow rows[] = {
      {L"Box", 3, &MakeFirst, false},
      {L"Pane", 4, &MakeFirst, false},
      {L"Pond", 4, &MakeSecond, true},
      {L"GifAnim", 7, &MakeSecond, true},
  };
  struct Case {
    const wchar_t* name;
    const ControlClassRow* row;
  } cases[] = {
      {L"Box", &rows[0]},    {L"BOX", &rows[0]},  {L"Pane", &rows[1]},    {L"pANE", &rows[1]},
      {L"Pond", &rows[2]},   {L"pond", nullptr},  {L"GifAnim", &rows[3]}, {L"gifanim", nullptr},
      {L"GIFANIM", nullptr}, {L"Boxes", nullptr}, {L"Bo", nullptr},       {L"", nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindControlClass(rows, c.name), c.row) << std::wstring(c.name);
  }
}

TEST(ControlFactory, ClassesWithoutBehaviourKeepTheirAttributesAndPaintAsContainers) {
  const wchar_t* names[] = {
      L"TileLayout",      L"ChildLayout",    L"Slider",           L"Combo",           L"List",
      L"ListHeader",      L"ListHeaderItem", L"ListLabelElement", L"ListTextElement", L"ListContainerElement",
      L"ListHBoxElement", L"TreeView",       L"TreeNode",         L"DateTime",        L"ActiveX",
      L"WebBrowser"};
  for (const wchar_t* name : names) {
    SCOPED_TRACE(testing::Message() << std::wstring(name));
    ControlPtr control(CreateControl(name));
    ASSERT_NE(control, nullptr);
    auto* container = static_cast<IContainerUI*>(control->FindInterface(L"IContainer"));
    ASSERT_NE(container, nullptr);
    control->ApplyAttributes(L"bkcolor=\"#FFFF0000\" columns=\"3\" xmlfile=\"page.xml\" dropboxsize=\"0,150\"");
    EXPECT_EQ(control->GetExtraAttribute(L"columns"), L"3");
    EXPECT_EQ(control->GetExtraAttribute(L"xmlfile"), L"page.xml");
    EXPECT_EQ(control->GetExtraAttribute(L"dropboxsize"), L"0,150");
    auto* child = new CControlUI;
    child->ApplyAttributes(L"bkcolor=\"#FF00FF00\"");
    ASSERT_TRUE(container->Add(child));
    control->ApplyAttributes(L"inset=\"4,4,4,4\"");
    control->SetBounds({0, 0, 20, 20}, false);
    vxtest::Surface surface(20, 20);
    EXPECT_TRUE(control->Paint(surface.dc(), surface.rect(), nullptr));
    // GDI fills leave alpha alone: colour channels only.
    EXPECT_TRUE(vxtest::Near(surface.At(1, 1), 0xFFFF0000u, 0, false)) << vxtest::Hex(surface.At(1, 1));
    EXPECT_TRUE(vxtest::Near(surface.At(10, 10), 0xFF00FF00u, 0, false)) << vxtest::Hex(surface.At(10, 10));
  }
}

CControlUI* MakeGauge(const wchar_t* className) {
  return std::wstring(className) == L"Gauge" ? new CContainerUI : nullptr;
}
CControlUI* MakeDial(const wchar_t* className) { return std::wstring(className) == L"Dial" ? new CControlUI : nullptr; }

TEST(ControlFactory, CreatorsAnswerInOrderOnceEachUntilRemoved) {
  EXPECT_EQ(CreateControlFromCreators(L"Gauge"), nullptr);
  AddControlCreator(&MakeGauge);
  AddControlCreator(&MakeDial);
  AddControlCreator(&MakeGauge);
  ControlPtr gauge(CreateControlFromCreators(L"Gauge"));
  ASSERT_NE(gauge, nullptr);
  EXPECT_STREQ(gauge->GetTypeName(), L"Container");
  ControlPtr dial(CreateControlFromCreators(L"Dial"));
  ASSERT_NE(dial, nullptr);
  EXPECT_EQ(CreateControlFromCreators(L"Knob"), nullptr);
  EXPECT_TRUE(RemoveControlCreator(&MakeGauge));
  EXPECT_FALSE(RemoveControlCreator(&MakeGauge));
  EXPECT_EQ(CreateControlFromCreators(L"Gauge"), nullptr);
  EXPECT_TRUE(RemoveControlCreator(&MakeDial));
}

}  // namespace
