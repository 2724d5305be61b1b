// A window whose skin cannot be built: its creation shows the error box
// and ends the process with code 1.
#include <windows.h>

#include "skinui/core/window/window_impl_base.h"

namespace {

class BrokenSkinWindow : public SkinUI::WindowImplBase {
 protected:
  const wchar_t* GetRegisteredClassName() const override { return L"VxBrokenSkinWindow"; }
  const wchar_t* GetSkinDirectoryName() const override { return L""; }
  // An attribute without a value: the markup does not parse.
  const wchar_t* GetSkinFileName() const override {
    return L"<Window size=\"200,100\"><VerticalLayout broken/></Window>";
  }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  BrokenSkinWindow window;
  window.Create(nullptr, L"vx broken skin", WS_POPUP, 0);
  return 0;  // not reached: the window's creation ends the process
}
