#pragma once
// Hue, saturation and lightness adjustment of 0xAARRGGBB colours for
// controls with colour adjustment. Platform-free.

#include <cstdint>

namespace SkinUI {

// Shifts the hue by hue - 180 degrees and scales saturation and lightness by
// saturation / 100 and lightness / 100, keeping alpha; (180, 100, 100)
// returns color unchanged.
uint32_t AdjustHsl(uint32_t color, int hue, int saturation, int lightness);

}  // namespace SkinUI
