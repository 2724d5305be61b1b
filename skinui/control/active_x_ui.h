#pragma once
// A host of a platform component object named by its class id.
// The installer's skins never show one: the class keeps the attributes of
// such an element as extra attributes and paints as a container, so a skin
// that names it still builds.

#include "skinui/layout/container_ui.h"

namespace SkinUI {

class CActiveXUI : public CContainerUI {
 public:
  const wchar_t* GetTypeName() const override { return L"ActiveX"; }
  // This control for "ActiveX", else as the container.
  void* FindInterface(const wchar_t* name) override;
};

}  // namespace SkinUI
