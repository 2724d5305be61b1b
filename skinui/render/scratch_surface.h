#pragma once
// A reusable 32-bit top-down surface with its own memory DC. It only grows,
// so drawing paths that need a temporary surface allocate nothing once it is
// large enough.

#include <windows.h>

#include <cstdint>

#include "skinui/core/gdi_handles.h"

namespace SkinUI {

class CScratchSurface {
 public:
  CScratchSurface() = default;
  ~CScratchSurface();
  CScratchSurface(const CScratchSurface&) = delete;
  CScratchSurface& operator=(const CScratchSurface&) = delete;

  // Makes the surface at least width x height; false when it cannot be made.
  bool Reserve(int width, int height);
  // The memory DC with the surface selected; null before Reserve.
  HDC GetDC() const { return dc_.get(); }
  // The pixel at x, y (after GdiFlush); valid until the next Reserve.
  uint32_t* Row(int y) const { return pixels_ + static_cast<size_t>(y) * width_; }

 private:
  ScopedMemoryDC dc_;
  ScopedBitmap bitmap_;
  HGDIOBJ original_ = nullptr;  // the DC's own bitmap, selected back before bitmap_ goes
  uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// Creates a 32-bit top-down DIB section of width x height; *pixels receives its bits.
HBITMAP CreateTopDownBitmap(int width, int height, uint32_t** pixels);

}  // namespace SkinUI
