#include "ui/offer_popup.h"

#include "skinui/core/resources/lang_text.h"
#include "skinui/core/window/window_handles.h"

namespace offer {
namespace {

constexpr wchar_t kPopupClass[] = L"Installer Main Window";
constexpr wchar_t kAcceptClass[] = L"Install_Accept";
constexpr wchar_t kRejectClass[] = L"Install_reject";
constexpr wchar_t kCloseClass[] = L"Install_Close";
constexpr wchar_t kTitleClass[] = L"Installer_main_title";
constexpr wchar_t kHostClass[] = L"Install_ad_parent";

// The popup lies this far inside the owner on the left, top and right...
constexpr int kInset = 16;
// ...and this far up from the owner's bottom.
constexpr int kBottomInset = 46;

constexpr COLORREF kHostColour = RGB(0x0F, 0x0F, 0x0F);

// One class of the offer screen.
struct ClassDesc {
  const wchar_t* name;
  WNDPROC procedure;
  const wchar_t* cursor;
  HBRUSH background;
};

// The host area's class brush; it lives as long as its class.
HBRUSH HostBrush() {
  static SkinUI::ScopedBrush brush(::CreateSolidBrush(kHostColour));
  return brush.get();
}

bool Register(HINSTANCE instance, const ClassDesc& desc) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = desc.procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, desc.cursor);
  windowClass.hbrBackground = desc.background;
  windowClass.lpszClassName = desc.name;
  return ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// A device-dependent bitmap: the resources are run-length encoded, which a DIB section cannot hold.
HBITMAP LoadBitmapResource(HINSTANCE instance, int id) {
  return static_cast<HBITMAP>(::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

OfferPopup* PopupOf(HWND window) { return reinterpret_cast<OfferPopup*>(::GetWindowLongPtrW(window, GWLP_USERDATA)); }

// Stores the popup object given at creation in the window.
void Attach(HWND window, LPARAM lParam) {
  const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
  ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
}

}  // namespace

bool OfferPopup::RegisterClasses() const {
  const HBRUSH white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  const ClassDesc classes[] = {
      {kPopupClass, &PopupProc, IDC_ARROW, nullptr}, {kAcceptClass, &ChildProc, IDC_HAND, white},
      {kRejectClass, &ChildProc, IDC_HAND, white},   {kCloseClass, &ChildProc, IDC_HAND, nullptr},
      {kTitleClass, &ChildProc, IDC_ARROW, nullptr}, {kHostClass, &ChildProc, IDC_ARROW, HostBrush()},
  };
  for (const ClassDesc& desc : classes) {
    if (!Register(instance_, desc)) return false;
  }
  return true;
}

bool OfferPopup::Create(HWND owner, PopupHandlers handlers) {
  Destroy();
  if (!RegisterClasses()) return false;
  handlers_ = std::move(handlers);
  owner_ = owner;
  RECT area{};
  ::GetWindowRect(owner, &area);
  width_ = area.right - area.left - 2 * kInset;
  height_ = area.bottom - area.top - kInset - kBottomInset;
  popup_.reset(::CreateWindowExW(0, kPopupClass, kPopupClass, WS_POPUP | WS_CLIPCHILDREN, area.left + kInset,
                                 area.top + kInset, width_, height_, owner, nullptr, instance_, this));
  if (!popup_) return false;
  LoadBitmaps();
  decline_ = CreateChild(kRejectClass, 350, 338, 96, 30, false);
  accept_ = CreateChild(kAcceptClass, 210, 338, 96, 30, false);
  close_ = CreateChild(kCloseClass, 630, 14, 12, 12, true);
  title_ = CreateChild(kTitleClass, 85, 40, 220, 24, true);
  host_ = CreateChild(kHostClass, 85, 80, width_ - 170, height_ - 152, true);
  ::ShowWindow(popup_.get(), SW_SHOW);
  return true;
}

void OfferPopup::LoadBitmaps() {
  buttonBitmap_.reset(LoadBitmapResource(instance_, kBitmapButton));
  backgroundBitmap_.reset(LoadBitmapResource(instance_, kBitmapBackground));
  closeBitmap_.reset(LoadBitmapResource(instance_, kBitmapClose));
}

HWND OfferPopup::CreateChild(const wchar_t* className, int x, int y, int width, int height, bool visible) {
  const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
  return ::CreateWindowExW(0, className, L"", style, x, y, width, height, popup_.get(), nullptr, instance_, this);
}

void OfferPopup::Destroy() {
  popup_.reset();
  accept_ = decline_ = close_ = title_ = host_ = nullptr;
}

void OfferPopup::ShowButtons(bool show) {
  ::ShowWindow(decline_, show ? SW_SHOW : SW_HIDE);
  ::ShowWindow(accept_, show ? SW_SHOW : SW_HIDE);
}

void OfferPopup::FollowWithOwner() {
  RECT area{};
  ::GetWindowRect(popup_.get(), &area);
  ::MoveWindow(owner_, area.left - kInset, area.top - kInset, area.right - area.left + 2 * kInset,
               area.bottom - area.top + kInset + kBottomInset, TRUE);
}

void OfferPopup::PaintBitmap(HDC target, HBITMAP bitmap, int width, int height, int sourceX, int sourceY) {
  if (bitmap == nullptr) return;
  // One memory DC serves every paint of the screen.
  if (!memoryDC_) memoryDC_.reset(::CreateCompatibleDC(target));
  HGDIOBJ previous = ::SelectObject(memoryDC_.get(), bitmap);
  ::BitBlt(target, 0, 0, width, height, memoryDC_.get(), sourceX, sourceY, SRCCOPY);
  ::SelectObject(memoryDC_.get(), previous);
}

void OfferPopup::PaintText(HDC target, HWND window, const wchar_t* text, COLORREF colour, UINT alignment) {
  if (!font_) font_.reset(::CreateFontW(20, 8, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0x50, L"Microsoft YaHei"));
  RECT area{};
  ::GetClientRect(window, &area);
  HGDIOBJ previous = ::SelectObject(target, font_.get());
  ::SetBkMode(target, TRANSPARENT);
  ::SetTextColor(target, colour);
  ::DrawTextW(target, text, -1, &area, alignment | DT_VCENTER | DT_SINGLELINE);
  ::SelectObject(target, previous);
}

void OfferPopup::PaintPopup() {
  SkinUI::ScopedPaint paint(popup_.get());
  if (paint.dc() != nullptr) PaintBitmap(paint.dc(), backgroundBitmap_.get(), width_, height_, 0, 0);
}

void OfferPopup::PaintChild(HWND window) {
  SkinUI::ScopedPaint paint(window);
  HDC dc = paint.dc();
  if (dc == nullptr) return;
  if (window == accept_ || window == decline_) {
    PaintBitmap(dc, buttonBitmap_.get(), 96, 30, 0, 0);
    PaintText(dc, window, SkinUI::LangText(window == accept_ ? "Accept" : "Reject"), RGB(0, 0, 0), DT_CENTER);
  } else if (window == close_) {
    PaintBitmap(dc, closeBitmap_.get(), 12, 12, 0, 0);
  } else if (window == title_) {
    // The title shows the popup's background under its text.
    PaintBitmap(dc, backgroundBitmap_.get(), 220, 24, 85, 40);
    PaintText(dc, window, SkinUI::LangText("additional_software"), RGB(0xFF, 0xFF, 0xFF), DT_LEFT);
  }
}

void OfferPopup::Press(HWND window) {
  const std::function<void()>* handler = window == accept_    ? &handlers_.accept
                                         : window == decline_ ? &handlers_.decline
                                         : window == close_   ? &handlers_.close
                                                              : nullptr;
  if (handler != nullptr && *handler) (*handler)();
}

LRESULT CALLBACK OfferPopup::PopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) Attach(window, lParam);
  OfferPopup* self = PopupOf(window);
  switch (message) {
    case WM_NCHITTEST:
      return HTCAPTION;
    case WM_MOVE:
      if (self != nullptr && self->popup_.get() == window) self->FollowWithOwner();
      return 0;
    case WM_PAINT:
      if (self == nullptr) break;
      self->PaintPopup();
      return 0;
    case WM_CLOSE:
    case WM_DESTROY:
      return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK OfferPopup::ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) Attach(window, lParam);
  OfferPopup* self = PopupOf(window);
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_NCHITTEST:
      // The title takes no input: a drag there moves the popup.
      if (window == self->title_) return HTTRANSPARENT;
      break;
    case WM_PAINT:
      if (window == self->host_) break;
      self->PaintChild(window);
      return 0;
    case WM_LBUTTONDOWN:
      self->Press(window);
      return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace offer
