#pragma once
// Animated GIF files made by the tests: solid frames of a four-colour
// palette, each with its own delay.

#include <cstdint>
#include <string>
#include <vector>

namespace vxtest {

// Palette indices of the test GIFs and their colours (0xRRGGBB).
enum GifColour : uint8_t { kGifRed = 0, kGifGreen = 1, kGifBlue = 2, kGifBlack = 3 };
uint32_t GifRgb(GifColour colour);

struct GifFrame {
  GifColour colour;
  uint16_t delay;  // hundredths of a second
};

// The bytes of a looping GIF of width x height pixels with frames.
std::string MakeGif(int width, int height, const std::vector<GifFrame>& frames);

}  // namespace vxtest
