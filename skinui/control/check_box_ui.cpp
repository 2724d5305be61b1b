#include "skinui/control/check_box_ui.h"

#include <cwchar>

namespace SkinUI {

void* CCheckBoxUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"CheckBox") == 0) return this;
  return COptionUI::FindInterface(name);
}

}  // namespace SkinUI
