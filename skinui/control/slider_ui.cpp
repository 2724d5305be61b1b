#include "skinui/control/slider_ui.h"

#include <cwchar>

namespace SkinUI {

void* CSliderUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"Slider") == 0) return this;
  return CContainerUI::FindInterface(name);
}

}  // namespace SkinUI
