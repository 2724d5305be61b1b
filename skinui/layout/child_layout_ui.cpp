#include "skinui/layout/child_layout_ui.h"

#include <cwchar>

namespace SkinUI {

void* CChildLayoutUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"ChildLayout") == 0) return this;
  return CContainerUI::FindInterface(name);
}

}  // namespace SkinUI
