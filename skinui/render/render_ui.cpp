#include "skinui/render/render_ui.h"

#include <algorithm>
#include <utility>

#include "skinui/core/resources/resources.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/render/blend_functions.h"
#include "skinui/render/color_adjust.h"
#include "skinui/render/image_desc_parser.h"
#include "skinui/render/image_loader.h"
#include "skinui/render/scratch_surface.h"

namespace SkinUI {
namespace {

// An encoded image read from disk larger than this is refused unread.
constexpr size_t kMaxImageFileSize = size_t{64} << 20;

COLORREF ToColorRef(DWORD color) { return RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF); }

bool IsEmpty(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

bool Meets(const RECT& a, const RECT& b) {
  RECT overlap;
  return ::IntersectRect(&overlap, &a, &b) != FALSE;
}

RECT ToRect(const ImageDescRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }

// The bytes of a module resource, in place in the module; a name starting
// with a digit is a numeric id. Null when there is no such resource.
const unsigned char* FindResourceBytes(const wchar_t* name, const wchar_t* type, size_t* size) {
  HMODULE module = CResourceContext::Instance().GetModule();
  const wchar_t* id = (name[0] >= L'0' && name[0] <= L'9') ? MAKEINTRESOURCEW(::_wtoi(name)) : name;
  HRSRC resource = ::FindResourceW(module, id, type);
  HGLOBAL loaded = resource != nullptr ? ::LoadResource(module, resource) : nullptr;
  *size = resource != nullptr ? ::SizeofResource(module, resource) : 0;
  return loaded != nullptr ? static_cast<const unsigned char*>(::LockResource(loaded)) : nullptr;
}

// A module resource of type, else (without a type) a skin file, else a
// file on disk of that name, decoded.
std::unique_ptr<UIImage> LoadEncoded(const wchar_t* name, const wchar_t* type, uint32_t mask) {
  if (type[0] != L'\0') {
    size_t size = 0;
    if (const unsigned char* bytes = FindResourceBytes(name, type, &size)) return DecodeImage(bytes, size, mask);
  }
  SkinFile file = type[0] == L'\0' ? CResourceContext::Instance().ReadSkinFile(name) : SkinFile{};
  if (!file.data) file = ReadDiskFile(name, kMaxImageFileSize);
  return DecodeImage(file.data.get(), file.size, mask);
}

// One memory DC for selecting images into, shared by every draw.
HDC ImageDC() {
  static ScopedMemoryDC* dc = new ScopedMemoryDC(::CreateCompatibleDC(nullptr));
  return dc->get();
}

// Draws part from of the selected image into to: blended or opaque.
struct SliceBlitter {
  HDC dc;
  HDC image;
  const RECT& paint;
  bool blend;
  BYTE fade;

  void Draw(const RECT& to, const RECT& from) const {
    if (IsEmpty(to) || IsEmpty(from) || !Meets(to, paint)) return;
    if (blend) {
      CBlendFunctions::Instance().Blend(dc, to, image, from, fade, true);
    } else if (to.right - to.left == from.right - from.left && to.bottom - to.top == from.bottom - from.top) {
      ::BitBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, image, from.left, from.top, SRCCOPY);
    } else {
      ::StretchBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, image, from.left, from.top,
                   from.right - from.left, from.bottom - from.top, SRCCOPY);
    }
  }

  // The centre part, repeated across and/or down in tiles of the source size.
  void Tile(const RECT& to, const RECT& from, bool xTiled, bool yTiled) const {
    const int tileWidth = from.right - from.left;
    const int tileHeight = from.bottom - from.top;
    if (tileWidth <= 0 || tileHeight <= 0) return;
    const int stepX = xTiled ? tileWidth : to.right - to.left;
    const int stepY = yTiled ? tileHeight : to.bottom - to.top;
    if (stepX <= 0 || stepY <= 0) return;
    for (int y = to.top; y < to.bottom; y += stepY) {
      const int height = std::min(stepY, static_cast<int>(to.bottom - y));
      for (int x = to.left; x < to.right; x += stepX) {
        const int width = std::min(stepX, static_cast<int>(to.right - x));
        const RECT part{x, y, x + width, y + height};
        const RECT source{from.left, from.top, xTiled ? from.left + width : from.right,
                          yTiled ? from.top + height : from.bottom};
        if (Meets(part, paint)) Draw(part, source);
      }
    }
  }
};

// Band count of the solid-band gradient for a number of steps.
int BandCount(int steps) {
  if (steps < 4) return 2;
  if (steps < 8) return 4;
  if (steps < 16) return 8;
  if (steps < 32) return 16;
  if (steps < 64) return 32;
  return 64;
}

uint32_t Mix(uint32_t first, uint32_t second, int index, int last) {
  uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = static_cast<int>((first >> shift) & 0xFF);
    const int b = static_cast<int>((second >> shift) & 0xFF);
    result |= static_cast<uint32_t>(a + (b - a) * index / last) << shift;
  }
  return result;
}

