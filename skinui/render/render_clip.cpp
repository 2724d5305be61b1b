#include "skinui/render/render_clip.h"

namespace SkinUI {
namespace {

// Regions are selected in device coordinates; rectangles come in logical ones.
RECT ToDevice(HDC dc, const RECT& rect) {
  POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
  ::LPtoDP(dc, corners, 2);
  return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

}  // namespace

void CRenderClip::SavePrevious() {
  previous_.reset(::CreateRectRgn(0, 0, 0, 0));
  // 1: dc has a clip region, copied into previous_; 0: it has none.
  if (previous_ && ::GetClipRgn(dc_, previous_.get()) != 1) previous_.reset();
}

CRenderClip::CRenderClip(HDC dc, const RECT& rect) : dc_(dc) {
  SavePrevious();
  ::IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
}

CRenderClip::CRenderClip(HDC dc, const RECT& paint, const RECT& item, int ellipseWidth, int ellipseHeight) : dc_(dc) {
  SavePrevious();
  const RECT paintDevice = ToDevice(dc, paint);
  const RECT itemDevice = ToDevice(dc, item);
  ScopedRegion area(::CreateRectRgnIndirect(&paintDevice));
  ScopedRegion round(::CreateRoundRectRgn(itemDevice.left, itemDevice.top, itemDevice.right + 1, itemDevice.bottom + 1,
                                          ellipseWidth, ellipseHeight));
  if (!area || !round) return;
  ::CombineRgn(area.get(), area.get(), round.get(), RGN_AND);
  ::ExtSelectClipRgn(dc, area.get(), RGN_AND);
}

CRenderClip::~CRenderClip() { ::SelectClipRgn(dc_, previous_.get()); }

}  // namespace SkinUI
