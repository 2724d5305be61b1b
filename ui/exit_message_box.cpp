#include "ui/exit_message_box.h"

#include <string>
#include <utility>

#include "app/app_model.h"
#include "skinui/control/button_ui.h"
#include "skinui/core/resources/lang_text.h"
#include "ui/sdk_api_impl.h"

namespace {

// The question on screen, if any.
CMessageBox*& OpenExitBox() {
  static CMessageBox* open = nullptr;
  return open;
}

// One of the three 100 x 32 states side by side.
std::wstring StateImage(const wchar_t* file, int state) {
  return L"file='" + std::wstring(file) + L"' source='" + std::to_wstring(state * 100) + L",0," +
         std::to_wstring(state * 100 + 100) + L",32'";
}

void SetControlText(SkinUI::CManagerUI& manager, const wchar_t* name, const char* key) {
  SkinUI::CControlUI* control = manager.FindControl(name);
  if (control != nullptr) control->SetText(SkinUI::LangText(key));
}

// Gives the owner back to the user once the question is gone. A question
// that was replaced leaves both to the one that replaced it, which keeps
// the owner disabled.
void RestoreOwner(HWND owner, const CMessageBox* closed) {
  if (OpenExitBox() != closed) return;
  OpenExitBox() = nullptr;
  ::EnableWindow(owner, TRUE);
  ::BringWindowToTop(owner);
  ::ShowWindow(owner, SW_SHOW);
}

}  // namespace

CMessageBox::~CMessageBox() { finalAction_ = nullptr; }

const SkinUI::NotifyMap* CMessageBox::GetNotifyMap() const {
  static const SkinUI::NotifyMapEntry entries[] = {
      SkinUI::NotifyMapEntry::Notify(L"click", L"btnLeft", &CMessageBox::OnYes),
      SkinUI::NotifyMapEntry::Notify(L"click", L"btnRight", &CMessageBox::OnNo),
      SkinUI::NotifyMapEntry::End(),
  };
  static const SkinUI::NotifyMap map{WindowImplBase::GetNotifyMap(), entries};
  return &map;
}

void CMessageBox::OnWindowDestroyed(HWND window) {
  WindowImplBase::OnWindowDestroyed(window);
  if (finalAction_) finalAction_();
  delete this;
}

void CMessageBox::ApplyTexts() {
  SetControlText(manager_, L"titlelabel", "noice");
  SetControlText(manager_, L"btnLeft", "Yes");
  SetControlText(manager_, L"btnRight", "No");
  SetControlText(manager_, L"descriptlabel", "exit");
  SetButtonImages(L"btnLeft", L"button_box_cancel.png");
  SetButtonImages(L"btnRight", L"button_box_hot.png");
}

void CMessageBox::SetButtonImages(const wchar_t* name, const wchar_t* file) {
  SkinUI::CControlUI* control = manager_.FindControl(name);
  auto* button = control != nullptr ? static_cast<SkinUI::CButtonUI*>(control->FindInterface(L"Button")) : nullptr;
  if (button == nullptr) return;
  button->SetImage(SkinUI::ButtonImage::kNormal, StateImage(file, 0).c_str());
  button->SetImage(SkinUI::ButtonImage::kHot, StateImage(file, 1).c_str());
  button->SetImage(SkinUI::ButtonImage::kPushed, StateImage(file, 2).c_str());
}

void CMessageBox::OnYes(SkinUI::UINotify&) {
  ShowWindow(false);
  CAppModel& model = CAppModel::instance();
  // The quit follows at once, so the event cannot wait in the queue.
  model.reportEventNow(L"ad_useCancel", model.getChannelId());
  Close(1);
  if (owner_ != nullptr) {
    ::ShowWindow(owner_, SW_HIDE);
    ::CloseWindow(owner_);
  }
  // An open offers popup goes with the window, and the main window hears that the offers are over.
  SDKAPIImpl::instance().closeForExit();
  ::PostQuitMessage(0);
}

void CMessageBox::OnNo(SkinUI::UINotify&) { Close(1); }

void ShowExitBox(HWND owner) {
  if (OpenExitBox() != nullptr) {
    OpenExitBox()->Close(1);
    OpenExitBox() = nullptr;
  }
  auto* box = new CMessageBox();
  box->SetFinalAction([owner, box] { RestoreOwner(owner, box); });
  if (box->Create(owner, L"", 0, 0) == nullptr) {
    // No window: nothing else deletes the object.
    delete box;
    return;
  }
  OpenExitBox() = box;
  box->ApplyTexts();
  box->SetOwner(owner);
  box->CenterWindow();
  box->ShowWindow(true, true);
  ::EnableWindow(owner, FALSE);
}
