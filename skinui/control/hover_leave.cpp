#include "skinui/control/hover_leave.h"

#include "skinui/core/control_ui.h"
#include "skinui/core/window/manager_ui.h"

namespace SkinUI {

bool HoverEnds(CControlUI& control, POINT mouse) {
  CManagerUI* manager = control.GetManager();
  if (manager == nullptr) return false;
  if (::PtInRect(&control.GetBounds(), mouse)) {
    manager->AddMouseLeaveNeeded(&control);
    return false;
  }
  manager->RemoveMouseLeaveNeeded(&control);
  return true;
}

}  // namespace SkinUI
