#pragma once
// The installer's one skinned window: the licence consent and the install
// directory, the install click that starts the download and hands the
// screen to the offers popup, the progress of download and install, and
// the Start page. The object deletes itself when its window is destroyed.

#include <windows.h>

#include <functional>
#include <string>

#include "app/ui_timer.h"
#include "skinui/core/window/window_impl_base.h"

class CAppMainFrame : public SkinUI::WindowImplBase {
 public:
  // onDeleted runs just before the object deletes itself.
  explicit CAppMainFrame(std::function<void()> onDeleted = {});
  ~CAppMainFrame() override;

  // Shows the path controls (on) or the fast-install row (off).
  void setCustomPathMode(bool on);
  // Error state, install button and edit images from the model's path.
  void refreshPathState();
  // Completes path with the product folder, stores it in the model and shows it.
  void applyInstallPath(const std::wstring& path);
  // False, after telling the user why, when the install cannot start.
  bool checkBeforeInstall();

  // Model callbacks (UI thread).
  void onDownloadProgress(int percent, int received, int total);
  void onDownloadPercent(int percent);
  void onDownloadSuccess();
  void onDownloadError();
  void onInstallFinish(bool started);
  // Offer screen callbacks (UI thread).
  void onOfferCloseRequest(bool flag);
  void onOffersFinished();

 protected:
  const wchar_t* GetRegisteredClassName() const override { return L"vdmainframe"; }
  UINT GetClassStyle() const override { return CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS; }
  const wchar_t* GetSkinDirectoryName() const override { return L""; }
  const wchar_t* GetSkinFileName() const override { return L"mainframe.xml"; }
  const SkinUI::NotifyMap* GetNotifyMap() const override;
  void OnWindowReady() override;
  // Releases the offer module, deletes the object and quits.
  void OnWindowDestroyed(HWND window) override;

 private:
  bool customPathMode();
  void reapplyCustomPathMode() { setCustomPathMode(customPathMode()); }
  void showVariantLogo();
  void bindCallbacks();
  void selectPage(int page);
  void waitForOfferModule();
  void hideAndQuit();
  void onInstallClick(SkinUI::UINotify& notify);
  void onCustomPathOn(SkinUI::UINotify& notify);
  void onCustomPathOff(SkinUI::UINotify& notify);
  void onPathKillFocus(SkinUI::UINotify& notify);
  void onBrowse(SkinUI::UINotify& notify);
  void onLicenceLink(SkinUI::UINotify& notify);
  void onSocialLink(SkinUI::UINotify& notify);
  void onCloseRequest(SkinUI::UINotify& notify);
  void onStart(SkinUI::UINotify& notify);
  void onOfferTermsLink(SkinUI::UINotify& notify);
  void onAcceptChanged(SkinUI::UINotify& notify);

  std::function<void()> onDeleted_;
  int shownPercent = 0;
  bool installFinished = false;
  UITimer installTimer;
  int creepStep = 0;
};
