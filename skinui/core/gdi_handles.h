#pragma once
// Owners of the GDI objects the renderer makes. The font and image tables own
// their objects through these; controls borrow the raw handles from the
// tables and never free them. A DC from GetDC and an object selected into a
// DC need two values to undo, so they have small classes of their own.

#include <windows.h>

#include "utility/scoped_handle.h"

namespace SkinUI {

// Fonts, bitmaps, brushes, pens and regions: freed with DeleteObject.
template <typename Object>
struct GdiObjectTraits {
  using Handle = Object;
  static Handle invalid() { return nullptr; }
  static bool isValid(Handle h) { return h != nullptr; }
  static void close(Handle h) { ::DeleteObject(h); }
};
using ScopedFont = utility::ScopedGeneric<GdiObjectTraits<HFONT>>;
using ScopedBitmap = utility::ScopedGeneric<GdiObjectTraits<HBITMAP>>;
using ScopedBrush = utility::ScopedGeneric<GdiObjectTraits<HBRUSH>>;
using ScopedPen = utility::ScopedGeneric<GdiObjectTraits<HPEN>>;
using ScopedRegion = utility::ScopedGeneric<GdiObjectTraits<HRGN>>;

// Memory DCs from CreateCompatibleDC: freed with DeleteDC.
struct MemoryDCTraits {
  using Handle = HDC;
  static Handle invalid() { return nullptr; }
  static bool isValid(Handle h) { return h != nullptr; }
  static void close(Handle h) { ::DeleteDC(h); }
};
using ScopedMemoryDC = utility::ScopedGeneric<MemoryDCTraits>;

// A window's DC from GetDC, given back to the same window with ReleaseDC.
class ScopedWindowDC {
 public:
  // Takes the DC of window (null: the screen).
  explicit ScopedWindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~ScopedWindowDC() {
    if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
  }
  ScopedWindowDC(const ScopedWindowDC&) = delete;
  ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;

  // The DC, or null when GetDC failed.
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a DC and selects the previous one back on scope
// exit, so a DC never leaves with a borrowed object still selected.
class ScopedSelectObject {
 public:
  // Selects object into dc; the DC and the object must outlive this.
  ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~ScopedSelectObject() {
    if (selected()) ::SelectObject(dc_, previous_);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

  // False when the selection failed (nothing is restored then).
  bool selected() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace SkinUI
