#include "skinui/control/text_effects.h"

#include <algorithm>
#include <optional>

#include "skinui/control/gdiplus_objects.h"
#include "skinui/core/gdi_handles.h"

namespace SkinUI {

namespace {

constexpr DWORD kNoSecondColor = 0xFFFFFFFF;

// What every drawing of the text shares: the target, the text, its font and layout.
struct TextPass {
  const GdiplusApi& api;
  Gdiplus::GpGraphics* graphics;
  const wchar_t* text;
  Gdiplus::GpFont* font;
  Gdiplus::GpStringFormat* format;
};

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

RECT Moved(RECT r, int dx, int dy) {
  ::OffsetRect(&r, dx, dy);
  return r;
}

void DrawString(const TextPass& pass, const RECT& rect, Gdiplus::GpBrush* brush) {
  const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(rect.left), static_cast<Gdiplus::REAL>(rect.top),
                              static_cast<Gdiplus::REAL>(Width(rect)), static_cast<Gdiplus::REAL>(Height(rect)));
  pass.api.DrawString(pass.graphics, pass.text, -1, pass.font, &layout, pass.format, brush);
}

Gdiplus::StringAlignment HorizontalAlignment(UINT format) {
  if ((format & DT_CENTER) != 0) return Gdiplus::StringAlignmentCenter;
  if ((format & DT_RIGHT) != 0) return Gdiplus::StringAlignmentFar;
  return Gdiplus::StringAlignmentNear;
}

Gdiplus::StringAlignment VerticalAlignment(UINT format) {
  if ((format & DT_VCENTER) != 0) return Gdiplus::StringAlignmentCenter;
  if ((format & DT_BOTTOM) != 0) return Gdiplus::StringAlignmentFar;
  return Gdiplus::StringAlignmentNear;
}

// The typographic layout, without the library's usual padding of a sixth of
// an em on each side: a label measures and places its text with GDI's
// metrics, and the padded layout would not fit the room it measured.
ScopedGdipStringFormat MakeStringFormat(const GdiplusApi& api, UINT format) {
  Gdiplus::GpStringFormat* typographic = nullptr;  // the library's own, not to be deleted
  ScopedGdipStringFormat result;
  if (api.StringFormatGetGenericTypographic(&typographic) != Gdiplus::Ok ||
      api.CloneStringFormat(typographic, result.receive()) != Gdiplus::Ok) {
    return {};
  }
  INT flags = 0;
  api.GetStringFormatFlags(result.get(), &flags);
  // A single line stays one line, as the plain drawing keeps it.
  if ((format & DT_SINGLELINE) != 0) flags |= Gdiplus::StringFormatFlagsNoWrap;
  api.SetStringFormatFlags(result.get(), flags);
  api.SetStringFormatAlign(result.get(), HorizontalAlignment(format));
  api.SetStringFormatLineAlign(result.get(), VerticalAlignment(format));
  return result;
}

// The library reads the font selected into the DC, so a given font is
// selected for that moment only.
ScopedGdipFont MakeFont(const GdiplusApi& api, HDC dc, HFONT font) {
  std::optional<ScopedSelectObject> selection;
  if (font != nullptr) selection.emplace(dc, font);
  ScopedGdipFont result;
  if (api.CreateFontFromDC(dc, result.receive()) != Gdiplus::Ok) return {};
  return result;
}

// A tiling gradient from (angle, 0) to (0, length) of the drawing surface.
ScopedGdipBrush MakeLineBrush(const GdiplusApi& api, int angle, int length, DWORD from, DWORD to) {
  const Gdiplus::Point start(angle, 0);
  const Gdiplus::Point end(0, length);
  Gdiplus::GpLineGradient* brush = nullptr;
  if (api.CreateLineBrushI(&start, &end, from, to == kNoSecondColor ? from : to, Gdiplus::WrapModeTile, &brush) !=
      Gdiplus::Ok) {
    return {};
  }
  return ScopedGdipBrush(brush);
}

ScopedGdipBrush MakeSolidBrush(const GdiplusApi& api, DWORD color) {
  Gdiplus::GpSolidFill* brush = nullptr;
  if (api.CreateSolidFill(color, &brush) != Gdiplus::Ok) return {};
  return ScopedGdipBrush(brush);
}

ScopedGdipImage MakeBitmap(const GdiplusApi& api, int width, int height) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (api.CreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap) != Gdiplus::Ok) return {};
  return ScopedGdipImage(bitmap);
}

ScopedGdipGraphics MakeImageGraphics(const GdiplusApi& api, Gdiplus::GpImage* image) {
  ScopedGdipGraphics result;
  if (image == nullptr || api.GetImageGraphicsContext(image, result.receive()) != Gdiplus::Ok) return {};
  return result;
}

