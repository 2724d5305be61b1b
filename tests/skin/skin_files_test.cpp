// The packed skin's window files build into real windows with the controls
// the screens look up, every image that the files and the screens name
// loads at the size the screens cut it by, and nothing else is carried.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "skinui/control/option_ui.h"
#include "skinui/layout/tab_layout_ui.h"
#include "skinui/render/render_ui.h"
#include "tests/skin/skin_test_support.h"
#include "tests/skinui/core/window_test_support.h"

namespace {

using vxtest::TestWindow;

const wchar_t* const kWindowFiles[] = {L"mainframe.xml", L"messagebox.xml", L"common/xml_messagebox.xml"};
const wchar_t* const kTextFiles[] = {L"mainframe.xml", L"scrollbar.xml", L"messagebox.xml",
                                     L"common/xml_messagebox.xml", L"language.tsv"};
// Names the files use that the skin does not carry; they draw nothing.
const wchar_t* const kAbsentImages[] = {L"error_icon_small.png", L"bg_white.png", L"commonEnalarge/shadow_bottom.png"};

struct ImageSize {
  const wchar_t* name;
  int width;  // 0: any size
  int height;
};
// Images the screens name in code, and those whose cells the markup cuts.
const ImageSize kImageSizes[] = {
    {L"browse_button.png", 84, 28},
    {L"error_edit_bg.png", 10, 10},
    {L"button_box_cancel.png", 300, 32},
    {L"button_box_hot.png", 300, 32},
    {L"common/btn_bg_default.png", 60, 28},
    {L"common/btn_bg.png", 60, 28},
    {L"common/msg_noice48.png", 48, 48},
    {L"common/msg_ok48.png", 48, 48},
    {L"btn_login.png", 240, 44},
    {L"btn_sure_big.png", 180, 44},
    {L"facebookjoin.png", 28, 14},
    {L"scrollbar.bmp", 64, 160},
    {L"ad_loading.gif", 31, 31},
    {L"shadow.png", 688, 458},
    {L"bg.png", 656, 428},
    {L"bg_logo.png", 300, 64},
    {L"bg_logo9.png", 340, 64},
    {L"checkbox_selected.png", 18, 18},
    {L"checkbox_unselected.png", 18, 18},
    {L"common/shadow_bottom.png", 0, 0},
    {L"common/shadow_top.png", 0, 0},
    {L"common/close.png", 0, 0},
};

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::wstring Slashed(std::wstring name) {
  std::replace(name.begin(), name.end(), L'\\', L'/');
  return name;
}

// Image names in a skin file: file='...' inside descriptions, and bare
// names as whole attribute values.
std::set<std::wstring> ImagesNamedIn(const wchar_t* file) {
  const std::string text = vxtest::PackedFile(file);
  std::set<std::wstring> names;
  static const std::regex kPatterns[] = {std::regex("file='([^']+)'"), std::regex("=\"([^\"'=&]+\\.(png|bmp|gif))\"")};
  for (const std::regex& pattern : kPatterns) {
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it) {
      names.insert(Slashed(Wide((*it)[1].str())));
    }
  }
  return names;
}

std::set<std::wstring> AllNamedImages() {
  std::set<std::wstring> names;
  for (const wchar_t* file : kTextFiles) {
    const std::set<std::wstring> found = ImagesNamedIn(file);
    names.insert(found.begin(), found.end());
  }
  for (const ImageSize& image : kImageSizes) names.insert(image.name);
  for (const wchar_t* absent : kAbsentImages) names.erase(absent);
  return names;
}

class SkinFiles : public testing::Test {
 protected:
  void SetUp() override { vxtest::OpenPackedSkin(L"en_US"); }
};

TEST_F(SkinFiles, EveryWindowFileBuildsAWindowOfItsSize) {
  const struct {
    const wchar_t* file;
    int width;
    int height;
  } cases[] = {{L"mainframe.xml", 688, 458}, {L"messagebox.xml", 436, 236}, {L"common/xml_messagebox.xml", 436, 266}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.file));
    TestWindow window(c.file);
    ASSERT_TRUE(window.Open(L"vx skin file"));
    RECT client{};
    ::GetClientRect(window.GetHWND(), &client);
    EXPECT_EQ(client.right, c.width);
    EXPECT_EQ(client.bottom, c.height);
    EXPECT_TRUE(window.CloseAndWait());
  }
}

