#include "ui/app_main_frame.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <utility>

#include "app/app_model.h"
#include "app/async_run.h"
#include "app/config_imp.h"
#include "app/endpoints.h"
#include "app/post_to_ui.h"
#include "skinui/control/edit_ui.h"
#include "skinui/control/option_ui.h"
#include "skinui/control/progress_ui.h"
#include "skinui/core/resources/lang_text.h"
#include "skinui/layout/tab_layout_ui.h"
#include "ui/exit_message_box.h"
#include "ui/main_frame_rules.h"
#include "ui/message_box_button.h"
#include "ui/message_boxes.h"
#include "ui/sdk_api_impl.h"
#include "utility/open_url.h"
#include "utility/runable.h"
#include "utility/usystem_drives.h"

namespace {

enum MainPage { kConsentPage = 0, kProgressPage = 2, kStartPage = 4, kOffersLoadingPage = 9 };

constexpr wchar_t kFontFace[] = L"Microsoft YaHei";
constexpr double kMinimumFreeMB = 1024;
constexpr unsigned kInstallTickMs = 1500;
constexpr DWORD kOfferPollMs = 50;

template <class T>
T* FindAs(SkinUI::CManagerUI& manager, const wchar_t* name, const wchar_t* interfaceName) {
  SkinUI::CControlUI* control = manager.FindControl(name);
  return control != nullptr ? static_cast<T*>(control->FindInterface(interfaceName)) : nullptr;
}

void SetVisible(SkinUI::CManagerUI& manager, const wchar_t* name, bool visible) {
  if (SkinUI::CControlUI* control = manager.FindControl(name)) control->SetVisible(visible);
}

void SetText(SkinUI::CManagerUI& manager, const wchar_t* name, const std::wstring& text) {
  if (SkinUI::CControlUI* control = manager.FindControl(name)) control->SetText(text.c_str());
}

void SetBarValue(SkinUI::CManagerUI& manager, int value) {
  if (auto* bar = FindAs<SkinUI::CProgressUI>(manager, L"installbar", L"Progress")) bar->SetValue(value);
}

std::wstring Text(const char* key) { return SkinUI::LangText(key); }

bool IsArabic() { return ConfigImp::instance().getLanguage() == L"ar"; }

void SetPathImages(SkinUI::CEditUI& edit, bool valid) {
  using SkinUI::EditImage;
  if (valid) {
    edit.SetImage(EditImage::kNormal, L"file='browse_button.png' source='0,0,28,28' corner='4,4,4,4'");
    edit.SetImage(EditImage::kHot, L"file='browse_button.png' source='28,0,56,28' corner='4,4,4,4'");
    edit.SetImage(EditImage::kFocused, L"file='browse_button.png' source='56,0,84,28' corner='4,4,4,4'");
    return;
  }
  for (EditImage which : {EditImage::kNormal, EditImage::kHot, EditImage::kFocused}) {
    edit.SetImage(which, L"file='error_edit_bg.png' source='0,0,10,10' corner='4,4,4,4'");
  }
}

// Starts the folder dialog on the root of drive C:.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM) {
  if (message == BFFM_INITIALIZED) {
    ::SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(L"C:"));
  }
  return 0;
}

// The folder the user picked, or empty when the dialog was cancelled.
std::wstring BrowseForFolder(HWND owner) {
  const std::wstring title = Text("choice_path");
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
  info.lpfn = &BrowseCallback;
  PIDLIST_ABSOLUTE item = ::SHBrowseForFolderW(&info);
  if (item == nullptr) return {};
  wchar_t path[MAX_PATH] = {};
  const bool gotPath = ::SHGetPathFromIDListW(item, path) != FALSE;
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(::SHGetMalloc(&allocator)) && allocator != nullptr) {
    allocator->Free(item);
    allocator->Release();
  }
  return gotPath ? std::wstring(path) : std::wstring();
}

void OpenPackagePage() { utility::usystem::openUrl(CAppModel::instance().getPackageUrl()); }

}  // namespace

CAppMainFrame::CAppMainFrame(std::function<void()> onDeleted) : onDeleted_(std::move(onDeleted)) {}

CAppMainFrame::~CAppMainFrame() = default;

