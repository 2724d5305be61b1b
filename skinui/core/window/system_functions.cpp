#include "skinui/core/window/system_functions.h"

#include <string>

#include "utility/system_library.h"

namespace SkinUI {
namespace {

template <typename Fn>
Fn Lookup(const utility::ScopedModule& module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module.get(), name)));
}

// The common controls' InitCommonControls is exported by ordinal 17.
constexpr WORD kInitCommonControlsOrdinal = 17;

}  // namespace

CSystemFunctions& CSystemFunctions::Instance() {
  static CSystemFunctions* instance = new CSystemFunctions;  // lives as long as the process
  return *instance;
}

CSystemFunctions::CSystemFunctions()
    : user32_(utility::usystem::loadSystemLibrary(L"user32.dll")),
      imm32_(utility::usystem::loadSystemLibrary(L"imm32.dll")),
      comctl32_(utility::usystem::loadSystemLibrary(L"comctl32.dll")) {
  updateLayeredWindow_ = Lookup<UpdateLayeredWindowFn>(user32_, "UpdateLayeredWindow");
  setLayeredWindowAttributes_ = Lookup<SetLayeredWindowAttributesFn>(user32_, "SetLayeredWindowAttributes");
  immGetVirtualKey_ = Lookup<ImmGetVirtualKeyFn>(imm32_, "ImmGetVirtualKey");
  using InitFn = void(WINAPI*)();
  if (comctl32_) {
    auto init = reinterpret_cast<InitFn>(
        reinterpret_cast<void*>(::GetProcAddress(comctl32_.get(), MAKEINTRESOURCEA(kInitCommonControlsOrdinal))));
    if (init != nullptr) init();
  }
}

UINT CSystemFunctions::RealVirtualKey(HWND window) const {
  return immGetVirtualKey_ != nullptr ? immGetVirtualKey_(window) : 0;
}

}  // namespace SkinUI
