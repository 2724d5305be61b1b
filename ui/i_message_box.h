#pragma once
// What a generic message box lets its creator fill in.

#include <functional>
#include <string>

#include "ui/message_box_button.h"

namespace msg {

class IMessageBox {
 public:
  // A non-empty file becomes the icon; an empty one hides the icon and widens the message.
  virtual void SetIcon(const std::wstring& file) = 0;
  // The title row's text.
  virtual void SetTitle(const std::wstring& text) = 0;
  // The centred, multi-line message; it is also the box's key among the open boxes.
  virtual void SetMessage(const std::wstring& text) = 0;
  // What runs when the user clicks the close button.
  virtual void SetCloseAction(std::function<void()> action) = 0;
  // Adds a button to the right of those added before.
  virtual void AddButton(const MessageBoxButton& button) = 0;
  // AddButton with the images of the remote style.
  virtual void AddRemoteButton(const MessageBoxButton& button) = 0;

 protected:
  ~IMessageBox() = default;
};

}  // namespace msg
