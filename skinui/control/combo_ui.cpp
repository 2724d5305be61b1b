#include "skinui/control/combo_ui.h"

#include <cwchar>

namespace SkinUI {

void* CComboUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"Combo") == 0) return this;
  return CContainerUI::FindInterface(name);
}

}  // namespace SkinUI
