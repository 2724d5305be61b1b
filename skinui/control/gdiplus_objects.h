#pragma once
// Owners of the imaging library's objects. Each one is freed through the
// library's function table, so an owner must end while a CGdiplusUse is
// alive (controls declare their use before their objects).

#include "skinui/control/gdiplus_api.h"
#include "skinui/control/gdiplus_session.h"
#include "utility/scoped_handle.h"

namespace SkinUI {

template <typename Object, auto Delete>
struct GdiplusObjectTraits {
  using Handle = Object*;
  static Handle invalid() { return nullptr; }
  static bool isValid(Handle h) { return h != nullptr; }
  static void close(Handle h) {
    if (const GdiplusApi* api = CGdiplusUse::Api()) (api->*Delete)(h);
  }
};

using ScopedGdipGraphics =
    utility::ScopedGeneric<GdiplusObjectTraits<Gdiplus::GpGraphics, &GdiplusApi::DeleteGraphics>>;
using ScopedGdipFont = utility::ScopedGeneric<GdiplusObjectTraits<Gdiplus::GpFont, &GdiplusApi::DeleteFont>>;
using ScopedGdipStringFormat =
    utility::ScopedGeneric<GdiplusObjectTraits<Gdiplus::GpStringFormat, &GdiplusApi::DeleteStringFormat>>;
using ScopedGdipBrush = utility::ScopedGeneric<GdiplusObjectTraits<Gdiplus::GpBrush, &GdiplusApi::DeleteBrush>>;
using ScopedGdipImage = utility::ScopedGeneric<GdiplusObjectTraits<Gdiplus::GpImage, &GdiplusApi::DisposeImage>>;

// The stream an image is decoded from: the library may read it for as long
// as the image lives.
struct StreamTraits {
  using Handle = IStream*;
  static Handle invalid() { return nullptr; }
  static bool isValid(Handle h) { return h != nullptr; }
  static void close(Handle h) { h->Release(); }
};
using ScopedStream = utility::ScopedGeneric<StreamTraits>;

}  // namespace SkinUI
