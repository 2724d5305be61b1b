#pragma once
// The generic message box: an icon, a title, a message and a row of
// buttons made at run time, each with its own action. It disables its
// owner while it is open and enables it again when it closes; it deletes
// itself when its window is destroyed.

#include <windows.h>

#include <functional>
#include <string>

#include "skinui/core/window/window_impl_base.h"
#include "ui/i_message_box.h"

namespace msg {

class CSelectionUI;

class MessageBoxWindow : public SkinUI::WindowImplBase, public IMessageBox {
 public:
  // A box over owner built from skinFile; disables the owner.
  MessageBoxWindow(HWND owner, std::wstring skinFile);
  // Takes the message out of the open keys.
  ~MessageBoxWindow() override;

  void SetIcon(const std::wstring& file) override;
  void SetTitle(const std::wstring& text) override;
  void SetMessage(const std::wstring& text) override;
  void SetCloseAction(std::function<void()> action) override;
  void AddButton(const MessageBoxButton& button) override;
  void AddRemoteButton(const MessageBoxButton& button) override;

  // The close button runs the close action; a box button hides the box,
  // runs its action and closes the box. Then the base's handling.
  void Notify(SkinUI::UINotify& notify) override;
  // The default font and fonts 0 to 3 of the box.
  void OnWindowReady() override;

 protected:
  const wchar_t* GetRegisteredClassName() const override { return L"MessageBox"; }
  UINT GetClassStyle() const override { return CS_HREDRAW | CS_VREDRAW; }
  const wchar_t* GetSkinDirectoryName() const override { return L""; }
  const wchar_t* GetSkinFileName() const override { return skinFile_.c_str(); }
  // Enables the owner and leaves the closing to the base.
  LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
  // The base's clean-up, then the object deletes itself.
  void OnWindowDestroyed(HWND window) override;

 private:
  // Inserts button before the last child of "bottombar" (the closing spacer).
  void InsertButton(CSelectionUI* button);
  void OnButtonClicked(const CSelectionUI& button);

  HWND owner_;
  std::wstring skinFile_;
  std::function<void()> closeAction_;
  std::wstring key_;
};

}  // namespace msg
