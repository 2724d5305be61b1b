#pragma once
// The process-wide use of the imaging library. Each control that draws with
// it holds a CGdiplusUse: the first use loads the library by its full path
// and starts it, the last one shuts it down and unloads it, so no drawing
// ever runs on a library that another control already stopped.

namespace SkinUI {

struct GdiplusApi;

class CGdiplusUse {
 public:
  // Takes a use; the first one loads and starts the library.
  CGdiplusUse();
  // Gives the use back; the last one shuts the library down and unloads it.
  ~CGdiplusUse();
  CGdiplusUse(const CGdiplusUse&) = delete;
  CGdiplusUse& operator=(const CGdiplusUse&) = delete;

  // The library's functions while it is started, else null.
  static const GdiplusApi* Api();
  // True while the library is loaded and started.
  static bool IsStarted();
  // The number of uses alive.
  static int UseCount();
};

}  // namespace SkinUI
