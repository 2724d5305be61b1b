#include "ui/message_boxes.h"

#include <initializer_list>
#include <new>

#include "ui/box_keys.h"
#include "ui/message_box_icons.h"
#include "ui/message_box_window.h"

namespace {

constexpr wchar_t kBoxSkin[] = L"common/xml_messagebox.xml";
constexpr DWORD kBoxStyle = WS_POPUP | WS_BORDER | WS_SYSMENU;
constexpr DWORD kBoxExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

// Shows a box with the message text unless one is open already.
void ShowBox(HWND owner,
             int iconKind,
             const std::wstring& title,
             const std::wstring& text,
             std::initializer_list<const MessageBoxButton*> buttons) {
  if (!msg::TryRegisterBoxKey(text)) return;
  msg::IMessageBox* box = msg::CreateMessageBox(owner, kBoxSkin);
  if (box == nullptr) {
    // No box will take the key out again.
    msg::ReleaseBoxKey(text);
    return;
  }
  box->SetIcon(msg::IconForKind(iconKind));
  box->SetTitle(title);
  box->SetMessage(text);
  for (const MessageBoxButton* button : buttons) box->AddButton(*button);
}

}  // namespace

namespace msg {

IMessageBox* CreateMessageBox(HWND owner, const std::wstring& skinFile) {
  auto* box = new (std::nothrow) MessageBoxWindow(owner, skinFile);
  if (box == nullptr) return nullptr;
  if (box->Create(owner, L"", kBoxStyle, kBoxExStyle) == nullptr) {
    // The window never existed, so nothing else deletes the object or enables the owner.
    ::EnableWindow(owner, TRUE);
    delete box;
    return nullptr;
  }
  box->CenterWindow();
  box->ShowWindow(true, true);
  return box;
}

}  // namespace msg

void ShowMessageBox1(HWND owner, const std::wstring& title, const std::wstring& text, const MessageBoxButton& button) {
  ShowBox(owner, 2, title, text, {&button});
}

void ShowMessageBox2(HWND owner,
                     const std::wstring& title,
                     const std::wstring& text,
                     const MessageBoxButton& first,
                     const MessageBoxButton& second) {
  ShowBox(owner, 0, title, text, {&first, &second});
}
