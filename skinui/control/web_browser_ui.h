#pragma once
// A host of the platform's web browser component.
// The installer's skins never show one: the class keeps the attributes of
// such an element as extra attributes and paints as a container, so a skin
// that names it still builds.

#include "skinui/layout/container_ui.h"

namespace SkinUI {

class CWebBrowserUI : public CContainerUI {
 public:
  const wchar_t* GetTypeName() const override { return L"WebBrowser"; }
  // This control for "WebBrowser", else as the container.
  void* FindInterface(const wchar_t* name) override;
};

}  // namespace SkinUI
