#include "tests/skinui/render/render_test_support.h"

#include <cstdio>
#include <cstdlib>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

#include "tests/common/temp_dir.h"

namespace vxtest {
namespace {

void AppendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

}  // namespace

std::string EncodePng(int width, int height, const std::vector<uint32_t>& pixels) {
  std::vector<unsigned char> rgba;
  rgba.reserve(pixels.size() * 4);
  for (uint32_t pixel : pixels) {
    rgba.push_back(static_cast<unsigned char>(pixel >> 16));
    rgba.push_back(static_cast<unsigned char>(pixel >> 8));
    rgba.push_back(static_cast<unsigned char>(pixel));
    rgba.push_back(static_cast<unsigned char>(pixel >> 24));
  }
  std::string png;
  stbi_write_png_to_func(AppendBytes, &png, width, height, 4, rgba.data(), width * 4);
  return png;
}

std::wstring ImageFolder::Write(const std::wstring& name, int width, int height, const std::vector<uint32_t>& pixels) {
  const std::wstring path = dir_.file(name);
  vxtest::writeFile(path, EncodePng(width, height, pixels));
  return path;
}

Surface::Surface(int width, int height, uint32_t fill) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  pixels_ = static_cast<uint32_t*>(bits);
  dc_.reset(::CreateCompatibleDC(nullptr));
  original_ = ::SelectObject(dc_.get(), bitmap_.get());
  Fill(fill);
}

Surface::~Surface() { ::SelectObject(dc_.get(), original_); }

void Surface::Fill(uint32_t color) {
  ::GdiFlush();
  for (int i = 0; i < width_ * height_; ++i) pixels_[i] = color;
}

uint32_t Surface::At(int x, int y) const {
  ::GdiFlush();
  return pixels_[y * width_ + x];
}

int Surface::CountRgb(uint32_t rgb) const {
  ::GdiFlush();
  int count = 0;
  for (int i = 0; i < width_ * height_; ++i) count += (pixels_[i] & 0xFFFFFF) == (rgb & 0xFFFFFF) ? 1 : 0;
  return count;
}

int Surface::CountNotRgb(uint32_t rgb) const { return width_ * height_ - CountRgb(rgb); }

int Surface::FirstColumnNot(uint32_t rgb) const {
  ::GdiFlush();
  for (int x = 0; x < width_; ++x) {
    for (int y = 0; y < height_; ++y) {
      if ((pixels_[y * width_ + x] & 0xFFFFFF) != (rgb & 0xFFFFFF)) return x;
    }
  }
  return -1;
}

bool Near(uint32_t actual, uint32_t expected, int tolerance, bool withAlpha) {
  for (int shift = 0; shift < (withAlpha ? 32 : 24); shift += 8) {
    const int a = static_cast<int>((actual >> shift) & 0xFF);
    const int e = static_cast<int>((expected >> shift) & 0xFF);
    if (std::abs(a - e) > tolerance) return false;
  }
  return true;
}

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%08X", value);
  return text;
}

}  // namespace vxtest
