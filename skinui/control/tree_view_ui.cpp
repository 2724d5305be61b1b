#include "skinui/control/tree_view_ui.h"

#include <cwchar>

namespace SkinUI {

void* CTreeViewUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"TreeView") == 0) return this;
  return CContainerUI::FindInterface(name);
}

void* CTreeNodeUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"TreeNode") == 0) return this;
  return CContainerUI::FindInterface(name);
}

}  // namespace SkinUI