void FillSolid(HDC dc, const RECT& rect, DWORD color) {
  const COLORREF previous = ::SetDCBrushColor(dc, ToColorRef(color));
  ::FillRect(dc, &rect, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
  ::SetDCBrushColor(dc, previous);
}

// The gradient in solid bands, when msimg32 is not used.
void FillBands(HDC dc, const RECT& rect, DWORD first, DWORD second, bool vertical, int steps) {
  const int bands = BandCount(steps);
  const int extent = vertical ? rect.bottom - rect.top : rect.right - rect.left;
  for (int i = 0; i < bands; ++i) {
    const int from = extent * i / bands;
    const int to = extent * (i + 1) / bands;
    if (to <= from) continue;
    const RECT band = vertical ? RECT{rect.left, rect.top + from, rect.right, rect.top + to}
                               : RECT{rect.left + from, rect.top, rect.left + to, rect.bottom};
    FillSolid(dc, band, Mix(first, second, i, bands - 1));
  }
}

void DrawGradient(HDC dc, const RECT& rect, DWORD first, DWORD second, bool vertical, int steps) {
  if (!CBlendFunctions::Instance().Gradient(dc, rect, first, second, vertical)) {
    FillBands(dc, rect, first, second, vertical, steps);
  }
}

// Strokes a shape with a pen of width, colour and style and no fill.
template <class Shape>
void Stroke(HDC dc, int width, DWORD color, int style, Shape&& shape) {
  LOGPEN description{static_cast<UINT>(style), POINT{width, 0}, ToColorRef(color)};
  ScopedPen pen(::CreatePenIndirect(&description));
  if (!pen) return;
  ScopedSelectObject selectPen(dc, pen.get());
  ScopedSelectObject selectBrush(dc, ::GetStockObject(NULL_BRUSH));
  shape();
}

}  // namespace

void CRenderUI::UsePlatformBlending(bool use) { CBlendFunctions::Instance().UsePlatform(use); }

bool CRenderUI::IsPlatformBlending() { return CBlendFunctions::Instance().IsPlatform(); }

std::unique_ptr<UIImage> CRenderUI::LoadImage(const wchar_t* name, const wchar_t* type, uint32_t mask) {
  if (name == nullptr || name[0] == L'\0') return nullptr;
  if (type == nullptr) type = L"";
  std::unique_ptr<UIImage> image;
  if (::lstrcmpW(type, kColorImageType) == 0) {
    const size_t length = static_cast<size_t>(::lstrlenW(name));
    image = MakeColorImage(ParseHexColor(name, length), mask);
  } else {
    image = LoadEncoded(name, type, mask);
  }
  if (image) image->resourceType = type;
  return image;
}

bool CRenderUI::DrawImage(HDC dc, CManagerUI* manager, const RECT& item, const RECT& paint, UIImageDesc& desc) {
  if (desc.image == nullptr) {
    // Without a manager nothing can be loaded yet; that is not an attempt.
    if (manager == nullptr || desc.loadAttempted) return false;
    desc.loadAttempted = true;
    if (desc.description.IsEmpty()) return false;
    ParsedImageDesc parsed;
    ParseImageDescription(desc.description.GetData(), desc.description.GetLength(), &parsed);
    desc.imageName = parsed.name;
    desc.dest = ToRect(parsed.dest);
    desc.source = ToRect(parsed.source);
    desc.corner = ToRect(parsed.corner);
    desc.fade = parsed.fade;
    desc.hole = parsed.hole;
    desc.xTiled = parsed.xTiled;
    desc.yTiled = parsed.yTiled;
    desc.image = manager->GetImage(parsed.name.GetData());
    if (desc.image == nullptr) {
      desc.image = manager->RegisterImage(parsed.name.GetData(), parsed.resourceType.GetData(), parsed.mask,
                                          parsed.keepPixels, false);
    }
    if (desc.image == nullptr) return false;
    if (parsed.source.IsZero()) desc.source = RECT{0, 0, desc.image->width, desc.image->height};
  }
  desc.source.right = std::min(desc.source.right, static_cast<LONG>(desc.image->width));
  desc.source.bottom = std::min(desc.source.bottom, static_cast<LONG>(desc.image->height));
  if (dc == nullptr) return true;
  RECT dest = item;
  if (desc.dest.left != 0 || desc.dest.top != 0 || desc.dest.right != 0 || desc.dest.bottom != 0) {
    dest = RECT{item.left + desc.dest.left, item.top + desc.dest.top, std::min(item.right, item.left + desc.dest.right),
                std::min(item.bottom, item.top + desc.dest.bottom)};
  }
  if (Meets(dest, item) && Meets(dest, paint)) {
    DrawImageSlices(dc, desc.image->bitmap.get(), dest, paint, desc.source, desc.corner, desc.image->hasAlpha,
                    desc.fade, desc.hole, desc.xTiled, desc.yTiled);
  }
  return true;
}

