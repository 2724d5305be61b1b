#include "skinui/core/gdi_handles.h"

#include <gtest/gtest.h>

namespace {

HFONT makeFont() {
  return ::CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

TEST(GdiHandles, ObjectOwnersDeleteTheirObjectsAndBorrowersDoNot) {
  HFONT raw = makeFont();
  HBITMAP bitmap = ::CreateBitmap(4, 4, 1, 32, nullptr);
  ASSERT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_FONT));
  ASSERT_EQ(::GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
  {
    SkinUI::ScopedFont font(raw);
    SkinUI::ScopedBitmap image(bitmap);
    // A borrower holds the raw handle only; the owner is still the one to free it.
    const HFONT borrowed = font.get();
    EXPECT_EQ(::GetObjectType(borrowed), static_cast<DWORD>(OBJ_FONT));
  }
  EXPECT_EQ(::GetObjectType(raw), 0u);
  EXPECT_EQ(::GetObjectType(bitmap), 0u);
}

TEST(GdiHandles, MemoryDCIsDeleted) {
  HDC raw = ::CreateCompatibleDC(nullptr);
  ASSERT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
  { SkinUI::ScopedMemoryDC dc(raw); }
  EXPECT_EQ(::GetObjectType(raw), 0u);
}

TEST(GdiHandles, SelectionPutsThePreviousObjectBack) {
  SkinUI::ScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
  SkinUI::ScopedBitmap bitmap(::CreateCompatibleBitmap(dc.get(), 8, 8));
  SkinUI::ScopedFont font(makeFont());
  const HGDIOBJ stockBitmap = ::GetCurrentObject(dc.get(), OBJ_BITMAP);
  const HGDIOBJ stockFont = ::GetCurrentObject(dc.get(), OBJ_FONT);
  {
    SkinUI::ScopedSelectObject selectBitmap(dc.get(), bitmap.get());
    SkinUI::ScopedSelectObject selectFont(dc.get(), font.get());
    EXPECT_TRUE(selectBitmap.selected());
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_FONT), font.get());
  }
  EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), stockBitmap);
  EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_FONT), stockFont);
}

TEST(GdiHandles, FailedSelectionRestoresNothing) {
  SkinUI::ScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
  const HGDIOBJ stockFont = ::GetCurrentObject(dc.get(), OBJ_FONT);
  {
    SkinUI::ScopedSelectObject select(dc.get(), nullptr);
    EXPECT_FALSE(select.selected());
  }
  EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_FONT), stockFont);
}

TEST(GdiHandles, WindowDCIsUsableWhileHeld) {
  SkinUI::ScopedWindowDC screen(nullptr);
  ASSERT_TRUE(screen);
  EXPECT_GT(::GetDeviceCaps(screen.get(), HORZRES), 0);
}

}  // namespace
