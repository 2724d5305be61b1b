#include "bench/bench_images.h"

#include <algorithm>
#include <cstdint>
#include <fstream>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace vxbench {
namespace {

// PNG bytes of width x height pixels made by pixel(x, y) as 0xAARRGGBB.
template <class Pixel>
std::string EncodePng(int width, int height, Pixel pixel) {
  std::vector<unsigned char> rgba;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixel(x, y);
      rgba.insert(rgba.end(), {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                               static_cast<unsigned char>(p), static_cast<unsigned char>(p >> 24)});
    }
  }
  std::string png;
  stbi_write_png_to_func(
      [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
      },
      &png, width, height, 4, rgba.data(), width * 4);
  return png;
}

// A framed button face: a darker border of 3 pixels, transparent corners.
uint32_t ButtonPixel(int x, int y, int width, int height, uint32_t face) {
  const bool corner = (x == 0 || x == width - 1) && (y == 0 || y == height - 1);
  if (corner) return 0;
  const bool border = x < 3 || y < 3 || x >= width - 3 || y >= height - 3;
  return border ? 0xFF20406Au : face;
}

}  // namespace

std::vector<std::wstring> WriteImages(const std::filesystem::path& folder) {
  struct Image {
    const wchar_t* name;
    std::string bytes;
  };
  const Image images[] = {
      {L"logo.png", EncodePng(24, 24,
                              [](int x, int y) {
                                const int dx = x - 12;
                                const int dy = y - 12;
                                const int alpha = std::max(0, 255 - (dx * dx + dy * dy) * 2);
                                return static_cast<uint32_t>(alpha) << 24 | 0x3FA9F5u;
                              })},
      // Two 30 x 30 frames: minimise and close.
      {L"sysbtn.png", EncodePng(60, 30, [](int x, int y) { return x < 30 ? 0x60FFFFFFu : 0x80E81123u + (y & 1); })},
      {L"button.png", EncodePng(40, 40, [](int x, int y) { return ButtonPixel(x, y, 40, 40, 0xFF2F80EDu); })},
      {L"button_gray.png", EncodePng(40, 40, [](int x, int y) { return ButtonPixel(x, y, 40, 40, 0xFFE0E4EAu); })},
      {L"check.png", EncodePng(16, 16, [](int x, int y) { return (x + y) % 5 == 0 ? 0xFF2F80EDu : 0x40FFFFFFu; })},
      {L"edit.png",
       EncodePng(20, 20,
                 [](int x, int y) { return x < 2 || y < 2 || x >= 18 || y >= 18 ? 0xFF9AA5B1u : 0xFFFFFFFFu; })},
      {L"progress_bg.png", EncodePng(20, 12, [](int, int y) { return 0xFF000000u | (0xD0 + y) * 0x010101u; })},
      {L"progress_fg.png", EncodePng(20, 12, [](int x, int) { return (0xC0u + x) << 24 | 0x27AE60u; })},
  };
  std::vector<std::wstring> names;
  for (const Image& image : images) {
    if (!WriteFile(folder / image.name, image.bytes)) return {};
    names.push_back(image.name);
  }
  return names;
}

bool WriteFile(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace vxbench
