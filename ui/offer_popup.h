#pragma once
// The native frame of the offer screen: a borderless popup over the main
// window with a title, a close button, hidden Accept and Decline buttons
// and a dark host area for the offer module. Dragging anywhere on the
// popup moves it, and its owner follows. UI thread only.

#include <windows.h>

#include <functional>

#include "skinui/core/gdi_handles.h"
#include "utility/scoped_handle.h"

namespace offer {

// Bitmap resources of the offer screen.
enum OfferBitmap : int {
  kBitmapButton = 130,
  kBitmapBackground = 132,
  kBitmapClose = 133,
};

// What a left button press on the popup's buttons does.
struct PopupHandlers {
  std::function<void()> accept;
  std::function<void()> decline;
  std::function<void()> close;
};

class OfferPopup {
 public:
  // Window classes and bitmaps come from instance.
  explicit OfferPopup(HINSTANCE instance) : instance_(instance) {}
  // Destroys the popup.
  ~OfferPopup() { Destroy(); }
  OfferPopup(const OfferPopup&) = delete;
  OfferPopup& operator=(const OfferPopup&) = delete;

  // Creates the popup over owner (16 in from its left, top and right, 46 up
  // from its bottom) with its children and shows it; false when the popup
  // cannot be created.
  bool Create(HWND owner, PopupHandlers handlers);
  // Destroys the popup and its children; nothing when there is none.
  void Destroy();
  // Shows or hides both buttons.
  void ShowButtons(bool show);

  // The popup, null before Create and after Destroy.
  HWND popup() const { return popup_.get(); }
  // The window given to Create.
  HWND owner() const { return owner_; }
  // The "Install_Accept" button.
  HWND acceptButton() const { return accept_; }
  // The "Install_reject" button.
  HWND declineButton() const { return decline_; }
  // The "Install_Close" button.
  HWND closeButton() const { return close_; }
  // The "Installer_main_title" text.
  HWND title() const { return title_; }
  // The "Install_ad_parent" area the offer module draws into.
  HWND host() const { return host_; }
  // The popup's width as made by Create.
  int width() const { return width_; }
  // The popup's height as made by Create.
  int height() const { return height_; }

 private:
  static LRESULT CALLBACK PopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool RegisterClasses() const;
  void LoadBitmaps();
  HWND CreateChild(const wchar_t* className, int x, int y, int width, int height, bool visible);
  void FollowWithOwner();
  void PaintPopup();
  void PaintChild(HWND window);
  void PaintBitmap(HDC target, HBITMAP bitmap, int width, int height, int sourceX, int sourceY);
  void PaintText(HDC target, HWND window, const wchar_t* text, COLORREF colour, UINT alignment);
  void Press(HWND window);

  HINSTANCE instance_;
  PopupHandlers handlers_;
  HWND owner_ = nullptr;
  SkinUI::ScopedBitmap buttonBitmap_;
  SkinUI::ScopedBitmap backgroundBitmap_;
  SkinUI::ScopedBitmap closeBitmap_;
  SkinUI::ScopedFont font_;
  SkinUI::ScopedMemoryDC memoryDC_;
  // Owns the popup; the children go with it.
  utility::ScopedWindow popup_;
  HWND accept_ = nullptr;
  HWND decline_ = nullptr;
  HWND close_ = nullptr;
  HWND title_ = nullptr;
  HWND host_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace offer
