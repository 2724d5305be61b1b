#include "skinui/control/gdiplus_session.h"

#include <mutex>

#include "skinui/control/gdiplus_api.h"
#include "utility/system_library.h"

namespace SkinUI {

namespace {

struct Library {
  std::mutex lock;
  int uses = 0;
  utility::ScopedModule module;
  GdiplusApi api;
  ULONG_PTR token = 0;
  bool started = false;
};

Library& TheLibrary() {
  // Kept for the life of the process: a use may end after static destruction began.
  static auto* library = new Library;
  return *library;
}

template <typename Function>
bool Find(HMODULE module, const char* name, Function& slot) {
  slot = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
  return slot != nullptr;
}

bool FindPainting(HMODULE m, GdiplusApi& api) {
  return Find(m, "GdipCreateFromHDC", api.CreateFromHDC) && Find(m, "GdipDeleteGraphics", api.DeleteGraphics) &&
         Find(m, "GdipSetTextRenderingHint", api.SetTextRenderingHint) &&
         Find(m, "GdipSetSmoothingMode", api.SetSmoothingMode) &&
         Find(m, "GdipSetCompositingQuality", api.SetCompositingQuality) &&
         Find(m, "GdipSetInterpolationMode", api.SetInterpolationMode) &&
         Find(m, "GdipSetPixelOffsetMode", api.SetPixelOffsetMode) && Find(m, "GdipGraphicsClear", api.GraphicsClear) &&
         Find(m, "GdipDrawString", api.DrawString) && Find(m, "GdipDrawImageRectI", api.DrawImageRectI);
}

bool FindText(HMODULE m, GdiplusApi& api) {
  return Find(m, "GdipCreateFontFromDC", api.CreateFontFromDC) && Find(m, "GdipDeleteFont", api.DeleteFont) &&
         Find(m, "GdipStringFormatGetGenericTypographic", api.StringFormatGetGenericTypographic) &&
         Find(m, "GdipCloneStringFormat", api.CloneStringFormat) &&
         Find(m, "GdipGetStringFormatFlags", api.GetStringFormatFlags) &&
         Find(m, "GdipSetStringFormatFlags", api.SetStringFormatFlags) &&
         Find(m, "GdipSetStringFormatAlign", api.SetStringFormatAlign) &&
         Find(m, "GdipSetStringFormatLineAlign", api.SetStringFormatLineAlign) &&
         Find(m, "GdipDeleteStringFormat", api.DeleteStringFormat) &&
         Find(m, "GdipCreateLineBrushI", api.CreateLineBrushI) && Find(m, "GdipCreateSolidFill", api.CreateSolidFill) &&
         Find(m, "GdipDeleteBrush", api.DeleteBrush);
}

bool FindImages(HMODULE m, GdiplusApi& api) {
  return Find(m, "GdipCreateBitmapFromScan0", api.CreateBitmapFromScan0) &&
         Find(m, "GdipGetImageGraphicsContext", api.GetImageGraphicsContext) &&
         Find(m, "GdipLoadImageFromStream", api.LoadImageFromStream) && Find(m, "GdipDisposeImage", api.DisposeImage) &&
         Find(m, "GdipImageGetFrameCount", api.ImageGetFrameCount) &&
         Find(m, "GdipImageSelectActiveFrame", api.ImageSelectActiveFrame) &&
         Find(m, "GdipGetPropertyItemSize", api.GetPropertyItemSize) &&
         Find(m, "GdipGetPropertyItem", api.GetPropertyItem) && Find(m, "GdipGetImageWidth", api.GetImageWidth) &&
         Find(m, "GdipGetImageHeight", api.GetImageHeight);
}

bool FindAll(HMODULE m, GdiplusApi& api) {
  return Find(m, "GdiplusStartup", api.Startup) && Find(m, "GdiplusShutdown", api.Shutdown) && FindPainting(m, api) &&
         FindText(m, api) && FindImages(m, api);
}

void Start(Library& library) {
  library.module = utility::usystem::loadSystemLibrary(L"gdiplus.dll");
  if (library.module && FindAll(library.module.get(), library.api)) {
    const Gdiplus::GdiplusStartupInput input;
    library.started = library.api.Startup(&library.token, &input, nullptr) == Gdiplus::Ok;
  }
  if (!library.started) {
    library.api = GdiplusApi{};
    library.module.reset();
  }
}

void Stop(Library& library) {
  if (library.started) library.api.Shutdown(library.token);
  library.started = false;
  library.token = 0;
  library.api = GdiplusApi{};
  library.module.reset();
}

}  // namespace

CGdiplusUse::CGdiplusUse() {
  Library& library = TheLibrary();
  const std::lock_guard<std::mutex> guard(library.lock);
  if (library.uses++ == 0) Start(library);
}

CGdiplusUse::~CGdiplusUse() {
  Library& library = TheLibrary();
  const std::lock_guard<std::mutex> guard(library.lock);
  if (--library.uses == 0) Stop(library);
}

const GdiplusApi* CGdiplusUse::Api() {
  Library& library = TheLibrary();
  const std::lock_guard<std::mutex> guard(library.lock);
  return library.started ? &library.api : nullptr;
}

bool CGdiplusUse::IsStarted() { return CGdiplusUse::Api() != nullptr; }

int CGdiplusUse::UseCount() {
  Library& library = TheLibrary();
  const std::lock_guard<std::mutex> guard(library.lock);
  return library.uses;
}

}  // namespace SkinUI
