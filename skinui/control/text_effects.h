#pragma once
// Label text drawn with the imaging library: a glow, a one-pixel stroke, a
// displaced shadow and a gradient fill.

#include <windows.h>

namespace SkinUI {

// Colours are ARGB. A second colour of 0xFFFFFFFF means "no gradient".
struct TextEffectStyle {
  bool luminous = false, stroke = false, shadow = false;
  float luminousFuzzy = 3.0f;
  int gradientLength = 0, gradientAngle = 0;
  DWORD textColor = 0, textColor1 = 0xFFFFFFFF, shadowColorA = 0xFF000000, shadowColorB = 0xFFFFFFFF, strokeColor = 0;
  SIZE shadowOffset = {0, 0};
};

// Draws text in textRect with the effects; false when GDI+ is unavailable.
bool DrawTextWithEffects(HDC dc,
                         const RECT& textRect,
                         const wchar_t* text,
                         HFONT font,
                         UINT format,
                         const TextEffectStyle& style);

}  // namespace SkinUI
