#pragma once
// The drawing routines every control uses: fills, gradients, lines and
// rectangles, clipping, images from descriptions (9-slice, tiling, fade,
// colour-key masks) and plain and formatted text. All of them draw into a
// borrowed DC and leave it as they found it.

#include <windows.h>

#include <memory>

#include "skinui/render/render_clip.h"
#include "skinui/render/ui_image.h"

namespace SkinUI {

class CManagerUI;

class CRenderUI {
 public:
  // Text format flags, the platform's text-drawing values.
  static constexpr UINT kCenter = DT_CENTER;
  static constexpr UINT kRight = DT_RIGHT;
  static constexpr UINT kVCenter = DT_VCENTER;
  static constexpr UINT kBottom = DT_BOTTOM;
  static constexpr UINT kWordBreak = DT_WORDBREAK;
  static constexpr UINT kSingleLine = DT_SINGLELINE;
  static constexpr UINT kCalcRect = DT_CALCRECT;
  static constexpr UINT kNoPrefix = DT_NOPREFIX;
  static constexpr UINT kEndEllipsis = DT_END_ELLIPSIS;

  // Chooses msimg32's AlphaBlend and GradientFill (true, the default, when
  // the system has them) or the built-in blending and solid bands (false).
  static void UsePlatformBlending(bool use);
  // True when drawing goes through msimg32's functions.
  static bool IsPlatformBlending();

  // Loads the image name (type empty: a skin file, then a path on disk;
  // kColorImageType: a colour value; otherwise a module resource of that
  // type) into a premultiplied bitmap with mask as colour key. Null when it
  // cannot be read or decoded, or is too large.
  static std::unique_ptr<UIImage> LoadImage(const wchar_t* name, const wchar_t* type, uint32_t mask);

  // Parses and loads desc on first use and draws it over item, limited to
  // paint; a null dc only parses and loads. False for an empty description
  // or an image that cannot be loaded (the load is not tried again).
  static bool DrawImage(HDC dc, CManagerUI* manager, const RECT& item, const RECT& paint, UIImageDesc& desc);

  // Draws source of bitmap into dest as nine parts cut by corner widths,
  // only where it meets paint: blended (premultiplied, fade as constant
  // alpha) when hasAlpha or fade is below 255, else stretched opaque.
  static void DrawImageSlices(HDC dc,
                              HBITMAP bitmap,
                              const RECT& dest,
                              const RECT& paint,
                              const RECT& source,
                              const RECT& corner,
                              bool hasAlpha,
                              BYTE fade,
                              bool hole,
                              bool xTiled,
                              bool yTiled);

  // Fills rect with an 0xAARRGGBB colour: nothing at alpha 0, blended below 255.
  static void FillColor(HDC dc, const RECT& rect, DWORD color);
  // Fills rect with a vertical or horizontal gradient from first to second;
  // steps picks the number of solid bands when msimg32 is not used.
  static void FillGradient(HDC dc, const RECT& rect, DWORD first, DWORD second, bool vertical, int steps);
  // Draws a line from rect's top-left to its bottom-right corner with a pen
  // of width, colour and pen style.
  static void DrawLine(HDC dc, const RECT& rect, int width, DWORD color, int style = PS_SOLID);
  // Frames rect, the border inside it.
  static void DrawRect(HDC dc, const RECT& rect, int width, DWORD color, int style = PS_SOLID);
  // Frames rect with rounded corners of the given ellipse.
  static void DrawRoundRect(HDC dc,
                            const RECT& rect,
                            int width,
                            int ellipseWidth,
                            int ellipseHeight,
                            DWORD color,
                            int style = PS_SOLID);

  // Clips dc to rect until the returned object ends.
  static CRenderClip MakeClip(HDC dc, const RECT& rect) { return CRenderClip(dc, rect); }
  // Clips dc to paint and a rounded rectangle over item until the returned object ends.
  static CRenderClip MakeRoundClip(HDC dc, const RECT& paint, const RECT& item, int ellipseWidth, int ellipseHeight) {
    return CRenderClip(dc, paint, item, ellipseWidth, ellipseHeight);
  }

  // Draws text ("@key" is translated) in the manager's font and colour with
  // the platform's text drawing; with kCalcRect rect receives the extent.
  static void
  DrawText(HDC dc, CManagerUI* manager, RECT& rect, const wchar_t* text, DWORD color, int font, UINT format);
  // Draws formatted text (tags <b>, <c #colour>, <a target>, ...) into rect.
  // links and targets have linkCount slots; linkCount returns the links
  // drawn. With kCalcRect nothing is drawn and rect receives the used extent.
  static void DrawFormattedText(HDC dc,
                                CManagerUI* manager,
                                RECT& rect,
                                const wchar_t* text,
                                DWORD color,
                                RECT* links,
                                CUIString* targets,
                                int& linkCount,
                                int font,
                                UINT format);
  // The extent of text ("@key" is translated) in the manager's font.
  static SIZE GetTextSize(HDC dc, CManagerUI* manager, const wchar_t* text, int font, UINT format);

  // Shifts hue by hue - 180 degrees and scales saturation and lightness by
  // saturation / 100 and lightness / 100; 180, 100, 100 leave color as it is.
  static DWORD AdjustColor(DWORD color, int hue, int saturation, int lightness);
};

}  // namespace SkinUI
