#pragma once
// A loaded image and the parsed form of one image attribute. Images are
// decoded once into premultiplied 32-bit top-down bitmaps, ready to blit;
// the table that holds a record owns its bitmap, and descriptors only point
// at records.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "skinui/core/gdi_handles.h"
#include "skinui/core/markup/ui_string.h"

namespace SkinUI {

// Resource type of the 1 x 1 images made from a colour value.
inline constexpr wchar_t kColorImageType[] = L"*COLOR*";

struct UIImage {
  ScopedBitmap bitmap;               // 32-bit top-down DIB section, premultiplied
  uint32_t* pixels = nullptr;        // the bitmap's pixels, 0xAARRGGBB, row after row
  std::vector<uint32_t> sourceCopy;  // the pixels as loaded, kept only with keepPixels
  int width = 0;
  int height = 0;
  bool hasAlpha = false;  // some pixel is not opaque, or the mask was hit
  bool keepPixels = false;
  CUIString resourceType;  // empty: a skin file; kColorImageType: a colour
  uint32_t mask = 0;       // colour key, 0xAARRGGBB
};

struct UIImageDesc {
  CUIString description;           // the attribute text as written
  CUIString imageName;             // resolved image name
  const UIImage* image = nullptr;  // owned by a manager's table; null until loaded
  RECT dest{};                     // relative to the item rectangle; all 0: the whole item
  RECT source{};                   // part of the image; all 0: the whole image
  RECT corner{};                   // fixed left, top, right and bottom borders
  uint8_t fade = 255;              // constant alpha
  bool hole = false;               // the centre part is not drawn
  bool xTiled = false;             // the centre part is repeated across
  bool yTiled = false;             // the centre part is repeated down
  bool loadAttempted = false;      // a failed load is not retried on every paint

  // Starts over with a new description: geometry, flags and image are reset.
  void Reset(const wchar_t* text);
};

}  // namespace SkinUI
