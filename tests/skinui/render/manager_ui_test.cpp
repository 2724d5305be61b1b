#include "skinui/core/window/manager_ui.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/skinui/render/render_test_support.h"

namespace {

using SkinUI::CManagerUI;

TEST(ManagerUI, DefaultColoursComeFromTheSharedDefaults) {
  CManagerUI manager;
  EXPECT_EQ(manager.GetDefaultDisabledColor(), 0xFFA7A6AAu);
  EXPECT_EQ(manager.GetDefaultFontColor(), 0xFF000000u);
  EXPECT_EQ(manager.GetDefaultLinkFontColor(), 0xFF0000FFu);
  EXPECT_EQ(manager.GetDefaultLinkHoverFontColor(), 0xFFD3215Fu);
  EXPECT_EQ(manager.GetDefaultSelectedBkColor(), 0xFFBAE4FFu);
  manager.SetDefaultLinkFontColor(0xFF112233);
  manager.SetDefaultSelectedBkColor(0xFF445566);
  EXPECT_EQ(manager.GetDefaultLinkFontColor(), 0xFF112233u);
  EXPECT_EQ(manager.GetDefaultSelectedBkColor(), 0xFF445566u);
  EXPECT_EQ(CManagerUI().GetDefaultLinkFontColor(), 0xFF0000FFu) << "another manager keeps the defaults";
  EXPECT_EQ(manager.GetMousePos().x, -1);
  EXPECT_EQ(manager.GetMousePos().y, -1);
}

TEST(ManagerUI, FontsByIdFallBackToSharedThenDefault) {
  CManagerUI manager;
  vxtest::Surface surface(4, 4);
  manager.SetPaintDC(surface.dc());
  const HFONT base = manager.GetFont(-1);
  ASSERT_NE(base, nullptr);
  EXPECT_EQ(manager.GetFont(7), base) << "a missing id gives the default font";
  ASSERT_TRUE(manager.RegisterFont(7, L"Tahoma", 20, true, false, false, false));
  EXPECT_NE(manager.GetFont(7), base);
  const SkinUI::UIFontInfo* info = manager.GetFontInfo(7);
  EXPECT_TRUE(info->face == L"Tahoma");
  EXPECT_EQ(info->size, 20);
  EXPECT_TRUE(info->bold);
  EXPECT_GT(info->metrics.tmHeight, 15) << "metrics measured on first use";
  EXPECT_EQ(manager.GetFont(-5), base);

  ASSERT_TRUE(manager.RegisterFont(901, L"Tahoma", 9, false, true, false, true));
  CManagerUI other;
  EXPECT_TRUE(other.GetFontInfo(901)->underline) << "shared fonts reach every manager";
  EXPECT_EQ(other.GetFont(7), other.GetFont(-1)) << "another manager's own font does not";
  EXPECT_FALSE(manager.RegisterFont(-1, L"Tahoma", 9, false, false, false, false));
}

TEST(ManagerUI, TheDefaultFontIsTheGuiFontUntilABaseFontIsSet) {
  CManagerUI manager;
  LOGFONTW gui{};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui);
  const SkinUI::UIFontInfo* shared = manager.GetBaseFontInfo();
  EXPECT_TRUE(shared->face == gui.lfFaceName);
  EXPECT_EQ(shared->size, -gui.lfHeight);
  EXPECT_GT(shared->metrics.tmHeight, 0) << "measured without a paint DC too";
  ASSERT_TRUE(manager.SetBaseFont(L"Tahoma", 17, false, false, true, false));
  EXPECT_EQ(manager.GetBaseFontInfo()->size, 17);
  EXPECT_TRUE(manager.GetBaseFontInfo()->italic);
  EXPECT_EQ(manager.GetFont(-1), manager.GetBaseFontInfo()->font.get());
  EXPECT_EQ(CManagerUI().GetBaseFontInfo(), shared);
}

TEST(ManagerUI, FindOrAddFontReusesAMatchingFont) {
  CManagerUI manager;
  ASSERT_TRUE(manager.RegisterFont(3, L"Tahoma", 12, false, false, false, false));
  EXPECT_EQ(manager.FindOrAddFont(L"Tahoma", 12, false, false, false), 3);
  const int added = manager.FindOrAddFont(L"Tahoma", 12, true, false, false);
  EXPECT_EQ(added, 4) << "a new id after the highest";
  EXPECT_EQ(manager.FindOrAddFont(L"Tahoma", 12, true, false, false), added);
  EXPECT_TRUE(manager.GetFontInfo(added)->bold);
}

TEST(ManagerUI, ImagesComeFromTheManagerThenTheSharedTable) {
  vxtest::ImageFolder folder;
  const std::wstring one = folder.Write(L"one.png", 1, 1, {0xFF0000FF});
  CManagerUI manager;
  CManagerUI other;
  EXPECT_EQ(manager.GetImage(L"logo"), nullptr);
  EXPECT_EQ(manager.RegisterImage(L"", nullptr, 0, false, false), nullptr);
  const SkinUI::UIImage* shared = manager.RegisterImage(one.c_str(), L"", 0, false, true);
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(other.GetImage(one.c_str()), shared);
  const SkinUI::UIImage* own = other.RegisterImage(one.c_str(), L"", 0, true, false);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(other.GetImage(one.c_str()), own) << "the manager's table comes first";
  EXPECT_EQ(own->sourceCopy, std::vector<uint32_t>{0xFF0000FF}) << "keep pixels copies them";
  EXPECT_TRUE(manager.RemoveImage(one.c_str(), true));
  EXPECT_EQ(manager.GetImage(one.c_str()), nullptr);
  EXPECT_FALSE(manager.RemoveImage(one.c_str(), true));
  other.RemoveAllImages();
  EXPECT_EQ(other.GetImage(one.c_str()), nullptr);
  EXPECT_EQ(manager.RegisterImage(folder.Path(L"absent.png").c_str(), L"", 0, false, false), nullptr);
}

