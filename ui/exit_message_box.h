#pragma once
// The exit question over the main window: Yes reports the cancellation,
// hides everything and quits; No and the close button keep the installer.
// At most one is open; the owner is disabled while it is.

#include <windows.h>

#include <functional>
#include <utility>

#include "skinui/core/window/window_impl_base.h"

class CMessageBox : public SkinUI::WindowImplBase {
 public:
  CMessageBox() = default;
  // Releases the final action first.
  ~CMessageBox() override;

  // What runs once the question's window is destroyed.
  void SetFinalAction(std::function<void()> action) { finalAction_ = std::move(action); }
  // Remembers the window that is hidden when the user answers Yes.
  void SetOwner(HWND owner) { owner_ = owner; }
  // Fills in the question's texts and button images.
  void ApplyTexts();

 protected:
  const wchar_t* GetRegisteredClassName() const override { return L"vdbox"; }
  UINT GetClassStyle() const override { return CS_HREDRAW | CS_VREDRAW; }
  const wchar_t* GetSkinDirectoryName() const override { return L""; }
  const wchar_t* GetSkinFileName() const override { return L"messagebox.xml"; }
  // "btnLeft" is Yes, "btnRight" is No; the rest goes to the base's table.
  const SkinUI::NotifyMap* GetNotifyMap() const override;
  // The base's clean-up, the final action, then the object deletes itself.
  void OnWindowDestroyed(HWND window) override;

 private:
  void OnYes(SkinUI::UINotify& notify);
  void OnNo(SkinUI::UINotify& notify);
  void SetButtonImages(const wchar_t* name, const wchar_t* file);

  std::function<void()> finalAction_;
  HWND owner_ = nullptr;
};

// Shows the exit question over owner, closing one that is open.
void ShowExitBox(HWND owner);
