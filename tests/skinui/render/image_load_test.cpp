#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skinui/core/resources/resources.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/render/image_loader.h"
#include "skinui/render/render_ui.h"
#include "tests/common/temp_dir.h"
#include "tests/skinui/render/render_test_support.h"

namespace {

using SkinUI::CRenderUI;
using vxtest::Hex;

TEST(ImageLoad, TranslucentPixelsArePremultipliedAndOpaqueOnesCopied) {
  vxtest::ImageFolder folder;
  const std::wstring path = folder.Write(L"half.png", 2, 1, {0x80FF0000, 0xFF123456});
  auto image = CRenderUI::LoadImage(path.c_str(), L"", 0);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 2);
  EXPECT_EQ(image->height, 1);
  EXPECT_TRUE(image->hasAlpha);
  EXPECT_EQ(image->pixels[0], 0x80800000u) << Hex(image->pixels[0]);
  EXPECT_EQ(image->pixels[1], 0xFF123456u) << Hex(image->pixels[1]);
  DIBSECTION section{};
  ASSERT_EQ(::GetObjectW(image->bitmap.get(), sizeof(section), &section), static_cast<int>(sizeof(section)));
  EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
  EXPECT_EQ(section.dsBm.bmBits, image->pixels);
}

TEST(ImageLoad, AnOpaqueImageHasNoAlpha) {
  vxtest::ImageFolder folder;
  const std::wstring path = folder.Write(L"opaque.png", 1, 2, {0xFF00FF00, 0xFF0000FF});
  auto image = CRenderUI::LoadImage(path.c_str(), nullptr, 0);
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->hasAlpha);
  // Top-down: the first pixel in memory is the top row.
  SkinUI::ScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
  SkinUI::ScopedSelectObject select(dc.get(), image->bitmap.get());
  EXPECT_EQ(::GetPixel(dc.get(), 0, 0), RGB(0, 255, 0));
  EXPECT_EQ(::GetPixel(dc.get(), 0, 1), RGB(0, 0, 255));
}

TEST(ImageLoad, TheMaskColourBecomesTransparent) {
  vxtest::ImageFolder folder;
  const std::wstring path = folder.Write(L"masked.png", 2, 1, {0xFFFF00FF, 0xFF0000FF});
  auto image = CRenderUI::LoadImage(path.c_str(), L"", 0xFFFF00FF);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels[0], 0u);
  EXPECT_EQ(image->pixels[1], 0xFF0000FFu);
  EXPECT_TRUE(image->hasAlpha);
  EXPECT_EQ(image->mask, 0xFFFF00FFu);
}

TEST(ImageLoad, AColourValueGivesOnePremultipliedPixel) {
  auto image = CRenderUI::LoadImage(L"#80FF0000", SkinUI::kColorImageType, 0);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 1);
  EXPECT_EQ(image->pixels[0], 0x80800000u) << Hex(image->pixels[0]);
  EXPECT_TRUE(image->resourceType == SkinUI::kColorImageType);
}

TEST(ImageLoad, ANumericNameWithATypeIsAResourceId) {
  SkinUI::CResourceContext::Instance().SetModuleHandle(::GetModuleHandleW(nullptr));
  auto image = CRenderUI::LoadImage(L"140", L"PNG", 0);
  ASSERT_TRUE(image);
  ASSERT_EQ(image->width, 2);
  ASSERT_EQ(image->height, 2);
  EXPECT_EQ(image->pixels[0], 0xFF00FF00u) << Hex(image->pixels[0]);
  EXPECT_EQ(image->pixels[1], 0x80800000u) << Hex(image->pixels[1]);
  EXPECT_EQ(image->pixels[2], 0xFFFF00FFu) << Hex(image->pixels[2]);
  EXPECT_EQ(image->pixels[3], 0u);
  EXPECT_FALSE(CRenderUI::LoadImage(L"141", L"PNG", 0)) << "no such resource";
}

TEST(ImageLoad, BytesThatDoNotDecodeAndAbsentFilesGiveNoImage) {
  vxtest::TempDir dir;
  ASSERT_TRUE(vxtest::writeFile(dir.file(L"junk.png"), std::string("\x89PNG not really", 15)));
  EXPECT_FALSE(CRenderUI::LoadImage(dir.file(L"junk.png").c_str(), L"", 0));
  EXPECT_FALSE(CRenderUI::LoadImage(dir.file(L"absent.png").c_str(), L"", 0));
  EXPECT_FALSE(CRenderUI::LoadImage(L"", L"", 0));
}

