#pragma once
// Functions of system libraries that the window manager looks up at run
// time: the per-pixel and whole-window layered updates, the input method's
// real key and the common controls' initialisation. Libraries are loaded by
// their full path in the system folder, never by bare name, since the
// program runs elevated from a folder its user can write.

#include <windows.h>

#include "utility/scoped_handle.h"

namespace SkinUI {

class CSystemFunctions {
 public:
  using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
  using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  using ImmGetVirtualKeyFn = UINT(WINAPI*)(HWND);

  // The one instance; the first call initialises the common controls.
  static CSystemFunctions& Instance();

  // Null when the system lacks them.
  UpdateLayeredWindowFn UpdateLayeredWindow() const { return updateLayeredWindow_; }
  SetLayeredWindowAttributesFn SetLayeredWindowAttributes() const { return setLayeredWindowAttributes_; }
  // The virtual key behind the input method's placeholder code of window; 0 when unknown.
  UINT RealVirtualKey(HWND window) const;

 private:
  CSystemFunctions();

  utility::ScopedModule user32_;
  utility::ScopedModule imm32_;
  utility::ScopedModule comctl32_;
  UpdateLayeredWindowFn updateLayeredWindow_ = nullptr;
  SetLayeredWindowAttributesFn setLayeredWindowAttributes_ = nullptr;
  ImmGetVirtualKeyFn immGetVirtualKey_ = nullptr;
};

}  // namespace SkinUI
