#include "skinui/core/dialog_builder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skinui/core/control_factory.h"
#include "skinui/core/dialog_builder_callback.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/core/resources/resources.h"
#include "skinui/layout/container_ui.h"
#include "tests/common/temp_dir.h"
#include "tests/skinui/render/render_test_support.h"
#include "utility/scoped_handle.h"

namespace {

using namespace SkinUI;

IContainerUI* AsContainer(CControlUI* control) {
  return control != nullptr ? static_cast<IContainerUI*>(control->FindInterface(L"IContainer")) : nullptr;
}

// The tree as text: Type:name(children) with a cover after '^'.
std::wstring Describe(CControlUI* control) {
  std::wstring text = std::wstring(control->GetTypeName()) + L":" + control->GetName().GetData();
  if (IContainerUI* container = AsContainer(control); container != nullptr && container->GetCount() > 0) {
    text += L"(";
    for (int i = 0; i < container->GetCount(); ++i) text += (i > 0 ? L"," : L"") + Describe(container->GetChildAt(i));
    text += L")";
  }
  if (control->GetCover() != nullptr) text += L"^" + Describe(control->GetCover());
  return text;
}

// The application's classes of these tests, with a journal of what the builder does to them.
struct Journal {
  std::vector<std::wstring> lines;
  std::vector<std::wstring> asked;  // class names the callback was asked for
  int destroyed = 0;
};

// A container that writes down its manager bindings, attributes and adoptions.
class Recorder : public CContainerUI {
 public:
  Recorder(Journal* journal, int number) : journal_(journal), tag_(L"#" + std::to_wstring(number) + L" ") {}
  ~Recorder() override { ++journal_->destroyed; }
  const wchar_t* GetTypeName() const override { return L"Recorder"; }
  void AttachManager(CManagerUI* manager, CControlUI* parent, bool initialise) override {
    Write(std::wstring(L"attach ") + (manager != nullptr ? L"manager" : L"none") + L" " +
          (parent != nullptr ? L"parent" : L"none") + (initialise ? L" init" : L""));
    CContainerUI::AttachManager(manager, parent, initialise);
  }
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override {
    Write(std::wstring(name) + L"=" + value);
    CContainerUI::ApplyAttribute(name, value);
  }
  bool Add(CControlUI* control) override {
    Write(L"add");
    return CContainerUI::Add(control);
  }

 private:
  void Write(const std::wstring& line) { journal_->lines.push_back(tag_ + line); }
  Journal* journal_;
  std::wstring tag_;
};

// A plain control that counts its destruction.
class Tracked : public CControlUI {
 public:
  explicit Tracked(Journal* journal) : journal_(journal) {}
  ~Tracked() override { ++journal_->destroyed; }
  const wchar_t* GetTypeName() const override { return L"Tracked"; }

 private:
  Journal* journal_;
};

// A container that takes no Tracked control.
class Picky : public CContainerUI {
 public:
  const wchar_t* GetTypeName() const override { return L"Picky"; }
  bool Add(CControlUI* control) override {
    return std::wstring(control->GetTypeName()) != L"Tracked" && CContainerUI::Add(control);
  }
};

class Callback : public IDialogBuilderCallback {
 public:
  explicit Callback(Journal* journal) : journal_(journal) {}
  CControlUI* CreateCustomControl(const wchar_t* className) override {
    const std::wstring name = className;
    journal_->asked.push_back(name);
    if (name == L"Recorder") return new Recorder(journal_, ++made_);
    if (name == L"Tracked") return new Tracked(journal_);
    if (name == L"Picky") return new Picky;
    if (name == L"Gauge") return new CControlUI;
    return nullptr;
  }

 private:
  Journal* journal_;
  int made_ = 0;
};

// Builds markup with a manager that has no window.
struct Build {
  explicit Build(const wchar_t* markup, CControlUI* parent = nullptr) {
    root.reset(builder.Build(markup, nullptr, &callback, &manager, parent));
  }
  std::wstring Tree() const { return root ? Describe(root.get()) : L"<none>"; }

