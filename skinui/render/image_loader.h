#pragma once
// Decoding of skin images: encoded bytes or a colour value into a
// premultiplied 32-bit top-down bitmap with a colour-key mask.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "skinui/render/ui_image.h"

namespace SkinUI {

// Largest image side accepted; larger images are refused before decoding.
inline constexpr int kMaxImageSide = 16384;

// Decodes PNG, JPEG, BMP, GIF (first frame) and the other formats of the
// decoder into an image record; null for bytes that do not decode or an
// absurd size.
std::unique_ptr<UIImage> DecodeImage(const unsigned char* bytes, size_t size, uint32_t mask);
// A 1 x 1 image of an 0xAARRGGBB colour.
std::unique_ptr<UIImage> MakeColorImage(uint32_t color, uint32_t mask);
// An 0xAARRGGBB colour with its colour channels multiplied by alpha / 255.
uint32_t PremultiplyColor(uint32_t color);
// True when width x height may be asked of the system as a 32-bit surface.
bool IsAcceptableImageSize(int width, int height);

}  // namespace SkinUI
