#include "skinui/control/date_time_ui.h"

#include <cwchar>

namespace SkinUI {

void* CDateTimeUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"DateTime") == 0) return this;
  return CContainerUI::FindInterface(name);
}

}  // namespace SkinUI