  Journal journal;
  Callback callback{&journal};
  CManagerUI manager;
  CDialogBuilder builder;
  ControlPtr root;
};

TEST(DialogBuilder, BuildsOneControlPerElementWithItsClassAndName) {
  Build build(
      L"<Window size=\"100,100\">"
      L"<VerticalLayout name=\"root\">"
      L"<HorizontalLayout name=\"row\"><Control name=\"a\"/><Container name=\"b\"/></HorizontalLayout>"
      L"<TabLayout name=\"tabs\"><Control name=\"p0\"/><Control name=\"p1\"/></TabLayout>"
      L"<VBox name=\"v\"/><HBox name=\"h\"/><TransBkContainer name=\"t\"/><ScrollBar name=\"s\"/>"
      L"<Combo name=\"languageCombo\" visible=\"false\"/>"
      L"</VerticalLayout>"
      L"</Window>");
  EXPECT_EQ(build.Tree(),
            L"VerticalLayout:root(HorizontalLayout:row(Control:a,Container:b),TabLayout:tabs(Control:p0,Control:p1),"
            L"VerticalLayout:v,HorizontalLayout:h,TransBkContainer:t,ScrollBar:s,Combo:languageCombo)");
  EXPECT_EQ(build.root->GetManager(), nullptr) << "the window binds the tree, not the builder";
}

TEST(DialogBuilder, ClassDefaultsApplyBeforeTheElementsAttributesInOrder) {
  Build build(
      L"<Window>"
      L"<Default name=\"Recorder\" value=\"a=&quot;default&quot; b=&quot;default&quot;\"/>"
      L"<Default name=\"Control\" value=\"width=&quot;10&quot; height=&quot;5&quot;\"/>"
      L"<Recorder b=\"element\" c=\"1\" b=\"later\">"
      L"<Recorder name=\"inner\"/>"
      L"<Control name=\"plain\" height=\"7\"/>"
      L"</Recorder>"
      L"</Window>");
  ASSERT_NE(build.root, nullptr);
  const std::vector<std::wstring> expected{
      // The inner recorder is made, attached, and given its defaults and attributes while bound.
      L"#1 add",
      L"#2 attach none parent",
      L"#2 attach manager none",
      L"#2 a=default",
      L"#2 b=default",
      L"#2 name=inner",
      L"#2 attach none none",
      L"#1 add",
      // Then the outer one, whose children are complete by then.
      L"#1 attach manager none",
      L"#2 attach manager parent",
      L"#1 a=default",
      L"#1 b=default",
      L"#1 b=element",
      L"#1 c=1",
      L"#1 b=later",
      L"#1 attach none none",
      L"#2 attach none parent",
  };
  EXPECT_EQ(build.journal.lines, expected);
  EXPECT_EQ(build.root->GetExtraAttribute(L"b"), L"later");
  CControlUI* plain = AsContainer(build.root.get())->GetChildAt(1);
  EXPECT_EQ(plain->GetAssignedWidth(), 10);
  EXPECT_EQ(plain->GetAssignedHeight(), 7) << "the element's value wins over the class default";
}

TEST(DialogBuilder, AnElementUnderANonContainerEndsItsLevel) {
  Build build(
      L"<Window><VerticalLayout name=\"v\">"
      L"<Control name=\"a\"><Tracked/><Tracked/></Control>"
      L"<Control name=\"c\"/>"
      L"</VerticalLayout></Window>");
  EXPECT_EQ(build.Tree(), L"VerticalLayout:v(Control:a,Control:c)");
  EXPECT_EQ(build.journal.destroyed, 1) << "the orphan is destroyed";
  EXPECT_EQ(build.journal.asked, std::vector<std::wstring>{L"Tracked"}) << "its siblings are not built";

  // At the top level the whole build fails; what was built stays with the parent.
  CControlUI parent;
  Build top(L"<Window><Control name=\"x\"/></Window>", &parent);
  EXPECT_EQ(top.root, nullptr);
  CContainerUI holder;
  Build held(L"<Window><Control name=\"x\"/><Control name=\"y\"/></Window>", &holder);
  EXPECT_EQ(held.root.release(), holder.GetChildAt(0));
  EXPECT_EQ(Describe(&holder), L"Container:(Control:x,Control:y)");
}

TEST(DialogBuilder, UnknownElementsArePassedOverWithTheirSubtrees) {
  Build build(
      L"<Window><HorizontalLayout>"
      L"<Gadget name=\"g\"><Control name=\"hidden\"/></Gadget>"
      L"<MultiLanguage id=\"1\"><Control name=\"reserved\"/></MultiLanguage>"
      L"<Label name=\"later\"/>"
      L"<gifanim name=\"lower\"><Control name=\"inside\"/></gifanim>"
      L"<Image name=\"nested.png\"/><Font id=\"1\" name=\"Arial\"/><Default name=\"Control\" value=\"\"/>"
      L"<Control name=\"kept\"/>"
      L"</HorizontalLayout></Window>");
  EXPECT_EQ(build.Tree(), L"HorizontalLayout:(Label:later,Control:kept)");
  const std::vector<std::wstring> asked{L"Gadget", L"gifanim"};
  EXPECT_EQ(build.journal.asked, asked) << "the callback is asked, nothing below an unknown element";
}

TEST(DialogBuilder, CoverOnlyForExactlyTrue) {
  struct Case {
    const wchar_t* value;
    bool cover;
  } cases[] = {{L"true", true}, {L"True", false}, {L"TRUE", false}, {L"true ", false}, {L"1", false}, {L"", false}};
  for (const Case& c : cases) {
    const std::wstring markup = std::wstring(L"<Window><Container name=\"p\"><Control name=\"c\" cover=\"") + c.value +
                                L"\"/></Container></Window>";
    Build build(markup.c_str());
    EXPECT_EQ(build.Tree(), c.cover ? L"Container:p^Control:c" : L"Container:p(Control:c)") << c.value;
  }
}

TEST(DialogBuilder, AContainerThatRefusesAControlDestroysIt) {
  Build build(L"<Window><Picky name=\"p\"><Tracked/><Container name=\"ok\"/><Tracked/></Picky></Window>");
  EXPECT_EQ(build.Tree(), L"Picky:p(Container:ok)");
  EXPECT_EQ(build.journal.destroyed, 2);
}

TEST(DialogBuilder, WithoutAParentOnlyTheFirstTopLevelControlIsKept) {
  Build build(L"<Window><Container name=\"first\"/><Tracked/><Tracked/></Window>");
  EXPECT_EQ(build.Tree(), L"Container:first");
  EXPECT_EQ(build.journal.destroyed, 2);
}

TEST(DialogBuilder, TreeNodesAttachToTheirTreeOrNode) {
  Build build(
      L"<Window><VerticalLayout>"
      L"<TreeView name=\"tv\"><TreeNode name=\"n1\"><TreeNode name=\"n2\"/><Control name=\"c\"/></TreeNode></TreeView>"
      L"<VerticalLayout name=\"v\"><TreeNode name=\"stray\"/><Control name=\"never\"/></VerticalLayout>"
      L"<Tree name=\"t\"><Control name=\"leaf\"/></Tree>"
      L"</VerticalLayout></Window>");
  EXPECT_EQ(
      build.Tree(),
      L"VerticalLayout:(TreeView:tv(TreeNode:n1(TreeNode:n2,Control:c)),VerticalLayout:v,TreeView:t(Control:leaf))");
}

CControlUI* MakeGaugeContainer(const wchar_t* className) {
  return std::wstring(className) == L"Gauge" ? new CContainerUI : nullptr;
}

TEST(DialogBuilder, CreatorsComeBeforeTheCallback) {
  AddControlCreator(&MakeGaugeContainer);
  Build build(L"<Window><Gauge name=\"g\"/></Window>");
  RemoveControlCreator(&MakeGaugeContainer);
  EXPECT_EQ(build.Tree(), L"Container:g");
  EXPECT_TRUE(build.journal.asked.empty());
  Build later(L"<Window><Gauge name=\"g\"/></Window>");
  EXPECT_EQ(later.Tree(), L"Control:g");
}

// The process-wide context over this program, with a skin folder of the test's own.
class DialogBuilderFiles : public testing::Test {
 protected:
  void SetUp() override {
    CResourceContext& context = CResourceContext::Instance();
    context.SetModuleHandle(::GetModuleHandleW(nullptr));
    context.SetSkinDirectory(folder_.path().c_str());
  }
  void TearDown() override { CResourceContext::Instance().SetSkinDirectory(L""); }
  void Write(const std::wstring& name, const std::string& bytes) {
    ASSERT_TRUE(vxtest::writeFile(folder_.file(name), bytes));
  }

