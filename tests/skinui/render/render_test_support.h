#pragma once
// Helpers of the renderer tests: PNG files written by the tests, 32-bit
// surfaces to draw into and read back, pixel comparisons.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "skinui/core/gdi_handles.h"
#include "tests/common/temp_dir.h"

namespace vxtest {

// PNG bytes of width x height pixels given as 0xAARRGGBB, row after row.
std::string EncodePng(int width, int height, const std::vector<uint32_t>& pixels);

// A temporary folder of PNG files.
class ImageFolder {
 public:
  // Writes pixels as name.png; returns its full path.
  std::wstring Write(const std::wstring& name, int width, int height, const std::vector<uint32_t>& pixels);
  // The full path of name in the folder.
  std::wstring Path(const std::wstring& name) const { return dir_.file(name); }

 private:
  vxtest::TempDir dir_;
};

// A 32-bit top-down surface selected into its own memory DC.
class Surface {
 public:
  Surface(int width, int height, uint32_t fill = 0xFFFFFFFF);
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  HDC dc() const { return dc_.get(); }
  RECT rect() const { return RECT{0, 0, width_, height_}; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Sets every pixel.
  void Fill(uint32_t color);
  // The pixel at x, y as 0xAARRGGBB.
  uint32_t At(int x, int y) const;
  // The number of pixels whose colour channels equal rgb (alpha ignored).
  int CountRgb(uint32_t rgb) const;
  // Number of pixels that differ from color in their colour channels.
  int CountNotRgb(uint32_t rgb) const;
  // The leftmost column with a pixel whose colour differs from rgb, or -1.
  int FirstColumnNot(uint32_t rgb) const;

 private:
  SkinUI::ScopedMemoryDC dc_;
  SkinUI::ScopedBitmap bitmap_;
  HGDIOBJ original_ = nullptr;
  uint32_t* pixels_ = nullptr;
  int width_;
  int height_;
};

// True when each channel of actual is within tolerance of expected;
// alpha is compared only when withAlpha.
bool Near(uint32_t actual, uint32_t expected, int tolerance, bool withAlpha = true);

// "0xAARRGGBB" for messages.
std::string Hex(uint32_t value);

}  // namespace vxtest
