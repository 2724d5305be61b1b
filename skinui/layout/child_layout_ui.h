#pragma once
// A container whose content comes from the skin file named by its xmlfile
// attribute.
// The installer's skins never show one: the class keeps the attributes of
// such an element as extra attributes and paints as a container, so a skin
// that names it still builds.

#include "skinui/layout/container_ui.h"

namespace SkinUI {

class CChildLayoutUI : public CContainerUI {
 public:
  const wchar_t* GetTypeName() const override { return L"ChildLayout"; }
  // This control for "ChildLayout", else as the container.
  void* FindInterface(const wchar_t* name) override;
};

}  // namespace SkinUI
