#pragma once
// An option with its own class name, for skins that show a tick box.

#include "skinui/control/option_ui.h"

namespace SkinUI {

class CCheckBoxUI : public COptionUI {
 public:
  // The class name skins use: "CheckBox".
  const wchar_t* GetTypeName() const override { return L"CheckBox"; }
  // This control for "CheckBox", else as the option.
  void* FindInterface(const wchar_t* name) override;
};

}  // namespace SkinUI
