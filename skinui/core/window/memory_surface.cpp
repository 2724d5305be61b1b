#include "skinui/core/window/memory_surface.h"

#include "skinui/render/scratch_surface.h"

namespace SkinUI {

CMemorySurface::~CMemorySurface() {
  if (dc_ && original_ != nullptr) ::SelectObject(dc_.get(), original_);
}

bool CMemorySurface::Create(HDC reference, int width, int height, bool withPixels) {
  if (dc_ || width <= 0 || height <= 0) return false;
  dc_.reset(::CreateCompatibleDC(reference));
  if (!dc_) return false;
  uint32_t* pixels = nullptr;
  bitmap_.reset(withPixels ? CreateTopDownBitmap(width, height, &pixels)
                           : ::CreateCompatibleBitmap(reference, width, height));
  if (!bitmap_) return false;
  original_ = ::SelectObject(dc_.get(), bitmap_.get());
  pixels_ = pixels;
  width_ = width;
  height_ = height;
  return true;
}

}  // namespace SkinUI