TEST(ManagerUI, RegisteringANameAgainReplacesTheRecordInPlace) {
  vxtest::ImageFolder folder;
  const std::wstring path = folder.Write(L"swap.png", 1, 1, {0xFF0000FF});
  CManagerUI manager;
  const SkinUI::UIImage* first = manager.RegisterImage(path.c_str(), L"", 0, false, false);
  ASSERT_NE(first, nullptr);
  folder.Write(L"swap.png", 3, 1, {0xFF00FF00, 0xFF00FF00, 0xFF00FF00});
  const SkinUI::UIImage* second = manager.RegisterImage(path.c_str(), L"", 0, false, false);
  EXPECT_EQ(second, first) << "descriptors pointing at the record stay valid";
  EXPECT_EQ(second->width, 3);
}

TEST(ManagerUI, InitEmptiesTheManagersTables) {
  vxtest::ImageFolder folder;
  const std::wstring path = folder.Write(L"x.png", 1, 1, {0xFF0000FF});
  CManagerUI manager;
  manager.RegisterImage(path.c_str(), L"", 0, false, false);
  manager.RegisterFont(2, L"Tahoma", 30, false, false, false, false);
  manager.SetClassDefaults(L"VScrollBar", L"width=\"8\"", false);
  manager.Init(nullptr, L"main");
  EXPECT_TRUE(manager.GetName() == L"main");
  EXPECT_EQ(manager.GetImage(path.c_str()), nullptr);
  EXPECT_EQ(manager.GetFont(2), manager.GetFont(-1));
  EXPECT_EQ(manager.GetClassDefaults(L"VScrollBar"), nullptr);
}

TEST(ManagerUI, MissingImagesAreForgottenWithTheImages) {
  CManagerUI manager;
  EXPECT_FALSE(manager.IsImageMissing(L"gone.png"));
  manager.MarkImageMissing(L"gone.png");
  EXPECT_TRUE(manager.IsImageMissing(L"gone.png"));
  EXPECT_FALSE(manager.IsImageMissing(L"other.png"));
  EXPECT_FALSE(CManagerUI().IsImageMissing(L"gone.png")) << "each manager has its own";
  manager.RemoveAllImages();
  EXPECT_FALSE(manager.IsImageMissing(L"gone.png"));
  manager.MarkImageMissing(L"gone.png");
  manager.Init(nullptr, L"main");
  EXPECT_FALSE(manager.IsImageMissing(L"gone.png"));
}

TEST(ManagerUI, ClassDefaultsFromTheManagerThenShared) {
  CManagerUI manager;
  manager.SetClassDefaults(L"HScrollBar", L"height=\"9\"", true);
  EXPECT_STREQ(CManagerUI().GetClassDefaults(L"HScrollBar"), L"height=\"9\"");
  manager.SetClassDefaults(L"HScrollBar", L"height=\"5\"", false);
  EXPECT_STREQ(manager.GetClassDefaults(L"HScrollBar"), L"height=\"5\"");
  EXPECT_EQ(manager.GetClassDefaults(L"Button"), nullptr);
}

TEST(ManagerUI, InvalidationWithoutAWindowIsCollected) {
  CManagerUI manager;
  EXPECT_TRUE(::IsRectEmpty(&manager.GetInvalidatedRect()));
  manager.Invalidate(RECT{-5, -5, 10, 10});
  manager.Invalidate(RECT{20, 20, 30, 25});
  manager.Invalidate(RECT{50, 50, 40, 40});  // inverted: empty
  const RECT& area = manager.GetInvalidatedRect();
  EXPECT_EQ(area.left, 0);
  EXPECT_EQ(area.top, 0);
  EXPECT_EQ(area.right, 30);
  EXPECT_EQ(area.bottom, 25);
  manager.ClearInvalidatedRect();
  EXPECT_TRUE(::IsRectEmpty(&manager.GetInvalidatedRect()));
  EXPECT_FALSE(manager.IsUpdateNeeded());
  manager.RequestLayout();
  EXPECT_TRUE(manager.IsUpdateNeeded());
  manager.ClearUpdateNeeded();
  EXPECT_FALSE(manager.IsUpdateNeeded());
}

TEST(ManagerUI, InvalidationWithAWindowGoesToTheWindow) {
  utility::ScopedWindow window(
      ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(window);
  ::ValidateRect(window.get(), nullptr);
  CManagerUI manager;
  manager.Init(window.get(), L"w");
  EXPECT_EQ(manager.GetPaintWindow(), window.get());
  EXPECT_NE(manager.GetPaintDC(), nullptr) << "the window's DC";
  manager.Invalidate(RECT{-3, 10, 20, 30});
  RECT update{};
  ASSERT_TRUE(::GetUpdateRect(window.get(), &update, FALSE));
  EXPECT_EQ(update.left, 0);
  EXPECT_EQ(update.top, 10);
  EXPECT_EQ(update.right, 20);
  EXPECT_EQ(update.bottom, 30);
  EXPECT_TRUE(::IsRectEmpty(&manager.GetInvalidatedRect()));
  manager.Init(nullptr, L"w");  // gives the window's DC back before the window goes
}

}  // namespace