const SkinUI::NotifyMap* CAppMainFrame::GetNotifyMap() const {
  using Entry = SkinUI::NotifyMapEntry;
  static const Entry entries[] = {
      Entry::Notify(L"click", L"installnowbtn", &CAppMainFrame::onInstallClick),
      Entry::Notify(L"click", L"userdefineBtn", &CAppMainFrame::onCustomPathOn),
      Entry::Notify(L"click", L"backBtn", &CAppMainFrame::onCustomPathOff),
      Entry::Notify(L"killfocus", L"pathedit", &CAppMainFrame::onPathKillFocus),
      Entry::Notify(L"click", L"browsebtn", &CAppMainFrame::onBrowse),
      Entry::Notify(L"click", L"protobtn", &CAppMainFrame::onLicenceLink),
      Entry::Notify(L"click", L"facebookbtn", &CAppMainFrame::onSocialLink),
      Entry::Notify(L"click", L"closebtn", &CAppMainFrame::onCloseRequest),
      Entry::Notify(L"click", L"startBtn", &CAppMainFrame::onStart),
      Entry::Notify(L"click", L"ironsourceBtn", &CAppMainFrame::onOfferTermsLink),
      Entry::Notify(L"selectchanged", L"acceptOpt", &CAppMainFrame::onAcceptChanged),
      Entry::End(),
  };
  static const SkinUI::NotifyMap map{WindowImplBase::GetNotifyMap(), entries};
  return &map;
}

void CAppMainFrame::OnWindowReady() {
  manager_.SetBaseFont(kFontFace, 12, false, false, false, true);
  for (int id = 0; id <= 6; ++id) manager_.RegisterFont(id, kFontFace, 12 + 2 * id, false, false, false, true);
  refreshPathState();
  ::SetWindowTextW(GetHWND(), Text("window_title").c_str());
  SetText(manager_, L"pathedit", CAppModel::instance().getInstallPath());
  bindCallbacks();
  showVariantLogo();
  SDKAPIImpl& offers = SDKAPIImpl::instance();
  offers.onOfferCloseRequest = [this](bool flag) { onOfferCloseRequest(flag); };
  offers.onOffersFinished = [this] { onOffersFinished(); };
  wchar_t link[256];
  std::swprintf(link, 256, L"<u>%ls</u>", SkinUI::LangText("protocol_accept_btn"));
  SetText(manager_, L"protobtn", link);
  asyncRun([] { SDKAPIImpl::instance().init(); });
}

void CAppMainFrame::bindCallbacks() {
  CAppModel& model = CAppModel::instance();
  model.onDownloadProgress = [this](int percent, int received, int total) {
    onDownloadProgress(percent, received, total);
  };
  model.onDownloadPercent = [this](int percent) { onDownloadPercent(percent); };
  model.onDownloadSuccess = [this] { onDownloadSuccess(); };
  model.onDownloadError = [this] { onDownloadError(); };
  model.onInstallFinish = [this](bool started) { onInstallFinish(started); };
}

void CAppMainFrame::OnWindowDestroyed(HWND window) {
  WindowImplBase::OnWindowDestroyed(window);
  installTimer.stop();
  // Nothing of the model or the offer screen may call into the deleted object.
  CAppModel& model = CAppModel::instance();
  model.onDownloadProgress = nullptr;
  model.onDownloadPercent = nullptr;
  model.onDownloadSuccess = nullptr;
  model.onDownloadError = nullptr;
  model.onInstallFinish = nullptr;
  SDKAPIImpl& offers = SDKAPIImpl::instance();
  offers.onOfferCloseRequest = nullptr;
  offers.onOffersFinished = nullptr;
  if (ConfigImp::instance().offersEnabled()) offers.releaseDLL();
  if (onDeleted_) onDeleted_();
  delete this;
  ::PostQuitMessage(0);
}

bool CAppMainFrame::customPathMode() {
  SkinUI::CControlUI* button = manager_.FindControl(L"userdefineBtn");
  return button != nullptr && !button->IsVisible();
}

void CAppMainFrame::setCustomPathMode(bool on) {
  SetVisible(manager_, L"userdefinui", on);
  SetVisible(manager_, L"userdefinLayout2", !on);
  SetVisible(manager_, L"backLayout", on);
  SetText(manager_, L"installnowbtn", Text(on ? "install_now" : "install_fast"));
}

