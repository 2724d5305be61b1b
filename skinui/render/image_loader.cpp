#include "skinui/render/image_loader.h"

#include <climits>

#include "skinui/render/scratch_surface.h"

// The one translation unit with the decoder's code. Larger images than the
// renderer accepts are refused by the decoder too.
#define STBI_MAX_DIMENSIONS 16384
#define STBI_NO_STDIO
// Skins carry PNG, JPEG, BMP and GIF only; the other decoders would be dead weight in the program.
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
#define STBI_FAILURE_USERMSG
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

namespace SkinUI {
namespace {

struct StbiFree {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

// Fills image from RGBA bytes: opaque pixels are copied, others are
// premultiplied, and pixels equal to the mask become transparent.
std::unique_ptr<UIImage> FromRgba(const unsigned char* rgba, int width, int height, uint32_t mask) {
  auto image = std::make_unique<UIImage>();
  image->bitmap.reset(CreateTopDownBitmap(width, height, &image->pixels));
  if (!image->bitmap) return nullptr;
  ::GdiFlush();
  image->width = width;
  image->height = height;
  image->mask = mask;
  const size_t count = static_cast<size_t>(width) * height;
  for (size_t i = 0; i < count; ++i, rgba += 4) {
    const uint32_t alpha = rgba[3];
    if (alpha < 255) image->hasAlpha = true;
    uint32_t pixel = PremultiplyColor((alpha << 24) | (uint32_t{rgba[0]} << 16) | (uint32_t{rgba[1]} << 8) | rgba[2]);
    if (pixel == mask) {
      pixel = 0;
      image->hasAlpha = true;
    }
    image->pixels[i] = pixel;
  }
  return image;
}

}  // namespace

uint32_t PremultiplyColor(uint32_t color) {
  const uint32_t alpha = color >> 24;
  if (alpha == 255) return color;
  const uint32_t r = ((color >> 16) & 0xFF) * alpha / 255;
  const uint32_t g = ((color >> 8) & 0xFF) * alpha / 255;
  const uint32_t b = (color & 0xFF) * alpha / 255;
  return (alpha << 24) | (r << 16) | (g << 8) | b;
}

bool IsAcceptableImageSize(int width, int height) {
  if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return false;
  return static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) * 4 <= INT_MAX;
}

std::unique_ptr<UIImage> DecodeImage(const unsigned char* bytes, size_t size, uint32_t mask) {
  if (bytes == nullptr || size == 0 || size > INT_MAX) return nullptr;
  const int length = static_cast<int>(size);
  int width = 0;
  int height = 0;
  int channels = 0;
  // The size is checked before any pixel memory is asked for.
  if (!stbi_info_from_memory(bytes, length, &width, &height, &channels) || !IsAcceptableImageSize(width, height)) {
    return nullptr;
  }
  std::unique_ptr<stbi_uc, StbiFree> rgba(stbi_load_from_memory(bytes, length, &width, &height, &channels, 4));
  if (!rgba || !IsAcceptableImageSize(width, height)) return nullptr;
  return FromRgba(rgba.get(), width, height, mask);
}

std::unique_ptr<UIImage> MakeColorImage(uint32_t color, uint32_t mask) {
  const unsigned char rgba[4] = {static_cast<unsigned char>(color >> 16), static_cast<unsigned char>(color >> 8),
                                 static_cast<unsigned char>(color), static_cast<unsigned char>(color >> 24)};
  return FromRgba(rgba, 1, 1, mask);
}

}  // namespace SkinUI
