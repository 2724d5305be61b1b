#include "ui/message_box_window.h"

#include <utility>

#include "skinui/layout/container_interface.h"
#include "ui/box_keys.h"
#include "ui/selection_ui.h"
#include "ui/selection_ui_remote.h"

namespace msg {
namespace {

// The native name of the box's typeface (Microsoft YaHei).
constexpr wchar_t kFontFace[] = L"\u5FAE\u8F6F\u96C5\u9ED1";
constexpr int kBaseFontSize = 12;
constexpr int kFontCount = 4;

}  // namespace

MessageBoxWindow::MessageBoxWindow(HWND owner, std::wstring skinFile) : owner_(owner), skinFile_(std::move(skinFile)) {
  ::EnableWindow(owner_, FALSE);
}

MessageBoxWindow::~MessageBoxWindow() { ReleaseBoxKey(key_); }

void MessageBoxWindow::OnWindowReady() {
  manager_.SetBaseFont(kFontFace, kBaseFontSize, false, false, false, true);
  for (int id = 0; id < kFontCount; ++id) {
    manager_.RegisterFont(id, kFontFace, kBaseFontSize + 2 * id, false, false, false, true);
  }
}

void MessageBoxWindow::SetIcon(const std::wstring& file) {
  SkinUI::CControlUI* icon = manager_.FindControl(L"msgiconimage");
  if (!file.empty()) {
    if (icon != nullptr) icon->SetBackImage(file.c_str());
    return;
  }
  if (icon != nullptr) icon->SetVisible(false);
  SkinUI::CControlUI* message = manager_.FindControl(L"descriptlabel");
  if (message != nullptr) message->ApplyAttribute(L"width", L"340");
}

void MessageBoxWindow::SetTitle(const std::wstring& text) {
  SkinUI::CControlUI* title = manager_.FindControl(L"titlelabel");
  if (title != nullptr) title->SetText(text.c_str());
}

void MessageBoxWindow::SetMessage(const std::wstring& text) {
  key_ = text;
  SkinUI::CControlUI* message = manager_.FindControl(L"descriptlabel");
  if (message == nullptr) return;
  message->ApplyAttribute(L"align", L"center");
  message->ApplyAttribute(L"valign", L"vcenter");
  message->ApplyAttribute(L"multiline", L"true");
  message->ApplyAttribute(L"showhtml", L"true");
  message->SetText(text.c_str());
}

void MessageBoxWindow::SetCloseAction(std::function<void()> action) { closeAction_ = std::move(action); }

void MessageBoxWindow::AddButton(const MessageBoxButton& button) { InsertButton(new CSelectionUI(button)); }

void MessageBoxWindow::AddRemoteButton(const MessageBoxButton& button) { InsertButton(new CSelectionUIRemote(button)); }

void MessageBoxWindow::InsertButton(CSelectionUI* button) {
  SkinUI::CControlUI* bar = manager_.FindControl(L"bottombar");
  auto* row = bar != nullptr ? static_cast<SkinUI::IContainerUI*>(bar->FindInterface(L"IContainer")) : nullptr;
  // A skin without the row (or with an empty one) still gets its buttons.
  const int index = row != nullptr && row->GetCount() > 0 ? row->GetCount() - 1 : 0;
  if (row == nullptr || !row->InsertAt(button, index)) delete button;
}

void MessageBoxWindow::Notify(SkinUI::UINotify& notify) {
  if (notify.type == L"click" && notify.sender != nullptr) {
    if (notify.sender->GetName() == L"closebtn") {
      ::EnableWindow(owner_, TRUE);
      if (closeAction_) closeAction_();
    } else if (auto* button = static_cast<CSelectionUI*>(notify.sender->FindInterface(L"Selection"))) {
      OnButtonClicked(*button);
    }
  }
  WindowImplBase::Notify(notify);
}

void MessageBoxWindow::OnButtonClicked(const CSelectionUI& button) {
  ::EnableWindow(owner_, TRUE);
  ShowWindow(false, false);
  button.RunAction();
  Close(1);
}

LRESULT MessageBoxWindow::OnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  ::EnableWindow(owner_, TRUE);
  return WindowImplBase::OnClose(message, wParam, lParam, handled);
}

void MessageBoxWindow::OnWindowDestroyed(HWND window) {
  WindowImplBase::OnWindowDestroyed(window);
  delete this;
}

}  // namespace msg