void CAppMainFrame::refreshPathState() {
  const std::wstring path = CAppModel::instance().getInstallPath();
  const bool valid = utility::usystem::isValidInstallPath(path);
  auto* edit = FindAs<SkinUI::CEditUI>(manager_, L"pathedit", L"Edit");
  if (edit != nullptr && path != edit->GetText().GetData()) edit->SetText(path.c_str());
  SetVisible(manager_, L"errorLayout", !valid);
  auto* accept = FindAs<SkinUI::COptionUI>(manager_, L"acceptOpt", L"Option");
  if (SkinUI::CControlUI* install = manager_.FindControl(L"installnowbtn")) {
    install->SetEnabled(valid && accept != nullptr && accept->IsSelected());
  }
  reapplyCustomPathMode();
  if (edit != nullptr) SetPathImages(*edit, valid);
}

void CAppMainFrame::applyInstallPath(const std::wstring& path) {
  CAppModel& model = CAppModel::instance();
  if (path == model.getInstallPath()) return;
  std::wstring completed = path;
  if (completed.empty() || completed.back() != L'\\') completed += L'\\';
  const ConfigImp& config = ConfigImp::instance();
  if (::PathIsRootW(completed.c_str())) {
    completed += config.getInstallSubDir();
  } else {
    const size_t product = completed.find(config.getProductName(), 1);
    const size_t runner = completed.find(L"vxrunner", 1);
    if (product == std::wstring::npos && runner == std::wstring::npos) completed += config.getInstallSubDir();
  }
  if (utility::usystem::isValidInstallPath(completed)) mainframe::normalizeInstallPath(completed);
  model.setInstallPath(completed);
  SetText(manager_, L"pathedit", completed);
  refreshPathState();
}

bool CAppMainFrame::checkBeforeInstall() {
  const char* problem = nullptr;
  auto* accept = FindAs<SkinUI::COptionUI>(manager_, L"acceptOpt", L"Option");
  const std::wstring path = CAppModel::instance().getInstallPath();
  if (accept == nullptr || !accept->IsSelected()) {
    problem = "accept_protocol";
  } else if (!utility::usystem::isValidInstallPath(path)) {
    problem = "error_path";
  } else if (utility::usystem::getDiskFreeSpaceMB(path) < kMinimumFreeMB) {
    problem = "disk_notEnough";
  }
  if (problem == nullptr) return true;
  ShowMessageBox1(GetHWND(), Text("error"), Text(problem), MakeConfirmButton());
  return false;
}

void CAppMainFrame::onInstallClick(SkinUI::UINotify&) {
  if (!checkBeforeInstall()) return;
  SetVisible(manager_, L"logoCon", false);
  SetVisible(manager_, L"logo9Con", false);
  CAppModel::instance().startDownloadPlayer();
  selectPage(kOffersLoadingPage);
  reapplyCustomPathMode();
  asyncRun([this] { waitForOfferModule(); });
}

void CAppMainFrame::waitForOfferModule() {
  SDKAPIImpl& offers = SDKAPIImpl::instance();
  while (!offers.ready()) ::Sleep(kOfferPollMs);
  if (!offers.available()) return;
  // The window lives until the program quits: the task runs before the quit ends the loop.
  HWND window = GetHWND();
  postToUI([this, window] {
    if (!::IsWindow(window)) return;
    SDKAPIImpl::instance().showADWindow(window);
    SetVisible(manager_, L"ironsourceLayout", true);
  });
}

void CAppMainFrame::selectPage(int page) {
  if (auto* tab = FindAs<SkinUI::CTabLayoutUI>(manager_, L"maintab", L"TabLayout")) tab->SelectPage(page);
}

void CAppMainFrame::showVariantLogo() {
  const bool player9 = ConfigImp::instance().isPlayer9();
  SetVisible(manager_, L"logo9Con", player9);
  SetVisible(manager_, L"logoCon", !player9);
}

void CAppMainFrame::onOffersFinished() {
  SetVisible(manager_, L"ironsourceLayout", false);
  selectPage(kProgressPage);
  reapplyCustomPathMode();
  showVariantLogo();
}

void CAppMainFrame::onOfferCloseRequest(bool) {
  ::EnableWindow(GetHWND(), FALSE);
  ShowExitBox(GetHWND());
}

