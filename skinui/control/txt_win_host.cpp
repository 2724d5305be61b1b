#include "skinui/control/txt_win_host.h"

#include <imm.h>

#include <cstdlib>
#include <vector>

#include "skinui/control/rich_edit_ui.h"
#include "skinui/core/window/manager_ui.h"
#include "utility/system_library.h"

namespace SkinUI {

namespace {

constexpr int kTwipsPerInch = 1440;

// The services' pixel rectangles are RECTL.
RECTL ToRectL(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// An interface id the library exports as data, or null.
const IID* LibraryIid(HMODULE library, const char* name) {
  return reinterpret_cast<const IID*>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

int PixelsPerInch(HDC dc) {
  int dpi = dc != nullptr ? ::GetDeviceCaps(dc, LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

// A window's input context, released on scope exit.
class ScopedInputContext {
 public:
  explicit ScopedInputContext(HWND window) : window_(window), context_(::ImmGetContext(window)) {}
  ~ScopedInputContext() {
    if (context_ != nullptr) ::ImmReleaseContext(window_, context_);
  }
  ScopedInputContext(const ScopedInputContext&) = delete;
  ScopedInputContext& operator=(const ScopedInputContext&) = delete;
  HIMC get() const { return context_; }

 private:
  HWND window_;
  HIMC context_;
};

}  // namespace

CTxtWinHost::CTxtWinHost(CRichEditUI* owner) : owner_(owner) {
  charFormat_.cbSize = sizeof(charFormat_);
  paraFormat_.cbSize = sizeof(paraFormat_);
  paraFormat_.dwMask = PFM_ALL;
  paraFormat_.wAlignment = PFA_LEFT;
  paraFormat_.cTabCount = 1;
  paraFormat_.rgxTabs[0] = lDefaultTab;
}

bool CTxtWinHost::Create(HFONT font, COLORREF color) {
  SetCharFormat(font, color);
  library_ = utility::usystem::loadSystemLibrary(L"msftedit.dll");
  if (!library_) return false;
  auto create = reinterpret_cast<PCreateTextServices>(
      reinterpret_cast<void*>(::GetProcAddress(library_.get(), "CreateTextServices")));
  const IID* servicesIid = LibraryIid(library_.get(), "IID_ITextServices");
  textHostIid_ = LibraryIid(library_.get(), "IID_ITextHost");
  if (create == nullptr || servicesIid == nullptr || textHostIid_ == nullptr) return false;
  utility::ScopedGeneric<ComReferenceTraits<IUnknown>> unknown;
  if (FAILED(create(nullptr, this, unknown.receive())) || !unknown) return false;
  void* services = nullptr;
  if (FAILED(unknown.get()->QueryInterface(*servicesIid, &services))) return false;
  services_.reset(static_cast<ITextServices*>(services));
  RECT client = owner_->GetTextRect();
  services_.get()->OnTxInPlaceActivate(&client);
  return true;
}

LRESULT CTxtWinHost::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  Handle(message, wParam, lParam, &result);
  return result;
}

bool CTxtWinHost::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  if (!services_) return false;
  return services_.get()->TxSendMessage(message, wParam, lParam, result) == S_OK;
}

void CTxtWinHost::Draw(HDC dc, const RECT& rect) {
  if (!services_) return;
  RECTL bounds = ToRectL(rect);
  services_.get()->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, dc, nullptr, &bounds, nullptr, nullptr, nullptr, 0,
                          TXTVIEW_ACTIVE);
}

void CTxtWinHost::SetCursorAt(HDC dc, POINT point) {
  if (!services_) return;
  RECT client = owner_->GetTextRect();
  services_.get()->OnTxSetCursor(DVASPECT_CONTENT, 0, nullptr, nullptr, dc, nullptr, &client, point.x, point.y);
}

bool CTxtWinHost::GetScroll(bool horizontal, LONG* minimum, LONG* maximum, LONG* position, LONG* page) {
  if (!services_) return false;
  WINBOOL enabled = FALSE;
  HRESULT hr = horizontal ? services_.get()->TxGetHScroll(minimum, maximum, position, page, &enabled)
                          : services_.get()->TxGetVScroll(minimum, maximum, position, page, &enabled);
  return SUCCEEDED(hr);
}

void CTxtWinHost::PlaceComposition(HFONT font) {
  ScopedInputContext context(Window());
  if (context.get() == nullptr) return;
  LOGFONTW face{};
  ::GetObjectW(font, sizeof(face), &face);
  ::ImmSetCompositionFontW(context.get(), &face);
  COMPOSITIONFORM form{};
  form.dwStyle = CFS_POINT;
  ::GetCaretPos(&form.ptCurrentPos);
  ::ImmSetCompositionWindow(context.get(), &form);
}

CUIString CTxtWinHost::GetText() {
  LRESULT length = Send(WM_GETTEXTLENGTH);
  if (length <= 0) return CUIString();
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  Send(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  return CUIString(buffer.data());
}

void CTxtWinHost::SetText(const wchar_t* text) {
  if (services_) services_.get()->TxSetText(text);
}

void CTxtWinHost::Changed(DWORD bit) {
  if (services_) services_.get()->OnTxPropertyBitsChange(bit, bit);
}

void CTxtWinHost::SetPropertyBit(DWORD bit, bool on) {
  DWORD bits = on ? propertyBits_ | bit : propertyBits_ & ~bit;
  if (bits == propertyBits_) return;
  propertyBits_ = bits;
  if (services_) services_.get()->OnTxPropertyBitsChange(bit, bits & bit);
}

void CTxtWinHost::SetScrollBarStyle(DWORD bit, bool on) {
  scrollBars_ = on ? scrollBars_ | bit : scrollBars_ & ~bit;
  Changed(TXTBIT_SCROLLBARCHANGE);
}

void CTxtWinHost::SetCharFormat(HFONT font, COLORREF color) {
  LOGFONTW face{};
  ::GetObjectW(font, sizeof(face), &face);
  CManagerUI* manager = owner_->GetManager();
  int pixels = std::abs(face.lfHeight);
  charFormat_.dwMask =
      CFM_SIZE | CFM_OFFSET | CFM_FACE | CFM_CHARSET | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_WEIGHT;
  charFormat_.dwEffects = (face.lfItalic ? CFE_ITALIC : 0) | (face.lfUnderline ? CFE_UNDERLINE : 0) |
                          (face.lfWeight >= FW_BOLD ? CFE_BOLD : 0);
  charFormat_.wWeight = static_cast<WORD>(face.lfWeight);
  charFormat_.yHeight = pixels * kTwipsPerInch / PixelsPerInch(manager != nullptr ? manager->GetPaintDC() : nullptr);
  charFormat_.yOffset = 0;
  charFormat_.crTextColor = color;
  charFormat_.bCharSet = face.lfCharSet;
  charFormat_.bPitchAndFamily = face.lfPitchAndFamily;
  static_assert(sizeof(charFormat_.szFaceName) == sizeof(face.lfFaceName));
  std::copy(std::begin(face.lfFaceName), std::end(face.lfFaceName), std::begin(charFormat_.szFaceName));
  Changed(TXTBIT_CHARFORMATCHANGE);
}

void CTxtWinHost::SetAlignment(WORD alignment) {
  paraFormat_.wAlignment = alignment;
  Changed(TXTBIT_PARAFORMATCHANGE);
}

void CTxtWinHost::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Changed(TXTBIT_BACKSTYLECHANGE);
}

void CTxtWinHost::ClientRectChanged() { Changed(TXTBIT_CLIENTRECTCHANGE); }

HWND CTxtWinHost::Window() const {
  CManagerUI* manager = owner_->GetManager();
  return manager != nullptr ? manager->GetPaintWindow() : nullptr;
}

HRESULT CTxtWinHost::QueryInterface(REFIID iid, void** object) {
  if (IsEqualIID(iid, __uuidof(IUnknown)) || (textHostIid_ != nullptr && IsEqualIID(iid, *textHostIid_))) {
    *object = static_cast<ITextHost*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HDC CTxtWinHost::TxGetDC() {
  CManagerUI* manager = owner_->GetManager();
  return manager != nullptr ? manager->GetPaintDC() : nullptr;
}

// The DC is the manager's and stays with it.
INT CTxtWinHost::TxReleaseDC(HDC dc) {
  static_cast<void>(dc);
  return 1;
}

WINBOOL CTxtWinHost::TxShowScrollBar(INT bar, WINBOOL show) {
  static_cast<void>(bar);
  static_cast<void>(show);
  owner_->OnTextScrolled();
  return TRUE;
}

WINBOOL CTxtWinHost::TxEnableScrollBar(INT flags, INT arrows) {
  static_cast<void>(flags);
  static_cast<void>(arrows);
  owner_->OnTextScrolled();
  return TRUE;
}

WINBOOL CTxtWinHost::TxSetScrollRange(INT bar, LONG minimum, INT maximum, WINBOOL redraw) {
  static_cast<void>(bar);
  static_cast<void>(minimum);
  static_cast<void>(maximum);
  static_cast<void>(redraw);
  owner_->OnTextScrolled();
  return TRUE;
}

WINBOOL CTxtWinHost::TxSetScrollPos(INT bar, INT position, WINBOOL redraw) {
  static_cast<void>(bar);
  static_cast<void>(position);
  static_cast<void>(redraw);
  owner_->OnTextScrolled();
  return TRUE;
}

// The framework repaints the whole control; the services' rectangle is not needed.
void CTxtWinHost::TxInvalidateRect(LPCRECT rect, WINBOOL mode) {
  static_cast<void>(rect);
  static_cast<void>(mode);
  owner_->Invalidate();
}

void CTxtWinHost::TxViewChange(WINBOOL update) {
  static_cast<void>(update);
  owner_->Invalidate();
}

WINBOOL CTxtWinHost::TxCreateCaret(HBITMAP bitmap, INT width, INT height) {
  caret_ = ::CreateCaret(Window(), bitmap, width, height) != FALSE;
  return caret_ ? TRUE : FALSE;
}

WINBOOL CTxtWinHost::TxShowCaret(WINBOOL show) {
  if (!caret_) return FALSE;
  return show ? ::ShowCaret(Window()) : ::HideCaret(Window());
}

WINBOOL CTxtWinHost::TxSetCaretPos(INT x, INT y) { return caret_ ? ::SetCaretPos(x, y) : FALSE; }

WINBOOL CTxtWinHost::TxSetTimer(UINT id, UINT timeout) {
  CManagerUI* manager = owner_->GetManager();
  if (manager == nullptr) return FALSE;
  manager->KillTimer(owner_, id);
  return manager->SetTimer(owner_, id, timeout) ? TRUE : FALSE;
}

void CTxtWinHost::TxKillTimer(UINT id) {
  CManagerUI* manager = owner_->GetManager();
  if (manager != nullptr) manager->KillTimer(owner_, id);
}

// Scrolled text is drawn again as a whole.
void CTxtWinHost::TxScrollWindowEx(INT dx,
                                   INT dy,
                                   LPCRECT scroll,
                                   LPCRECT clip,
                                   HRGN update,
                                   LPRECT updateRect,
                                   UINT flags) {
  static_cast<void>(dx);
  static_cast<void>(dy);
  static_cast<void>(scroll);
  static_cast<void>(clip);
  static_cast<void>(update);
  static_cast<void>(updateRect);
  static_cast<void>(flags);
  owner_->Invalidate();
}

void CTxtWinHost::TxSetCapture(WINBOOL capture) {
  CManagerUI* manager = owner_->GetManager();
  if (manager == nullptr) return;
  capture ? manager->SetCapture() : manager->ReleaseCapture();
}

void CTxtWinHost::TxSetFocus() { owner_->SetFocus(); }

void CTxtWinHost::TxSetCursor(HCURSOR cursor, WINBOOL text) {
  static_cast<void>(text);
  ::SetCursor(cursor);
}

WINBOOL CTxtWinHost::TxScreenToClient(LPPOINT point) { return ::ScreenToClient(Window(), point); }

WINBOOL CTxtWinHost::TxClientToScreen(LPPOINT point) { return ::ClientToScreen(Window(), point); }

HRESULT CTxtWinHost::TxActivate(LONG* oldState) {
  static_cast<void>(oldState);
  return S_OK;
}

HRESULT CTxtWinHost::TxDeactivate(LONG newState) {
  static_cast<void>(newState);
  return S_OK;
}

HRESULT CTxtWinHost::TxGetClientRect(LPRECT rect) {
  *rect = owner_->GetTextRect();
  return S_OK;
}

// The text padding is part of the client rectangle already.
HRESULT CTxtWinHost::TxGetViewInset(LPRECT rect) {
  *rect = RECT{};
  return S_OK;
}

HRESULT CTxtWinHost::TxGetCharFormat(const CHARFORMATW** format) {
  *format = reinterpret_cast<const CHARFORMATW*>(&charFormat_);
  return S_OK;
}

HRESULT CTxtWinHost::TxGetParaFormat(const PARAFORMAT** format) {
  *format = &paraFormat_;
  return S_OK;
}

COLORREF CTxtWinHost::TxGetSysColor(int index) { return ::GetSysColor(index); }

HRESULT CTxtWinHost::TxGetBackStyle(TXTBACKSTYLE* style) {
  *style = transparent_ ? TXTBACK_TRANSPARENT : TXTBACK_OPAQUE;
  return S_OK;
}

HRESULT CTxtWinHost::TxGetMaxLength(DWORD* length) {
  *length = INFINITE;
  return S_OK;
}

HRESULT CTxtWinHost::TxGetScrollBars(DWORD* scrollBars) {
  *scrollBars = scrollBars_;
  return S_OK;
}

HRESULT CTxtWinHost::TxGetPasswordChar(TCHAR* ch) {
  *ch = L'*';
  return S_OK;
}

HRESULT CTxtWinHost::TxGetAcceleratorPos(LONG* position) {
  *position = -1;
  return S_OK;
}

// No zoom: the services use their natural extent.
HRESULT CTxtWinHost::TxGetExtent(LPSIZEL extent) {
  static_cast<void>(extent);
  return E_NOTIMPL;
}

HRESULT CTxtWinHost::OnTxCharFormatChange(const CHARFORMATW* format) {
  static_cast<void>(format);
  return S_OK;
}

HRESULT CTxtWinHost::OnTxParaFormatChange(const PARAFORMAT* format) {
  static_cast<void>(format);
  return S_OK;
}

HRESULT CTxtWinHost::TxGetPropertyBits(DWORD mask, DWORD* bits) {
  *bits = propertyBits_ & mask;
  return S_OK;
}

HRESULT CTxtWinHost::TxNotify(DWORD code, void* data) {
  static_cast<void>(data);
  if (code == EN_CHANGE) owner_->OnTextChanged();
  return S_OK;
}

HIMC CTxtWinHost::TxImmGetContext() { return ::ImmGetContext(Window()); }

void CTxtWinHost::TxImmReleaseContext(HIMC context) { ::ImmReleaseContext(Window(), context); }

HRESULT CTxtWinHost::TxGetSelectionBarWidth(LONG* width) {
  *width = 0;
  return S_OK;
}

}  // namespace SkinUI
