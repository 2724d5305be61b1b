#include "skinui/layout/tile_layout_ui.h"

#include <cwchar>

namespace SkinUI {

void* CTileLayoutUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"TileLayout") == 0) return this;
  return CContainerUI::FindInterface(name);
}

}  // namespace SkinUI
