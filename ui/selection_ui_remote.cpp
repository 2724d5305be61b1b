#include "ui/selection_ui_remote.h"

namespace msg {

CSelectionUIRemote::CSelectionUIRemote(const MessageBoxButton& button) : CSelectionUI(button, L"remote\\") {}

}  // namespace msg
