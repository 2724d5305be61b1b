#include "app/app_impl.h"

#include <curl/curl.h>

#include <string>
#include <utility>

#include "app/app_model.h"
#include "app/endpoints.h"
#include "net/curl_settings.h"
#include "skinui/core/resources/resources.h"
#include "utility/log.h"
#include "utility/text.h"
#include "utility/usystem_os.h"
#include "utility/window_front.h"

namespace {

constexpr UINT kMainIcon = 107;
constexpr int kSkinResource = 129;

DWORD MainFrameStyle() {
  DWORD style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (!utility::usystem::isVistaOrLater()) style |= WS_SYSMENU | WS_THICKFRAME;
  return style;
}

// A CA file named by the endpoints is trusted by libcurl (end-to-end builds only).
void TrustEndpointCa() {
  if (endpoints::kCaBundleFileName == nullptr) return;
  const std::wstring path = SkinUI::GetModuleDirectory() + endpoints::kCaBundleFileName;
  CCurlSettings::setCaBundle(utility::text::wideToAnsi(path));
}

}  // namespace

CAppImpl::CAppImpl(MainFrameFactory makeMainFrame) : makeMainFrame_(std::move(makeMainFrame)) {}

bool CAppImpl::init(HINSTANCE instance, const wchar_t* commandLine) {
  CAppModel& model = CAppModel::instance();
  if (model.popupExistPwnd()) return false;
  curl_global_init(CURL_GLOBAL_ALL);
  model.init(commandLine, instance);
  SkinUI::SetModuleHandle(instance);
  SkinUI::SetLanguage(model.getLocale().c_str(), L"en_US");
  SkinUI::SetSkinDirectory((SkinUI::GetModuleDirectory() + L"skin").c_str());
  SkinUI::LoadSkinPackage(kSkinResource, L"language.tsv");
  TrustEndpointCa();
  showMainFrame();
  channel_.create(utility::CHANNEL_NAME, this);
  model.reportEvent(L"ad_run", model.getChannelId());
  return true;
}

bool CAppImpl::createMainFrame() {
  mainFrameMade_ = true;
  // The window object deletes itself with its window; forget it then.
  mainFrame_ = makeMainFrame_([this] { mainFrame_ = nullptr; });
  if (mainFrame_ == nullptr) return false;
  if (mainFrame_->Create(nullptr, L"", MainFrameStyle(), 0) == nullptr) {
    writeLog("CAppImpl::showMainFrame", __LINE__, L"create error: %d", static_cast<int>(::GetLastError()));
    return false;
  }
  mainFrame_->SetIcon(kMainIcon);
  mainFrame_->CenterWindow();
  return true;
}

void CAppImpl::showMainFrame() {
  writeLog("CAppImpl::showMainFrame", __LINE__, L"create main");
  if (!mainFrameMade_ && !createMainFrame()) return;
  // A request after the window object has gone finds nothing to show.
  if (mainFrame_ == nullptr || mainFrame_->GetHWND() == nullptr) return;
  mainFrame_->ShowWindow(true, true);
  ::BringWindowToTop(mainFrame_->GetHWND());
  utility::usystem::bringWindowToFront(mainFrame_->GetHWND());
}

int CAppImpl::onHandleWindowIPC(unsigned message, std::uintptr_t, std::intptr_t) {
  writeLog("CAppImpl::onHandleWindowIPC", __LINE__, L"ipc, msg = %d", static_cast<int>(message));
  if (message == utility::SHOW_MAIN_FRAME_MSG) showMainFrame();
  return 0;
}
