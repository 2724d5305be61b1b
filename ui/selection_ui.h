#pragma once
// A button made at run time for a generic message box: it carries the
// action to run when clicked and whether it is the primary button, and
// answers FindInterface("Selection").

#include <functional>

#include "skinui/control/button_ui.h"
#include "ui/message_box_button.h"

namespace msg {

class CSelectionUI : public SkinUI::CButtonUI {
 public:
  // The box button's text, action and look (images under "common\").
  explicit CSelectionUI(const MessageBoxButton& button);
  // This control for "Selection", else as the button.
  void* FindInterface(const wchar_t* name) override;
  // Runs the button's action when it has one.
  void RunAction() const;
  // The primary button of its box.
  bool IsPrimary() const { return primary_; }

 protected:
  // The same with its images taken from folder (ending in '\').
  CSelectionUI(const MessageBoxButton& button, const wchar_t* folder);

 private:
  void ApplyLook(const std::wstring& text, const wchar_t* folder);

  std::function<void()> action_;
  bool primary_ = false;
};

}  // namespace msg
