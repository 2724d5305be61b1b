#include "ui/sdk_api_impl.h"

#include "app/app_model.h"
#include "app/config_imp.h"
#include "ui/offer_commands.h"
#include "ui/sdk_wrapper.h"
#include "utility/log.h"
#include "utility/runable.h"

namespace {

// The host area is this much narrower than the popup...
constexpr int kHostWidthMargin = 170;
// ...and the module's area inside it this much lower.
constexpr int kModuleHeightMargin = 182;
constexpr unsigned kTickMs = 500;

}  // namespace

SDKAPIImpl& SDKAPIImpl::instance() {
  static SDKAPIImpl* impl = [] {
    OfferSettings settings;
    settings.instance = ::GetModuleHandleW(nullptr);
    settings.offersEnabled = ConfigImp::instance().offersEnabled();
    settings.channelId = [] { return CAppModel::instance().getChannelId(); };
    settings.report = [](const std::wstring& name, const std::wstring& label) {
      CAppModel::instance().reportEvent(name, label);
    };
    return new SDKAPIImpl(SDKWrapper::instance(), std::move(settings));
  }();
  return *impl;
}

SDKAPIImpl::SDKAPIImpl(SDKWrapper& wrapper, OfferSettings settings)
    : wrapper_(wrapper), settings_(std::move(settings)), popup_(settings_.instance) {}

void SDKAPIImpl::init() {
  const std::wstring channel = offer::ChannelName(settings_.channelId ? settings_.channelId() : std::wstring());
  const bool started = wrapper_.init(L"en", channel) != 0;
  moduleLoaded_ = started;
  available_ = started;
  ready_ = true;
}

void SDKAPIImpl::Report(const wchar_t* name) {
  if (settings_.report) settings_.report(name, settings_.channelId ? settings_.channelId() : std::wstring());
}

void SDKAPIImpl::Finished() {
  if (onOffersFinished) onOffersFinished();
}

void SDKAPIImpl::showADWindow(HWND owner) {
  if (!settings_.offersEnabled || !moduleLoaded_) return;
  offer::PopupHandlers handlers{[this] { Accept(); }, [this] { Decline(); }, [this] { Close(); }};
  if (!popup_.Create(owner, std::move(handlers))) return;
  writeLog("SDKAPIImpl::showADWindow", __LINE__, L"start time 100");
  const int width = popup_.width();
  const int height = popup_.height();
  HWND host = popup_.host();
  auto tick = [this, width, height, host] { onTick(width, height, host); };
  tick_.start(kTickMs, new FunctionRunable<decltype(tick)>(tick));
}

void SDKAPIImpl::onTick(int width, int height, HWND host) {
  writeLog("SDKAPIImpl::onTick", __LINE__, L"time comming");
  if (tickCount_++ != 0) return;
  if (moduleLoaded_) wrapper_.setWindow(host, 0, 0, width - kHostWidthMargin, height - kModuleHeightMargin);
  ShowOffers();
}

void SDKAPIImpl::ShowOffers() {
  if (!moduleLoaded_) return;
  if (wrapper_.showOffers(popup_.acceptButton(), popup_.declineButton()) != 0) {
    popup_.ShowButtons(true);
    Report(L"ad_iron_show");
  } else {
    popup_.Destroy();
    Finished();
  }
}

void SDKAPIImpl::Accept() {
  if (wrapper_.acceptOffer() == 0) {
    popup_.ShowButtons(false);
    Finished();
    popup_.Destroy();
  }
  Report(L"ad_iron_accept");
}

void SDKAPIImpl::Decline() {
  if (wrapper_.declineOffer() == 0) {
    popup_.ShowButtons(false);
    popup_.Destroy();
    Finished();
  }
  Report(L"ad_iron_reject");
}

void SDKAPIImpl::Close() {
  if (!moduleLoaded_) return;
  wrapper_.setModuleState(SDKWrapper::kStateUserClosed);
  Report(L"ad_iron_close");
  if (onOfferCloseRequest) onOfferCloseRequest(false);
}

void SDKAPIImpl::installOffers() {
  if (settings_.offersEnabled && moduleLoaded_) wrapper_.installOffers();
}

void SDKAPIImpl::closeForExit() {
  if (!settings_.offersEnabled) return;
  ::ShowWindow(popup_.popup(), SW_HIDE);
  ::ShowWindow(popup_.owner(), SW_HIDE);
  Finished();
}

void SDKAPIImpl::releaseDLL() {
  if (!settings_.offersEnabled || released_) return;
  released_ = true;
  if (!moduleLoaded_) return;
  wrapper_.release();
  writeLog("SDKAPIImpl::releaseDLL", __LINE__, L"release dll end");
}