TEST_F(SkinFiles, TheMainWindowHasTheControlsTheScreenLooksUp) {
  TestWindow window(L"mainframe.xml");
  ASSERT_TRUE(window.Open(L"vx main skin"));
  const wchar_t* const names[] = {L"logo9Con",
                                  L"logoCon",
                                  L"titlebar",
                                  L"titlename",
                                  L"languageCombo",
                                  L"facebookbtn",
                                  L"minbtn",
                                  L"closebtn",
                                  L"maintab",
                                  L"ironsourceLayout",
                                  L"ironsourceBtn",
                                  L"userdefinui",
                                  L"pathedit",
                                  L"browsebtn",
                                  L"errorLayout",
                                  L"acceptOpt",
                                  L"protobtn",
                                  L"userdefinLayout2",
                                  L"userdefineBtn",
                                  L"backLayout",
                                  L"backBtn",
                                  L"installnowbtn",
                                  L"protocoledit",
                                  L"conprotbtn",
                                  L"loadprogresslabel",
                                  L"installbar",
                                  L"downloadProgeLabel",
                                  L"homeBtn",
                                  L"apkinstallprogresslabel",
                                  L"apkfilenamelabel",
                                  L"apkinstallprogressbar",
                                  L"startBtn",
                                  L"acceptBtn",
                                  L"rejectBtn",
                                  L"adGifControl"};
  for (const wchar_t* name : names) EXPECT_NE(window.Find(name), nullptr) << testing::PrintToString(name);
  auto* tab = static_cast<SkinUI::CTabLayoutUI*>(window.Find(L"maintab"));
  ASSERT_NE(tab, nullptr);
  EXPECT_EQ(tab->GetCount(), 10);
  EXPECT_EQ(tab->GetCurrentPage(), 0);
  auto* accept = static_cast<SkinUI::COptionUI*>(window.Find(L"acceptOpt"));
  EXPECT_TRUE(accept->IsSelected());
  const struct {
    const wchar_t* name;
    bool visible;
    int width;  // 0: not checked
    int height;
    int left;  // in the window, -1: not checked
    int top;
  } layout[] = {
      {L"logoCon", true, 300, 64, 16 + 178, 15 + 112},
      {L"logo9Con", false, 0, 0, -1, -1},
      {L"titlebar", true, 656, 40, 16, 15},
      {L"closebtn", true, 36, 34, 16 + 656 - 36, 15},
      {L"installnowbtn", true, 160, 44, 16 + 240, 15 + 40 + 130 + 80},
      {L"acceptOpt", true, 18, 18, -1, -1},
      {L"userdefinui", false, 0, 0, -1, -1},
      {L"backLayout", false, 0, 0, -1, -1},
      {L"ironsourceLayout", false, 0, 0, -1, -1},
  };
  for (const auto& c : layout) {
    SCOPED_TRACE(testing::PrintToString(c.name));
    SkinUI::CControlUI* control = window.Find(c.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->IsVisible(), c.visible);
    const RECT& r = control->GetBounds();
    if (c.width != 0) {
      EXPECT_EQ(r.right - r.left, c.width);
      EXPECT_EQ(r.bottom - r.top, c.height);
    }
    if (c.left >= 0) {
      EXPECT_EQ(r.left, c.left);
      EXPECT_EQ(r.top, c.top);
    }
  }
  EXPECT_TRUE(window.CloseAndWait());
}

TEST_F(SkinFiles, TheBoxesHaveTheControlsTheBoxesLookUp) {
  const struct {
    const wchar_t* file;
    std::vector<const wchar_t*> names;
  } cases[] = {
      {L"messagebox.xml",
       {L"rootLayout", L"titlelabel", L"closebtn", L"descriptlabel", L"bottombar", L"btnLeft", L"btnRight",
        L"bottombar2", L"btnSure"}},
      {L"common/xml_messagebox.xml",
       {L"rootLayout", L"titlelabel", L"closebtn", L"msgiconimage", L"descriptlabel", L"bottombar"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.file));
    TestWindow window(c.file);
    ASSERT_TRUE(window.Open(L"vx box skin"));
    for (const wchar_t* name : c.names) EXPECT_NE(window.Find(name), nullptr) << testing::PrintToString(name);
    EXPECT_FALSE(window.Find(L"rootLayout")->GetBounds().left == 0);
    EXPECT_TRUE(window.CloseAndWait());
  }
  // The generic box's buttons go between the two spacers of "bottombar".
  TestWindow box(L"common/xml_messagebox.xml");
  ASSERT_TRUE(box.Open(L"vx generic box"));
  auto* bar = static_cast<SkinUI::CContainerUI*>(box.Find(L"bottombar"));
  ASSERT_EQ(bar->GetCount(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_STREQ(bar->GetChildAt(i)->GetTypeName(), L"Control");
    EXPECT_TRUE(bar->GetChildAt(i)->GetName().IsEmpty());
  }
  EXPECT_TRUE(box.CloseAndWait());
}

TEST_F(SkinFiles, EveryNamedImageLoadsAtTheSizeItIsCutBy) {
  const std::set<std::wstring> names = AllNamedImages();
  EXPECT_GT(names.size(), 25u);
  for (const std::wstring& name : names) {
    SCOPED_TRACE(testing::PrintToString(name));
    std::unique_ptr<SkinUI::UIImage> image = SkinUI::CRenderUI::LoadImage(name.c_str(), nullptr, 0);
    ASSERT_NE(image, nullptr);
    for (const ImageSize& size : kImageSizes) {
      if (name != size.name || size.width == 0) continue;
      EXPECT_EQ(image->width, size.width);
      EXPECT_EQ(image->height, size.height);
    }
  }
}

TEST_F(SkinFiles, TheScrollBarBitmapUsesMagentaForItsClearCells) {
  std::unique_ptr<SkinUI::UIImage> image = SkinUI::CRenderUI::LoadImage(L"scrollbar.bmp", nullptr, 0xFFFF00FF);
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(image->hasAlpha);
  // The grip row of the vertical bar is left clear, the thumb is not.
  EXPECT_EQ(image->pixels[(48 + 8) * image->width + 8], 0u);
  EXPECT_NE(image->pixels[(32 + 8) * image->width + 8], 0u);
}

TEST_F(SkinFiles, TheSkinCarriesWhatIsLoadedAndNothingElse) {
  std::set<std::wstring> expected = AllNamedImages();
  expected.insert(std::begin(kTextFiles), std::end(kTextFiles));
  const std::vector<std::wstring> packed = vxtest::PackedNames();
  EXPECT_EQ(std::set<std::wstring>(packed.begin(), packed.end()), expected);
  for (const wchar_t* absent : kAbsentImages) {
    EXPECT_TRUE(vxtest::PackedFile(absent).empty()) << testing::PrintToString(absent);
  }
}

}  // namespace
