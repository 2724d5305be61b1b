#include "skinui/render/blend_functions.h"

#include "skinui/render/scratch_surface.h"
#include "utility/system_library.h"

namespace SkinUI {
namespace {

// The 32-bit pixels of the DIB section selected into dc, or null. Every
// surface the renderer blends from is top-down (GetObject reports a positive
// height for those too, so the row order cannot be checked here).
const uint32_t* SelectedPixels(HDC dc, int* width, int* height) {
  DIBSECTION section{};
  HGDIOBJ bitmap = ::GetCurrentObject(dc, OBJ_BITMAP);
  if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(section), &section) != sizeof(section)) return nullptr;
  if (section.dsBm.bmBitsPixel != 32 || section.dsBm.bmBits == nullptr) return nullptr;
  *width = section.dsBm.bmWidth;
  *height = section.dsBm.bmHeight;
  return static_cast<const uint32_t*>(section.dsBm.bmBits);
}

uint32_t Scale(uint32_t pixel, uint32_t alpha) {
  const uint32_t rb = ((pixel & 0x00FF00FFu) * alpha + 0x00800080u);
  const uint32_t ag = (((pixel >> 8) & 0x00FF00FFu) * alpha + 0x00800080u);
  return (((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu) | ((ag + ((ag >> 8) & 0x00FF00FFu)) & 0xFF00FF00u);
}

// Premultiplied "over": source plus what its alpha leaves of the destination.
uint32_t Over(uint32_t source, uint32_t dest) { return source + Scale(dest, 255 - (source >> 24)); }

}  // namespace

CBlendFunctions& CBlendFunctions::Instance() {
  static CBlendFunctions* instance = new CBlendFunctions;  // lives as long as the process
  return *instance;
}

CBlendFunctions::CBlendFunctions() {
  library_ = utility::usystem::loadSystemLibrary(L"msimg32.dll");
  if (!library_) return;
  alphaBlend_ = reinterpret_cast<AlphaBlendFn>(reinterpret_cast<void*>(::GetProcAddress(library_.get(), "AlphaBlend")));
  gradientFill_ =
      reinterpret_cast<GradientFillFn>(reinterpret_cast<void*>(::GetProcAddress(library_.get(), "GradientFill")));
}

bool CBlendFunctions::Blend(HDC dest, const RECT& to, HDC src, const RECT& from, BYTE constantAlpha, bool perPixel) {
  const int width = to.right - to.left;
  const int height = to.bottom - to.top;
  if (width <= 0 || height <= 0 || from.right <= from.left || from.bottom <= from.top) return false;
  if (IsPlatform()) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, constantAlpha, static_cast<BYTE>(perPixel ? AC_SRC_ALPHA : 0)};
    return alphaBlend_(dest, to.left, to.top, width, height, src, from.left, from.top, from.right - from.left,
                       from.bottom - from.top, blend) != FALSE;
  }
  return SoftwareBlend(dest, to, src, from, constantAlpha, perPixel);
}

bool CBlendFunctions::SoftwareBlend(HDC dest,
                                    const RECT& to,
                                    HDC src,
                                    const RECT& from,
                                    BYTE constantAlpha,
                                    bool perPixel) {
  int sourceWidth = 0;
  int sourceHeight = 0;
  const uint32_t* source = SelectedPixels(src, &sourceWidth, &sourceHeight);
  if (source == nullptr || from.left < 0 || from.top < 0 || from.right > sourceWidth || from.bottom > sourceHeight) {
    return false;
  }
  // The destination is copied out, blended and copied back, so its clip
  // region and coordinate mapping apply as they do to any blit.
  static CScratchSurface* scratch = new CScratchSurface;
  const int width = to.right - to.left;
  const int height = to.bottom - to.top;
  if (!scratch->Reserve(width, height)) return false;
  ::BitBlt(scratch->GetDC(), 0, 0, width, height, dest, to.left, to.top, SRCCOPY);
  ::GdiFlush();
  const int fromWidth = from.right - from.left;
  const int fromHeight = from.bottom - from.top;
  for (int y = 0; y < height; ++y) {
    const uint32_t* sourceRow = source + static_cast<size_t>(from.top + y * fromHeight / height) * sourceWidth;
    uint32_t* row = scratch->Row(y);
    for (int x = 0; x < width; ++x) {
      const uint32_t pixel = sourceRow[from.left + x * fromWidth / width];
      row[x] = perPixel ? Over(Scale(pixel, constantAlpha), row[x])
                        : Scale(pixel, constantAlpha) + Scale(row[x], 255u - constantAlpha);
    }
  }
  return ::BitBlt(dest, to.left, to.top, width, height, scratch->GetDC(), 0, 0, SRCCOPY) != FALSE;
}

bool CBlendFunctions::Gradient(HDC dc, const RECT& rect, uint32_t first, uint32_t second, bool vertical) {
  if (!IsPlatform()) return false;
  auto channel = [](uint32_t color, int shift) { return static_cast<COLOR16>(((color >> shift) & 0xFF) << 8); };
  TRIVERTEX vertices[2] = {
      {rect.left, rect.top, channel(first, 16), channel(first, 8), channel(first, 0), 0xFF00},
      {rect.right, rect.bottom, channel(second, 16), channel(second, 8), channel(second, 0), 0xFF00},
  };
  GRADIENT_RECT span{0, 1};
  return gradientFill_(dc, vertices, 2, &span, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H) != FALSE;
}

}  // namespace SkinUI
