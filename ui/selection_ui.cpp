#include "ui/selection_ui.h"

#include <cwchar>
#include <string>

namespace msg {
namespace {

constexpr DWORD kPrimaryTextColor = 0xFF000000;
constexpr DWORD kOtherTextColor = 0xFF17171A;

// The state image of one of the three 20 x 28 states side by side.
std::wstring StateImage(const std::wstring& file, int state) {
  const std::wstring left = std::to_wstring(state * 20);
  const std::wstring right = std::to_wstring(state * 20 + 20);
  return L"file='" + file + L"' source='" + left + L",0," + right + L",28' corner='6,6,6,6'";
}

}  // namespace

CSelectionUI::CSelectionUI(const MessageBoxButton& button) : CSelectionUI(button, L"common\\") {}

CSelectionUI::CSelectionUI(const MessageBoxButton& button, const wchar_t* folder)
    : action_(button.action), primary_(button.primary) {
  ApplyLook(button.text, folder);
}

void CSelectionUI::ApplyLook(const std::wstring& text, const wchar_t* folder) {
  SetText(text.c_str());
  ApplyAttribute(L"height", L"30");
  ApplyAttribute(L"valign", L"vcenter");
  SetTextPadding(RECT{20, 0, 20, 0});
  SetPadding(RECT{10, 0, 10, 0});
  SetShowCursor(true);
  SetMinWidthEx(100);
  SetMinWidth(90);
  SetFont(1);
  SetShowHtml(true);
  const std::wstring file = std::wstring(folder) + (primary_ ? L"btn_bg_default.png" : L"btn_bg.png");
  SetImage(SkinUI::ButtonImage::kNormal, StateImage(file, 0).c_str());
  SetImage(SkinUI::ButtonImage::kHot, StateImage(file, 1).c_str());
  SetImage(SkinUI::ButtonImage::kPushed, StateImage(file, 2).c_str());
  SetTextColor(primary_ ? kPrimaryTextColor : kOtherTextColor);
}

void* CSelectionUI::FindInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"Selection") == 0) return this;
  return CButtonUI::FindInterface(name);
}

void CSelectionUI::RunAction() const {
  if (action_) action_();
}

}  // namespace msg
