#pragma once
// A memory DC with one bitmap of a fixed size selected into it: the
// window's offscreen and background surfaces. A 32-bit top-down surface
// gives direct access to its pixels (the layered path needs them); a
// device-compatible one does not.

#include <windows.h>

#include <cstdint>

#include "skinui/core/gdi_handles.h"

namespace SkinUI {

class CMemorySurface {
 public:
  CMemorySurface() = default;
  // Selects the DC's own bitmap back before the DC and the bitmap are freed.
  ~CMemorySurface();
  CMemorySurface(const CMemorySurface&) = delete;
  CMemorySurface& operator=(const CMemorySurface&) = delete;

  // Makes a width x height surface compatible with reference: 32-bit with
  // pixels when withPixels, else device-compatible. False when it cannot be made.
  bool Create(HDC reference, int width, int height, bool withPixels);
  // The memory DC; null before Create.
  HDC GetDC() const { return dc_.get(); }
  // Row y of the pixels (0xAARRGGBB, premultiplied); null without pixels.
  uint32_t* Row(int y) const { return pixels_ != nullptr ? pixels_ + static_cast<size_t>(y) * width_ : nullptr; }
  bool HasPixels() const { return pixels_ != nullptr; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }

 private:
  ScopedMemoryDC dc_;
  ScopedBitmap bitmap_;
  HGDIOBJ original_ = nullptr;
  uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace SkinUI
