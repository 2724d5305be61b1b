#pragma once
// One button of a generic message box: its text, what it does and whether
// it is the box's primary (highlighted) button.

#include <functional>
#include <string>

struct MessageBoxButton {
  std::wstring text;
  std::function<void()> action;  // may be empty: the button only closes the box
  bool primary = false;
};

// A button from its text, action and primary flag.
MessageBoxButton MakeBoxButton(std::wstring text, std::function<void()> action, bool primary);
// The primary "confirm" button (its text from the language table) running action.
MessageBoxButton MakeConfirmButton(std::function<void()> action = {});