void SetSmoothScaling(const GdiplusApi& api, Gdiplus::GpGraphics* graphics) {
  api.SetSmoothingMode(graphics, Gdiplus::SmoothingModeHighQuality);
  api.SetCompositingQuality(graphics, Gdiplus::CompositingQualityHighQuality);
  api.SetInterpolationMode(graphics, Gdiplus::InterpolationModeHighQualityBicubic);
  api.SetPixelOffsetMode(graphics, Gdiplus::PixelOffsetModeHighQuality);
}

// One side reduced by the fuzziness; never below one pixel and never
// enlarged, so a tiny factor cannot ask for a huge bitmap.
int Reduced(int side, float fuzzy) {
  const float reduced = static_cast<float>(side) / fuzzy;
  return reduced >= static_cast<float>(side) ? side : std::max(1, static_cast<int>(reduced));
}

// The text drawn small and stretched back is a blurred copy: the glow.
void DrawGlow(const TextPass& pass, const RECT& rect, Gdiplus::GpBrush* brush, const TextEffectStyle& style) {
  const GdiplusApi& api = pass.api;
  const int width = Width(rect);
  const int height = Height(rect);
  const int smallWidth = Reduced(width, style.luminousFuzzy);
  const int smallHeight = Reduced(height, style.luminousFuzzy);
  ScopedGdipImage full = MakeBitmap(api, width, height);
  ScopedGdipImage small = MakeBitmap(api, smallWidth, smallHeight);
  ScopedGdipGraphics fullGraphics = MakeImageGraphics(api, full.get());
  ScopedGdipGraphics smallGraphics = MakeImageGraphics(api, small.get());
  if (!fullGraphics || !smallGraphics) return;
  api.SetTextRenderingHint(fullGraphics.get(), Gdiplus::TextRenderingHintAntiAlias);
  DrawString(TextPass{api, fullGraphics.get(), pass.text, pass.font, pass.format}, RECT{0, 0, width, height}, brush);
  SetSmoothScaling(api, smallGraphics.get());
  api.DrawImageRectI(smallGraphics.get(), full.get(), 0, 0, smallWidth, smallHeight);
  api.GraphicsClear(fullGraphics.get(), 0);
  SetSmoothScaling(api, fullGraphics.get());
  api.DrawImageRectI(fullGraphics.get(), small.get(), style.shadowOffset.cx, style.shadowOffset.cy, width, height);
  api.DrawImageRectI(pass.graphics, full.get(), rect.left, rect.top, width, height);
}

void DrawStroke(const TextPass& pass, const RECT& rect, DWORD color) {
  ScopedGdipBrush brush = MakeSolidBrush(pass.api, color);
  if (!brush) return;
  DrawString(pass, Moved(rect, -1, 0), brush.get());
  DrawString(pass, Moved(rect, 1, 0), brush.get());
  DrawString(pass, Moved(rect, 0, -1), brush.get());
  DrawString(pass, Moved(rect, 0, 1), brush.get());
}

void DrawPasses(const TextPass& pass, const RECT& rect, const TextEffectStyle& style) {
  const int length = style.gradientLength != 0 ? style.gradientLength : Height(rect);
  ScopedGdipBrush shadowBrush =
      MakeLineBrush(pass.api, style.gradientAngle, length, style.shadowColorA, style.shadowColorB);
  ScopedGdipBrush textBrush = MakeLineBrush(pass.api, style.gradientAngle, length, style.textColor, style.textColor1);
  if (!shadowBrush || !textBrush) return;
  if (style.luminous) DrawGlow(pass, rect, textBrush.get(), style);
  if (style.stroke && style.strokeColor != 0) DrawStroke(pass, rect, style.strokeColor);
  if (style.shadow && (style.shadowColorA != 0 || style.shadowColorB != 0)) {
    DrawString(pass, Moved(rect, style.shadowOffset.cx, style.shadowOffset.cy), shadowBrush.get());
  }
  DrawString(pass, rect, textBrush.get());
}

}  // namespace

bool DrawTextWithEffects(HDC dc,
                         const RECT& textRect,
                         const wchar_t* text,
                         HFONT font,
                         UINT format,
                         const TextEffectStyle& style) {
  const CGdiplusUse use;
  const GdiplusApi* api = CGdiplusUse::Api();
  if (api == nullptr) return false;
  if (text == nullptr || *text == L'\0' || ::IsRectEmpty(&textRect)) return true;
  ScopedGdipGraphics graphics;
  if (api->CreateFromHDC(dc, graphics.receive()) != Gdiplus::Ok) return false;
  api->SetTextRenderingHint(graphics.get(), Gdiplus::TextRenderingHintAntiAlias);
  ScopedGdipFont gdipFont = MakeFont(*api, dc, font);
  ScopedGdipStringFormat stringFormat = MakeStringFormat(*api, format);
  if (!gdipFont || !stringFormat) return false;
  DrawPasses(TextPass{*api, graphics.get(), text, gdipFont.get(), stringFormat.get()}, textRect, style);
  return true;
}

}  // namespace SkinUI
