#pragma once
// A message-box button of the remote style: the same as CSelectionUI with
// its images under "remote\".

#include "ui/selection_ui.h"

namespace msg {

class CSelectionUIRemote : public CSelectionUI {
 public:
  // The box button's text, action and the remote look.
  explicit CSelectionUIRemote(const MessageBoxButton& button);
};

}  // namespace msg
