#pragma once
// Per-pixel alpha blending and gradients: msimg32's AlphaBlend and
// GradientFill, looked up once by full path in the system folder, or the
// built-in versions when the system lacks them or they are switched off.

#include <windows.h>

#include <cstdint>

#include "utility/scoped_handle.h"

namespace SkinUI {

class CBlendFunctions {
 public:
  // The one instance; resolves msimg32 on first use.
  static CBlendFunctions& Instance();

  // Chooses msimg32's functions (when found) or the built-in ones.
  void UsePlatform(bool use) { usePlatform_ = use; }
  // True when msimg32's functions are found and chosen.
  bool IsPlatform() const { return usePlatform_ && alphaBlend_ != nullptr && gradientFill_ != nullptr; }

  // Blends source (width x height at sx, sy of src, a DC with a 32-bit DIB
  // selected) stretched into dest; perPixel: the source is premultiplied
  // and its alpha counts, scaled by constantAlpha; otherwise constantAlpha
  // alone weighs source against destination. False when nothing could be drawn.
  bool Blend(HDC dest, const RECT& to, HDC src, const RECT& from, BYTE constantAlpha, bool perPixel);
  // Fills rect with msimg32's gradient from first to second (0xAARRGGBB);
  // false when the platform function is not in use.
  bool Gradient(HDC dc, const RECT& rect, uint32_t first, uint32_t second, bool vertical);

 private:
  using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
  using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

  CBlendFunctions();
  bool SoftwareBlend(HDC dest, const RECT& to, HDC src, const RECT& from, BYTE constantAlpha, bool perPixel);

  utility::ScopedModule library_;
  AlphaBlendFn alphaBlend_ = nullptr;
  GradientFillFn gradientFill_ = nullptr;
  bool usePlatform_ = true;
};

}  // namespace SkinUI