// A PNG whose header claims width x height and whose data is one empty row.
std::string ClaimedPng(int width, int height) {
  std::string png = vxtest::EncodePng(1, 1, {0xFF000000});
  // IHDR's width and height follow the signature, the length and the type.
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = static_cast<char>(width >> (24 - 8 * i));
    png[20 + i] = static_cast<char>(height >> (24 - 8 * i));
  }
  return png;
}

TEST(ImageLoad, AbsurdSizesAreRefusedBeforeDecoding) {
  EXPECT_TRUE(SkinUI::IsAcceptableImageSize(16384, 16384));
  EXPECT_FALSE(SkinUI::IsAcceptableImageSize(16385, 1));
  EXPECT_FALSE(SkinUI::IsAcceptableImageSize(1, 16385));
  EXPECT_FALSE(SkinUI::IsAcceptableImageSize(0, 5));
  for (int side : {16385, 1 << 20, 0x7FFFFFFF}) {
    const std::string wide = ClaimedPng(side, 1);
    const std::string tall = ClaimedPng(1, side);
    EXPECT_FALSE(SkinUI::DecodeImage(reinterpret_cast<const unsigned char*>(wide.data()), wide.size(), 0)) << side;
    EXPECT_FALSE(SkinUI::DecodeImage(reinterpret_cast<const unsigned char*>(tall.data()), tall.size(), 0)) << side;
  }
}

TEST(ImageLoad, SkinFilesComeThroughTheResourceContext) {
  vxtest::TempDir dir;
  ASSERT_TRUE(vxtest::writeFile(dir.file(L"skin.png"), vxtest::EncodePng(1, 1, {0xFF336699})));
  SkinUI::CResourceContext& context = SkinUI::CResourceContext::Instance();
  context.SetSkinDirectory(dir.path().c_str());
  auto image = CRenderUI::LoadImage(L"skin.png", L"", 0);
  context.SetSkinDirectory(L"");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels[0], 0xFF336699u);
}

TEST(ImageLoad, AnImageThatCannotBeLoadedIsNotTriedAgain) {
  vxtest::TempDir dir;
  const std::wstring path = dir.file(L"late.png");
  SkinUI::CManagerUI manager;
  SkinUI::UIImageDesc desc;
  desc.Reset(path.c_str());
  EXPECT_FALSE(CRenderUI::DrawImage(nullptr, &manager, RECT{}, RECT{}, desc));
  EXPECT_TRUE(desc.loadAttempted);
  // The file appears later: the failed descriptor stays failed.
  ASSERT_TRUE(vxtest::writeFile(path, vxtest::EncodePng(1, 1, {0xFF000000})));
  EXPECT_FALSE(CRenderUI::DrawImage(nullptr, &manager, RECT{}, RECT{}, desc));
  EXPECT_EQ(manager.GetImage(path.c_str()), nullptr);
  // A new description is a new attempt.
  desc.Reset(path.c_str());
  EXPECT_TRUE(CRenderUI::DrawImage(nullptr, &manager, RECT{}, RECT{}, desc));
  EXPECT_NE(desc.image, nullptr);
}

TEST(ImageLoad, WithoutAManagerNothingIsAttempted) {
  SkinUI::UIImageDesc desc;
  desc.Reset(L"whatever.png");
  EXPECT_FALSE(CRenderUI::DrawImage(nullptr, nullptr, RECT{}, RECT{}, desc));
  EXPECT_FALSE(desc.loadAttempted);
  SkinUI::CManagerUI manager;
  desc.Reset(L"");
  EXPECT_FALSE(CRenderUI::DrawImage(nullptr, &manager, RECT{}, RECT{}, desc));
}

TEST(ImageLoad, TheSameNameReusesTheFirstRecord) {
  vxtest::ImageFolder folder;
  const std::wstring path = folder.Write(L"one.png", 4, 2, std::vector<uint32_t>(8, 0xFFFF00FF));
  SkinUI::CManagerUI manager;
  SkinUI::UIImageDesc first;
  first.Reset((L"file='" + path + L"' source='0,0,99,99'").c_str());
  SkinUI::UIImageDesc second;
  second.Reset((L"file='" + path + L"' mask='#FFFF00FF'").c_str());
  ASSERT_TRUE(CRenderUI::DrawImage(nullptr, &manager, RECT{}, RECT{}, first));
  ASSERT_TRUE(CRenderUI::DrawImage(nullptr, &manager, RECT{}, RECT{}, second));
  EXPECT_EQ(first.image, second.image);
  EXPECT_EQ(second.image->pixels[0], 0xFFFF00FFu) << "the first record's mask holds";
  // A source wider than the image is cut to it; an all-zero one is the whole image.
  EXPECT_EQ(first.source.right, 4);
  EXPECT_EQ(first.source.bottom, 2);
  EXPECT_EQ(second.source.right, 4);
}

}  // namespace
