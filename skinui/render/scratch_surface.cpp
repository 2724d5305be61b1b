#include "skinui/render/scratch_surface.h"

#include <algorithm>
#include <utility>

namespace SkinUI {

HBITMAP CreateTopDownBitmap(int width, int height, uint32_t** pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  *pixels = bitmap != nullptr ? static_cast<uint32_t*>(bits) : nullptr;
  return bitmap;
}

CScratchSurface::~CScratchSurface() {
  if (dc_ && original_ != nullptr) ::SelectObject(dc_.get(), original_);
}

bool CScratchSurface::Reserve(int width, int height) {
  if (width <= width_ && height <= height_ && bitmap_) return true;
  if (!dc_) dc_.reset(::CreateCompatibleDC(nullptr));
  if (!dc_) return false;
  const int newWidth = std::max(width, width_);
  const int newHeight = std::max(height, height_);
  uint32_t* pixels = nullptr;
  ScopedBitmap bitmap(CreateTopDownBitmap(newWidth, newHeight, &pixels));
  if (!bitmap) return false;
  HGDIOBJ previous = ::SelectObject(dc_.get(), bitmap.get());
  if (original_ == nullptr) original_ = previous;
  bitmap_ = std::move(bitmap);
  pixels_ = pixels;
  width_ = newWidth;
  height_ = newHeight;
  return true;
}

}  // namespace SkinUI