  vxtest::TempDir folder_;
};

TEST_F(DialogBuilderFiles, IncludeBuildsItsSourceCountTimesUnderTheSameParent) {
  Write(L"part.xml", "<Window><Font id=\"7\" name=\"Arial\" size=\"9\"/><Control name=\"inc\"/></Window>");
  Write(L"fonts.xml", "<Window><Font id=\"9\" name=\"Arial\" size=\"11\"/><Tracked/></Window>");
  Build build(
      L"<Window><Include source=\"fonts.xml\"/><HorizontalLayout>"
      L"<Include source=\"part.xml\" count=\"3\"/>"
      L"<Include source=\"<Window><Container/></Window>\"/>"
      L"<Include source=\"part.xml\" count=\"0\"/><Include/><Include count=\"2\"/><Include source=\"missing.xml\"/>"
      L"<Control name=\"after\"/>"
      L"</HorizontalLayout></Window>");
  EXPECT_EQ(build.Tree(), L"HorizontalLayout:(Control:inc,Control:inc,Control:inc,Container:,Control:after)");
  EXPECT_EQ(build.manager.GetFontInfo(7)->size, 9) << "included fonts are registered";
  EXPECT_EQ(build.manager.GetFontInfo(9)->size, 11) << "a top-level include gives only its resources";
  EXPECT_EQ(build.journal.destroyed, 1) << "its controls have no owner";
}

TEST_F(DialogBuilderFiles, ASkinThatIncludesItselfStopsAtTheIncludeDepth) {
  Write(L"loop.xml", "<Window><Container><Include source=\"loop.xml\"/></Container></Window>");
  Build build(L"loop.xml");
  ASSERT_NE(build.root, nullptr);
  int depth = 0;
  for (CControlUI* control = build.root.get(); control != nullptr; control = AsContainer(control)->GetChildAt(0)) {
    ++depth;
  }
  EXPECT_EQ(depth, CDialogBuilder::kMaxIncludeDepth + 1);
}

TEST_F(DialogBuilderFiles, ImagesGoToTheWindowsOwnTableEvenWhenShared) {
  const std::string png = vxtest::EncodePng(2, 2, {0xFFFF00FF, 0xFF102030, 0xFF102030, 0xFF102030});
  Write(L"kept.png", png);
  Write(L"plain.png", png);
  Build build(
      L"<Window><IMAGE NAME=\"kept.png\" Shared=\"TRUE\" mask=\"#FFFF00FF\"/>"
      L"<Image name=\"plain.png\" shared=\"false\" mask=\"0xff102030\"/><Image mask=\"#FFFFFFFF\"/></Window>");
  const UIImage* kept = build.manager.GetImage(L"kept.png");
  ASSERT_NE(kept, nullptr);
  EXPECT_TRUE(kept->keepPixels);
  EXPECT_EQ(kept->sourceCopy.size(), 4u);
  EXPECT_EQ(kept->mask, 0xFFFF00FFu);
  const UIImage* plain = build.manager.GetImage(L"plain.png");
  ASSERT_NE(plain, nullptr);
  EXPECT_FALSE(plain->keepPixels);
  EXPECT_EQ(plain->mask, 0xFF102030u);
  CManagerUI other;
  EXPECT_EQ(other.GetImage(L"kept.png"), nullptr) << "not in the shared table";
}

TEST_F(DialogBuilderFiles, MarkupErrorsAreReadableThroughTheBuilder) {
  Write(L"broken.xml", "<Window><Control name=\"a\"></Window>");
  struct Case {
    const wchar_t* source;
    const wchar_t* text;
    const wchar_t* context;
  } cases[] = {
      {L"<Window><Control></Window>", L"Unmatched closing tag", L"Window>"},
      {L"broken.xml", L"Unmatched closing tag", L"Window>"},
      {L"<Window a=b/>", L"Expected attribute value", L"/>"},
      {L"nowhere.xml", L"Could not load file", L"nowhere.xml"},
  };
  for (const Case& c : cases) {
    Build build(c.source);
    EXPECT_EQ(build.root, nullptr);
    wchar_t text[CXmlMarkup::kErrorTextLength] = {};
    wchar_t context[CXmlMarkup::kErrorContextLength] = {};
    build.builder.GetErrorText(text, CXmlMarkup::kErrorTextLength - 1);
    build.builder.GetErrorContext(context, CXmlMarkup::kErrorContextLength - 1);
    EXPECT_STREQ(text, c.text) << c.source;
    EXPECT_STREQ(context, c.context) << c.source;
  }
}

TEST_F(DialogBuilderFiles, ResourceDocumentsIncludeResourcesOfTheirType) {
  Journal journal;
  Callback callback(&journal);
  CManagerUI manager;
  CDialogBuilder builder;
  ControlPtr root(builder.Build(MAKEINTRESOURCEW(201), L"VXSKIN", &callback, &manager, nullptr));
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(Describe(root.get()), L"HorizontalLayout:row(Control:part,Control:part,Control:part,Control:last)");
  EXPECT_EQ(AsContainer(root.get())->GetChildAt(0)->GetAssignedHeight(), 6) << "defaults of the including document";
  EXPECT_EQ(manager.GetFontInfo(8)->size, 15);
  EXPECT_EQ(CDialogBuilder().Build(MAKEINTRESOURCEW(299), L"VXSKIN", &callback, &manager, nullptr), nullptr);
  EXPECT_EQ(CDialogBuilder().Build(MAKEINTRESOURCEW(201), nullptr, &callback, &manager, nullptr), nullptr);
}

TEST(DialogBuilderFonts, FontsNeedAnIdAndANameAndAreTwelvePixelsByDefault) {
  struct Case {
    const wchar_t* markup;
    int id;
    int size;             // 0: the id stays unregistered
    const wchar_t* base;  // face of the window's default font; null: the window has none of its own
  } cases[] = {
      {L"<Window><Font name=\"Courier New\" size=\"31\" default=\"true\"/></Window>", 2, 0, nullptr},
      {L"<Window><Font id=\"2\" size=\"31\" default=\"true\"/></Window>", 2, 0, nullptr},
      {L"<Window><Font id=\"2\" name=\"Courier New\"/></Window>", 2, 12, nullptr},
      {L"<Window><FONT ID=\"2\" NAME=\"Courier New\" SIZE=\"17\" DEFAULT=\"True\"/></Window>", 2, 17, L"Courier New"},
      {L"<Window><Font id=\"0\" name=\"Arial\" size=\"14\" default=\"yes\"/></Window>", 0, 14, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.markup));
    Build build(c.markup);
    const UIFontInfo* shared = CManagerUI().GetBaseFontInfo();
    const UIFontInfo* font = build.manager.GetFontInfo(c.id);
    const UIFontInfo* base = build.manager.GetBaseFontInfo();
    if (c.size == 0) {
      EXPECT_EQ(font, base);
    } else {
      EXPECT_NE(font, base);
      EXPECT_EQ(font->size, c.size);
    }
    if (c.base == nullptr) {
      EXPECT_EQ(base, shared);
    } else {
      EXPECT_EQ(base->face, c.base);
      EXPECT_EQ(base->size, c.size);
    }
  }
}

