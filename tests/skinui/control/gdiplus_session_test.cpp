#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "skinui/control/gdiplus_session.h"

namespace {

using SkinUI::CGdiplusUse;

bool LibraryLoaded() { return ::GetModuleHandleW(L"gdiplus.dll") != nullptr; }

TEST(GdiplusSession, FirstUseStartsAndLastReleaseShutsDown) {
  ASSERT_EQ(CGdiplusUse::UseCount(), 0);
  ASSERT_FALSE(CGdiplusUse::IsStarted());
  ASSERT_FALSE(LibraryLoaded());
  auto first = std::make_unique<CGdiplusUse>();
  EXPECT_TRUE(CGdiplusUse::IsStarted());
  EXPECT_NE(CGdiplusUse::Api(), nullptr);
  EXPECT_TRUE(LibraryLoaded());
  const SkinUI::GdiplusApi* api = CGdiplusUse::Api();
  {
    const CGdiplusUse second;
    EXPECT_EQ(CGdiplusUse::UseCount(), 2);
    EXPECT_EQ(CGdiplusUse::Api(), api);  // the second use shares the started library
  }
  EXPECT_EQ(CGdiplusUse::UseCount(), 1);
  EXPECT_TRUE(CGdiplusUse::IsStarted());
  first.reset();
  EXPECT_EQ(CGdiplusUse::UseCount(), 0);
  EXPECT_FALSE(CGdiplusUse::IsStarted());
  EXPECT_EQ(CGdiplusUse::Api(), nullptr);
  EXPECT_FALSE(LibraryLoaded());
}

TEST(GdiplusSession, StartsAgainAfterTheLastRelease) {
  for (int round = 0; round < 3; ++round) {
    const CGdiplusUse use;
    EXPECT_TRUE(CGdiplusUse::IsStarted()) << "round " << round;
    EXPECT_EQ(CGdiplusUse::UseCount(), 1);
  }
  EXPECT_FALSE(CGdiplusUse::IsStarted());
}

}  // namespace
