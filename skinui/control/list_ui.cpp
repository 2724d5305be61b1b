#include "skinui/control/list_ui.h"

#include <cwchar>

namespace SkinUI {

void* CListUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"List") == 0) return this;
  return CContainerUI::FindInterface(name);
}

void* CListHeaderUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"ListHeader") == 0) return this;
  return CContainerUI::FindInterface(name);
}

void* CListHeaderItemUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"ListHeaderItem") == 0) return this;
  return CContainerUI::FindInterface(name);
}

void* CListLabelElementUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"ListLabelElement") == 0) return this;
  return CContainerUI::FindInterface(name);
}

void* CListTextElementUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"ListTextElement") == 0) return this;
  return CContainerUI::FindInterface(name);
}

void* CListContainerElementUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"ListContainerElement") == 0) return this;
  return CContainerUI::FindInterface(name);
}

void* CListHBoxElementUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"ListHBoxElement") == 0) return this;
  return CContainerUI::FindInterface(name);
}

}  // namespace SkinUI