TEST(DialogBuilderFonts, BoldUnderlineAndItalicAreTrueInAnyCase) {
  Build build(
      L"<Window><Font id=\"3\" name=\"Arial\" bold=\"TRUE\" underline=\"true\" italic=\"True\"/>"
      L"<Font id=\"4\" name=\"Arial\" bold=\"1\" underline=\"yes\" italic=\"\"/></Window>");
  const UIFontInfo* on = build.manager.GetFontInfo(3);
  EXPECT_TRUE(on->bold && on->underline && on->italic);
  const UIFontInfo* off = build.manager.GetFontInfo(4);
  EXPECT_FALSE(off->bold || off->underline || off->italic);
}

TEST(DialogBuilderWindow, WindowAttributesApplyOnlyWhenTheManagerHasItsWindow) {
  struct Case {
    const wchar_t* root;
    bool window;
    bool applied;
  } cases[] = {
      {L"Window", false, false},
      {L"Window", true, true},
      {L"WINDOW", true, true},
      {L"Dialog", true, false},
  };
  for (const Case& c : cases) {
    const std::wstring markup = std::wstring(L"<") + c.root +
                                L" size=\"300,200\" caption=\"0,0,0,30\" mininfo=\"120,90\" skin=\"dark\">"
                                L"<Control name=\"body\"/></" +
                                c.root + L">";
    SCOPED_TRACE(testing::Message() << markup);
    utility::ScopedWindow window(
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 80, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window);
    CManagerUI manager;
    if (c.window) manager.Init(window.get(), L"w");
    CDialogBuilder builder;
    ControlPtr root(builder.Build(markup.c_str(), nullptr, nullptr, &manager, nullptr));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), L"body");
    EXPECT_EQ(manager.GetInitialSize().cx, c.applied ? 300 : 0);
    EXPECT_EQ(manager.GetInitialSize().cy, c.applied ? 200 : 0);
    EXPECT_EQ(manager.GetCaption().bottom, c.applied ? 30 : 0);
    EXPECT_EQ(manager.GetMinInfo().cx, c.applied ? 120 : 0);
    const wchar_t* skin = manager.GetWindowAttribute(L"skin");
    EXPECT_EQ(skin != nullptr && std::wstring(skin) == L"dark", c.applied);
    RECT bounds{};
    ::GetWindowRect(window.get(), &bounds);
    EXPECT_EQ(bounds.right - bounds.left, c.applied ? 300 : 100) << "the size applies to the window at once";
    EXPECT_EQ(bounds.bottom - bounds.top, c.applied ? 200 : 80);
    manager.Init(nullptr, L"w");  // gives the window's DC back before the window goes
  }
}

}  // namespace
