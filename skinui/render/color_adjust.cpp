#include "skinui/render/color_adjust.h"

#include <algorithm>
#include <cmath>

namespace SkinUI {
namespace {

struct Hsl {
  double h;  // degrees, 0..360
  double s;  // 0..1
  double l;  // 0..1
};

Hsl ToHsl(double r, double g, double b) {
  const double high = std::max({r, g, b});
  const double low = std::min({r, g, b});
  Hsl out{0.0, 0.0, (high + low) / 2.0};
  const double delta = high - low;
  if (delta <= 0.0) return out;
  out.s = out.l > 0.5 ? delta / (2.0 - high - low) : delta / (high + low);
  if (high == r) {
    out.h = (g - b) / delta + (g < b ? 6.0 : 0.0);
  } else if (high == g) {
    out.h = (b - r) / delta + 2.0;
  } else {
    out.h = (r - g) / delta + 4.0;
  }
  out.h *= 60.0;
  return out;
}

double HueToChannel(double p, double q, double t) {
  if (t < 0.0) t += 1.0;
  if (t > 1.0) t -= 1.0;
  if (t < 1.0 / 6.0) return p + (q - p) * 6.0 * t;
  if (t < 0.5) return q;
  if (t < 2.0 / 3.0) return p + (q - p) * (2.0 / 3.0 - t) * 6.0;
  return p;
}

uint32_t ToByte(double value) { return static_cast<uint32_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0)); }

uint32_t FromHsl(const Hsl& hsl, uint32_t alpha) {
  double r = hsl.l;
  double g = hsl.l;
  double b = hsl.l;
  if (hsl.s > 0.0) {
    const double q = hsl.l < 0.5 ? hsl.l * (1.0 + hsl.s) : hsl.l + hsl.s - hsl.l * hsl.s;
    const double p = 2.0 * hsl.l - q;
    const double h = hsl.h / 360.0;
    r = HueToChannel(p, q, h + 1.0 / 3.0);
    g = HueToChannel(p, q, h);
    b = HueToChannel(p, q, h - 1.0 / 3.0);
  }
  return (alpha << 24) | (ToByte(r) << 16) | (ToByte(g) << 8) | ToByte(b);
}

}  // namespace

uint32_t AdjustHsl(uint32_t color, int hue, int saturation, int lightness) {
  if (hue == 180 && saturation == 100 && lightness == 100) return color;
  Hsl hsl = ToHsl(((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0, (color & 0xFF) / 255.0);
  hsl.h += hue - 180;
  if (hsl.h <= 0.0) hsl.h += 360.0;
  hsl.h = std::fmod(hsl.h, 360.0);
  if (hsl.h < 0.0) hsl.h += 360.0;  // shifts of more than a turn
  hsl.s = std::clamp(hsl.s * saturation / 100.0, 0.0, 1.0);
  hsl.l = std::clamp(hsl.l * lightness / 100.0, 0.0, 1.0);
  return FromHsl(hsl, color >> 24);
}

}  // namespace SkinUI