void CAppMainFrame::onDownloadProgress(int percent, int received, int total) {
  if (received == 0 || total == 0) return;
  SetText(manager_, L"downloadProgeLabel", mainframe::downloadAmountText(received, total));
  std::wstring status = Text("downloading");
  if (!IsArabic()) status += L"(" + std::to_wstring(percent) + L"%)";
  SetText(manager_, L"loadprogresslabel", status);
  SetBarValue(manager_, mainframe::downloadBarValue(percent, IsArabic()));
  shownPercent = percent < 2 ? 1 : percent;
}

void CAppMainFrame::onDownloadPercent(int percent) { SetBarValue(manager_, percent < 3 ? 3 : percent); }

void CAppMainFrame::onDownloadSuccess() {
  SetText(manager_, L"loadprogresslabel", Text("install_waiting"));
  SetVisible(manager_, L"downloadProgeLabel", false);
  installTimer.stop();
  SDKAPIImpl::instance().installOffers();
  CAppModel::instance().startInstall();
  creepStep = 0;
  installTimer.start(kInstallTickMs, new FunctionRunable([this] {
                       creepStep = std::min(creepStep, 35);
                       SetBarValue(manager_, mainframe::installCreepValue(creepStep));
                       creepStep += 2;
                     }));
}

void CAppMainFrame::onDownloadError() {
  ShowMessageBox2(GetHWND(), Text("noice"), Text("download_error_tip2"),
                  MakeBoxButton(Text("Yes"), &OpenPackagePage, true), MakeBoxButton(Text("No"), {}, false));
}

void CAppMainFrame::onInstallFinish(bool started) {
  installTimer.stop();
  if (started) SetBarValue(manager_, 100);
  CAppModel& model = CAppModel::instance();
  if (!model.getPackage().empty()) {
    model.startPlayer();
    ::PostQuitMessage(0);
    return;
  }
  selectPage(kStartPage);
  reapplyCustomPathMode();
  installFinished = true;
}

void CAppMainFrame::hideAndQuit() {
  ::ShowWindow(GetHWND(), SW_HIDE);
  Close(1);
  ::PostQuitMessage(0);
}

void CAppMainFrame::onCloseRequest(SkinUI::UINotify&) {
  if (installFinished) {
    ShowWindow(false);
    Close(1);
    ::PostQuitMessage(0);
    return;
  }
  if (shownPercent >= 100 || shownPercent <= 0) {
    ShowExitBox(GetHWND());
    return;
  }
  auto quit = [this] { hideAndQuit(); };
  ShowMessageBox2(GetHWND(), Text("noice"), Text("download_slowtip"),
                  MakeBoxButton(Text("download_close"), quit, false),
                  MakeBoxButton(
                      Text("downloadBybrowser"),
                      [quit] {
                        OpenPackagePage();
                        quit();
                      },
                      true));
}

void CAppMainFrame::onStart(SkinUI::UINotify&) {
  CAppModel::instance().startPlayer();
  ::ShowWindow(GetHWND(), SW_HIDE);
  ::PostQuitMessage(0);
}

void CAppMainFrame::onCustomPathOn(SkinUI::UINotify&) { setCustomPathMode(true); }

void CAppMainFrame::onCustomPathOff(SkinUI::UINotify&) { setCustomPathMode(false); }

void CAppMainFrame::onPathKillFocus(SkinUI::UINotify&) {
  if (SkinUI::CControlUI* edit = manager_.FindControl(L"pathedit")) applyInstallPath(edit->GetText().GetData());
}

void CAppMainFrame::onBrowse(SkinUI::UINotify&) {
  const std::wstring folder = BrowseForFolder(GetHWND());
  if (!folder.empty()) applyInstallPath(folder);
}

void CAppMainFrame::onLicenceLink(SkinUI::UINotify&) { utility::usystem::openUrl(endpoints::kLicencePageUrl); }

void CAppMainFrame::onSocialLink(SkinUI::UINotify&) {
  utility::usystem::openUrl(ConfigImp::instance().getSocialPage());
}

void CAppMainFrame::onOfferTermsLink(SkinUI::UINotify&) {
  const std::wstring terms = Text("ironsource_url");
  if (terms.size() > 5) utility::usystem::openUrl(terms);
}

void CAppMainFrame::onAcceptChanged(SkinUI::UINotify&) { refreshPathState(); }
