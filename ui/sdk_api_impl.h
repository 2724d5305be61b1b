#pragma once
// The offer screen as the main window sees it: starts the offer module in
// the background, opens the popup after the install click, drives the
// module from the popup's buttons and its 500 ms tick, and tells the main
// window through two callbacks when the screen is over. init runs on a
// pool thread; everything else on the UI thread.

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "app/ui_timer.h"
#include "ui/offer_popup.h"

class SDKWrapper;

// What the offer screen needs from the rest of the program.
struct OfferSettings {
  // Window classes and bitmaps.
  HINSTANCE instance = nullptr;
  // Whether the offer screen may be used at all.
  bool offersEnabled = true;
  // The distribution channel id.
  std::function<std::wstring()> channelId;
  // Queues an analytics event (name, label).
  std::function<void(const std::wstring&, const std::wstring&)> report;
};

class SDKAPIImpl {
 public:
  // The process-wide instance over the process-wide model, configuration
  // and bridge; made on first use by whichever caller asks first, never
  // deleted.
  static SDKAPIImpl& instance();

  // An offer screen over wrapper (which must outlive it) and settings.
  SDKAPIImpl(SDKWrapper& wrapper, OfferSettings settings);
  SDKAPIImpl(const SDKAPIImpl&) = delete;
  SDKAPIImpl& operator=(const SDKAPIImpl&) = delete;

  // Starts the module with locale "en" and the channel name; sets available
  // and then ready. Pool thread, once.
  void init();
  // Opens the popup over owner and starts the tick; nothing when offers are
  // off or the module is not loaded. UI thread.
  void showADWindow(HWND owner);
  // Asks the module to install the accepted offers. UI thread.
  void installOffers();
  // Hides the popup and the owner and ends the screen (the exit answer).
  void closeForExit();
  // Releases the module and deletes its files, once. UI thread.
  void releaseDLL();

  // init has finished.
  bool ready() const { return ready_.load(); }
  // init got a non-zero answer from the bridge.
  bool available() const { return available_.load(); }
  // releaseDLL has run.
  bool released() const { return released_; }
  // The popup's windows.
  const offer::OfferPopup& popup() const { return popup_; }

  // Called with false when the user closes the popup.
  std::function<void(bool)> onOfferCloseRequest;
  // Called once the offer screen is over.
  std::function<void()> onOffersFinished;

 private:
  void onTick(int width, int height, HWND host);
  void ShowOffers();
  void Accept();
  void Decline();
  void Close();
  void Finished();
  void Report(const wchar_t* name);

  SDKWrapper& wrapper_;
  OfferSettings settings_;
  offer::OfferPopup popup_;
  UITimer tick_;
  unsigned tickCount_ = 0;
  bool released_ = false;
  // Written by init on the pool thread; ready last.
  std::atomic<bool> moduleLoaded_{false};
  std::atomic<bool> available_{false};
  std::atomic<bool> ready_{false};
};
