#include "skinui/control/active_x_ui.h"

#include <cwchar>

namespace SkinUI {

void* CActiveXUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"ActiveX") == 0) return this;
  return CContainerUI::FindInterface(name);
}

}  // namespace SkinUI
