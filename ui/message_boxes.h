#pragma once
// The generic message boxes over a window. They return nothing: each
// button carries its own action. A box whose message is already on screen
// is not opened again.

#include <windows.h>

#include <string>

#include "ui/i_message_box.h"
#include "ui/message_box_button.h"

namespace msg {

// A new, shown box over owner built from skinFile; null when it cannot be made.
IMessageBox* CreateMessageBox(HWND owner, const std::wstring& skinFile);

}  // namespace msg

// A box with the notice icon, title, text and one button.
void ShowMessageBox1(HWND owner, const std::wstring& title, const std::wstring& text, const MessageBoxButton& button);
// A box with the notice icon, title, text and two buttons, first on the left.
void ShowMessageBox2(HWND owner,
                     const std::wstring& title,
                     const std::wstring& text,
                     const MessageBoxButton& first,
                     const MessageBoxButton& second);
