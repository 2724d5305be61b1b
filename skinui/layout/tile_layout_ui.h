#pragma once
// A grid of equal cells (attributes columns, childvpadding, itemsize).
// The installer's skins never show one: the class keeps the attributes of
// such an element as extra attributes and paints as a container, so a skin
// that names it still builds.

#include "skinui/layout/container_ui.h"

namespace SkinUI {

class CTileLayoutUI : public CContainerUI {
 public:
  const wchar_t* GetTypeName() const override { return L"TileLayout"; }
  // This control for "TileLayout", else as the container.
  void* FindInterface(const wchar_t* name) override;
};

}  // namespace SkinUI
