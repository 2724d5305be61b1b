#pragma once
// A drop-down list in a popup window. The main window carries one hidden and
// nothing fills it: the class keeps the attributes of its element as extra
// attributes and paints as a container.

#include "skinui/layout/container_ui.h"

namespace SkinUI {

class CComboUI : public CContainerUI {
 public:
  const wchar_t* GetTypeName() const override { return L"Combo"; }
  // This control for "Combo", else as the container.
  void* FindInterface(const wchar_t* name) override;
};

}  // namespace SkinUI
