#include "skinui/control/web_browser_ui.h"

#include <cwchar>

namespace SkinUI {

void* CWebBrowserUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"WebBrowser") == 0) return this;
  return CContainerUI::FindInterface(name);
}

}  // namespace SkinUI
