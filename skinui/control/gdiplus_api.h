#pragma once
// The imaging library's flat functions, looked up at run time from the
// library loaded by its full path (the program never links its import
// library). The library's own header gives the types only.

#include <windows.h>

#include <objidl.h>  // the stream and property types the library's header needs

#include <gdiplus.h>

namespace SkinUI {

struct GdiplusApi {
  decltype(&Gdiplus::GdiplusStartup) Startup = nullptr;
  decltype(&Gdiplus::GdiplusShutdown) Shutdown = nullptr;

  decltype(&Gdiplus::DllExports::GdipCreateFromHDC) CreateFromHDC = nullptr;
  decltype(&Gdiplus::DllExports::GdipDeleteGraphics) DeleteGraphics = nullptr;
  decltype(&Gdiplus::DllExports::GdipSetTextRenderingHint) SetTextRenderingHint = nullptr;
  decltype(&Gdiplus::DllExports::GdipSetSmoothingMode) SetSmoothingMode = nullptr;
  decltype(&Gdiplus::DllExports::GdipSetCompositingQuality) SetCompositingQuality = nullptr;
  decltype(&Gdiplus::DllExports::GdipSetInterpolationMode) SetInterpolationMode = nullptr;
  decltype(&Gdiplus::DllExports::GdipSetPixelOffsetMode) SetPixelOffsetMode = nullptr;
  decltype(&Gdiplus::DllExports::GdipGraphicsClear) GraphicsClear = nullptr;
  decltype(&Gdiplus::DllExports::GdipDrawString) DrawString = nullptr;
  decltype(&Gdiplus::DllExports::GdipDrawImageRectI) DrawImageRectI = nullptr;

  decltype(&Gdiplus::DllExports::GdipCreateFontFromDC) CreateFontFromDC = nullptr;
  decltype(&Gdiplus::DllExports::GdipDeleteFont) DeleteFont = nullptr;
  decltype(&Gdiplus::DllExports::GdipStringFormatGetGenericTypographic) StringFormatGetGenericTypographic = nullptr;
  decltype(&Gdiplus::DllExports::GdipCloneStringFormat) CloneStringFormat = nullptr;
  decltype(&Gdiplus::DllExports::GdipGetStringFormatFlags) GetStringFormatFlags = nullptr;
  decltype(&Gdiplus::DllExports::GdipSetStringFormatFlags) SetStringFormatFlags = nullptr;
  decltype(&Gdiplus::DllExports::GdipSetStringFormatAlign) SetStringFormatAlign = nullptr;
  decltype(&Gdiplus::DllExports::GdipSetStringFormatLineAlign) SetStringFormatLineAlign = nullptr;
  decltype(&Gdiplus::DllExports::GdipDeleteStringFormat) DeleteStringFormat = nullptr;
  decltype(&Gdiplus::DllExports::GdipCreateLineBrushI) CreateLineBrushI = nullptr;
  decltype(&Gdiplus::DllExports::GdipCreateSolidFill) CreateSolidFill = nullptr;
  decltype(&Gdiplus::DllExports::GdipDeleteBrush) DeleteBrush = nullptr;

  decltype(&Gdiplus::DllExports::GdipCreateBitmapFromScan0) CreateBitmapFromScan0 = nullptr;
  decltype(&Gdiplus::DllExports::GdipGetImageGraphicsContext) GetImageGraphicsContext = nullptr;
  decltype(&Gdiplus::DllExports::GdipLoadImageFromStream) LoadImageFromStream = nullptr;
  decltype(&Gdiplus::DllExports::GdipDisposeImage) DisposeImage = nullptr;
  decltype(&Gdiplus::DllExports::GdipImageGetFrameCount) ImageGetFrameCount = nullptr;
  decltype(&Gdiplus::DllExports::GdipImageSelectActiveFrame) ImageSelectActiveFrame = nullptr;
  decltype(&Gdiplus::DllExports::GdipGetPropertyItemSize) GetPropertyItemSize = nullptr;
  decltype(&Gdiplus::DllExports::GdipGetPropertyItem) GetPropertyItem = nullptr;
  decltype(&Gdiplus::DllExports::GdipGetImageWidth) GetImageWidth = nullptr;
  decltype(&Gdiplus::DllExports::GdipGetImageHeight) GetImageHeight = nullptr;
};

}  // namespace SkinUI
