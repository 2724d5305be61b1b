// Painting a frame again allocates nothing once images are loaded and
// temporary surfaces have grown: the operator new of this program counts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "skinui/core/window/manager_ui.h"
#include "skinui/render/render_ui.h"
#include "tests/skinui/render/render_test_support.h"

namespace {
long g_allocations = 0;
}  // namespace

// The replacement pair is malloc and free by design.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* block = std::malloc(size != 0 ? size : 1)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

using SkinUI::CRenderUI;

class FrameAllocations : public testing::TestWithParam<bool> {
 protected:
  void TearDown() override { CRenderUI::UsePlatformBlending(true); }
};

TEST_P(FrameAllocations, ARepeatedFrameAllocatesNothing) {
  CRenderUI::UsePlatformBlending(GetParam());
  vxtest::ImageFolder folder;
  const std::wstring frame = folder.Write(L"frame.png", 9, 9, std::vector<uint32_t>(81, 0x80FF0000));
  const std::wstring icon = folder.Write(L"icon.png", 8, 8, std::vector<uint32_t>(64, 0xFF00FF00));
  // An inline image that does not decode is missing, not read again on every frame.
  const std::wstring corrupt = folder.Path(L"corrupt.png");
  ASSERT_TRUE(vxtest::writeFile(corrupt, "not an image"));
  vxtest::Surface surface(300, 200);
  SkinUI::CManagerUI manager;
  manager.SetPaintDC(surface.dc());
  manager.RegisterFont(1, L"Tahoma", 13, false, false, false, false);
  SkinUI::UIImageDesc nine;
  nine.Reset((L"file='" + frame + L"' corner='3,3,3,3' xtiled='true'").c_str());
  SkinUI::UIImageDesc faded;
  faded.Reset((L"file='" + icon + L"' fade='100'").c_str());
  const std::wstring text = L"<b>Install</b> to <c #FF0000>here</c> <a http://x/>terms</a> <i " + icon + L"> <i " +
                            corrupt + L" 2 0><n>second line with words that wrap around the edge";
  RECT links[2] = {};
  SkinUI::CUIString targets[2];
  const RECT all = surface.rect();
  auto paint = [&] {
    {
      auto clip = CRenderUI::MakeRoundClip(surface.dc(), all, all, 8, 8);
      CRenderUI::FillColor(surface.dc(), all, 0xFFFFFFFF);
      CRenderUI::FillGradient(surface.dc(), RECT{0, 0, 300, 40}, 0xFF102030, 0xFF405060, true, 64);
      CRenderUI::FillGradient(surface.dc(), RECT{0, 40, 300, 80}, 0x80102030, 0x80405060, false, 64);
      CRenderUI::FillColor(surface.dc(), RECT{0, 80, 300, 100}, 0x80000000);
    }
    CRenderUI::DrawImage(surface.dc(), &manager, RECT{10, 10, 200, 60}, all, nine);
    CRenderUI::DrawImage(surface.dc(), &manager, RECT{210, 10, 240, 40}, all, faded);
    CRenderUI::DrawRect(surface.dc(), RECT{5, 5, 295, 195}, 1, 0xFF000000);
    RECT label{10, 100, 290, 120};
    CRenderUI::DrawText(surface.dc(), &manager, label, L"@some_key", 0xFF000000, 1, DT_SINGLELINE | DT_VCENTER);
    RECT body{10, 120, 150, 195};
    int count = 2;
    CRenderUI::DrawFormattedText(surface.dc(), &manager, body, text.c_str(), 0xFF000000, links, targets, count, 1,
                                 DT_WORDBREAK | DT_END_ELLIPSIS | DT_VCENTER);
  };
  paint();  // loads images, makes fonts and temporary surfaces
  const long before = g_allocations;
  paint();
  paint();
  EXPECT_EQ(g_allocations - before, 0);
}

INSTANTIATE_TEST_SUITE_P(Blending,
                         FrameAllocations,
                         testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Msimg32" : "BuiltIn"; });

}  // namespace
