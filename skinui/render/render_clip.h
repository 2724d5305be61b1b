#pragma once
// A clip region narrowed for a scope: the DC's previous clip comes back
// when the object ends, so nested clips unwind in order.

#include <windows.h>

#include "skinui/core/gdi_handles.h"

namespace SkinUI {

class CRenderClip {
 public:
  // Intersects dc's clip with rect (logical coordinates).
  CRenderClip(HDC dc, const RECT& rect);
  // Intersects dc's clip with paint and a rounded rectangle over item.
  CRenderClip(HDC dc, const RECT& paint, const RECT& item, int ellipseWidth, int ellipseHeight);
  // Restores the clip region dc had before.
  ~CRenderClip();
  CRenderClip(const CRenderClip&) = delete;
  CRenderClip& operator=(const CRenderClip&) = delete;

 private:
  void SavePrevious();

  HDC dc_;
  ScopedRegion previous_;  // null: dc had no clip region
};

}  // namespace SkinUI
