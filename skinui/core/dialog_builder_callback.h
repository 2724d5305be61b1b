#pragma once
// How an application adds control classes of its own to the skins it builds.

namespace SkinUI {

class CControlUI;

class IDialogBuilderCallback {
 public:
  // A new control for the element name className, or null when the application has no such class.
  virtual CControlUI* CreateCustomControl(const wchar_t* className) = 0;

 protected:
  ~IDialogBuilderCallback() = default;
};

}  // namespace SkinUI