void CRenderUI::DrawImageSlices(HDC dc,
                                HBITMAP bitmap,
                                const RECT& dest,
                                const RECT& paint,
                                const RECT& source,
                                const RECT& corner,
                                bool hasAlpha,
                                BYTE fade,
                                bool hole,
                                bool xTiled,
                                bool yTiled) {
  HDC image = ImageDC();
  if (dc == nullptr || bitmap == nullptr || image == nullptr) return;
  ScopedSelectObject select(image, bitmap);
  const int oldMode = ::SetStretchBltMode(dc, HALFTONE);
  const SliceBlitter blit{dc, image, paint, hasAlpha || fade < 255, fade};
  const LONG l = corner.left, t = corner.top, r = corner.right, b = corner.bottom;
  if (!hole) {
    const RECT to{dest.left + l, dest.top + t, dest.right - r, dest.bottom - b};
    const RECT from{source.left + l, source.top + t, source.right - r, source.bottom - b};
    if (xTiled || yTiled) {
      blit.Tile(to, from, xTiled, yTiled);
    } else {
      blit.Draw(to, from);
    }
  }
  if (l != 0 || t != 0 || r != 0 || b != 0) {
    // Corners, then the edges between them.
    blit.Draw({dest.left, dest.top, dest.left + l, dest.top + t},
              {source.left, source.top, source.left + l, source.top + t});
    blit.Draw({dest.right - r, dest.top, dest.right, dest.top + t},
              {source.right - r, source.top, source.right, source.top + t});
    blit.Draw({dest.left, dest.bottom - b, dest.left + l, dest.bottom},
              {source.left, source.bottom - b, source.left + l, source.bottom});
    blit.Draw({dest.right - r, dest.bottom - b, dest.right, dest.bottom},
              {source.right - r, source.bottom - b, source.right, source.bottom});
    blit.Draw({dest.left + l, dest.top, dest.right - r, dest.top + t},
              {source.left + l, source.top, source.right - r, source.top + t});
    blit.Draw({dest.left + l, dest.bottom - b, dest.right - r, dest.bottom},
              {source.left + l, source.bottom - b, source.right - r, source.bottom});
    blit.Draw({dest.left, dest.top + t, dest.left + l, dest.bottom - b},
              {source.left, source.top + t, source.left + l, source.bottom - b});
    blit.Draw({dest.right - r, dest.top + t, dest.right, dest.bottom - b},
              {source.right - r, source.top + t, source.right, source.bottom - b});
  }
  if (oldMode != 0) ::SetStretchBltMode(dc, oldMode);
}

void CRenderUI::FillColor(HDC dc, const RECT& rect, DWORD color) {
  const BYTE alpha = static_cast<BYTE>(color >> 24);
  if (alpha == 0 || IsEmpty(rect)) return;
  if (alpha == 255) {
    FillSolid(dc, rect, color);
    return;
  }
  // A translucent colour is a 1 x 1 premultiplied image stretched over rect.
  static CScratchSurface* pixel = new CScratchSurface;
  if (!pixel->Reserve(1, 1)) return;
  ::GdiFlush();
  *pixel->Row(0) = PremultiplyColor(color);
  CBlendFunctions::Instance().Blend(dc, rect, pixel->GetDC(), RECT{0, 0, 1, 1}, 255, true);
}

void CRenderUI::FillGradient(HDC dc, const RECT& rect, DWORD first, DWORD second, bool vertical, int steps) {
  const int alpha = (static_cast<int>(first >> 24) + static_cast<int>(second >> 24)) / 2;
  if (alpha == 0 || IsEmpty(rect)) return;
  if (alpha == 255) {
    DrawGradient(dc, rect, first, second, vertical, steps);
    return;
  }
  // Below full opacity the gradient is drawn aside and blended with that alpha.
  static CScratchSurface* surface = new CScratchSurface;
  const RECT local{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  if (!surface->Reserve(local.right, local.bottom)) return;
  DrawGradient(surface->GetDC(), local, first, second, vertical, steps);
  CBlendFunctions::Instance().Blend(dc, rect, surface->GetDC(), local, static_cast<BYTE>(alpha), false);
}

void CRenderUI::DrawLine(HDC dc, const RECT& rect, int width, DWORD color, int style) {
  Stroke(dc, width, color, style, [&] {
    POINT previous;
    ::MoveToEx(dc, rect.left, rect.top, &previous);
    ::LineTo(dc, rect.right, rect.bottom);
    ::MoveToEx(dc, previous.x, previous.y, nullptr);
  });
}

void CRenderUI::DrawRect(HDC dc, const RECT& rect, int width, DWORD color, int style) {
  Stroke(dc, width, color, style | PS_INSIDEFRAME,
         [&] { ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom); });
}

void CRenderUI::DrawRoundRect(HDC dc,
                              const RECT& rect,
                              int width,
                              int ellipseWidth,
                              int ellipseHeight,
                              DWORD color,
                              int style) {
  Stroke(dc, width, color, style,
         [&] { ::RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, ellipseWidth, ellipseHeight); });
}

DWORD CRenderUI::AdjustColor(DWORD color, int hue, int saturation, int lightness) {
  return AdjustHsl(color, hue, saturation, lightness);
}

}  // namespace SkinUI
