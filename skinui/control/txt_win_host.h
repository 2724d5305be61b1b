#pragma once
// The host side of the windowless rich-text services: the services ask it
// for their client rectangle, formats and properties, and through it they
// draw, scroll, set timers, place the caret and report changes. It belongs
// to one rich edit and borrows that control's window.

#include <windows.h>

#include <richedit.h>
#include <textserv.h>

#include "skinui/core/markup/ui_string.h"
#include "utility/scoped_handle.h"

namespace SkinUI {

class CRichEditUI;

// Owns one reference to a COM object.
template <typename Interface>
struct ComReferenceTraits {
  using Handle = Interface*;
  static Handle invalid() { return nullptr; }
  static bool isValid(Handle h) { return h != nullptr; }
  static void close(Handle h) { h->Release(); }
};

class CTxtWinHost final : public ITextHost {
 public:
  // A host for owner: rich, multi-line, word-wrapped text; Create makes its services.
  explicit CTxtWinHost(CRichEditUI* owner);
  CTxtWinHost(const CTxtWinHost&) = delete;
  CTxtWinHost& operator=(const CTxtWinHost&) = delete;

  // Loads the rich-text library from the system folder and makes the
  // services with the text's font and colour, laid out in the owner's text
  // rectangle; false when either is not available.
  bool Create(HFONT font, COLORREF color);
  // True once the services exist.
  bool IsLive() const { return services_.valid(); }
  // The services' answer to message; 0 without services.
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // Sends message; true when the services took it (S_OK).
  bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Draws the text into rect of dc.
  void Draw(HDC dc, const RECT& rect);
  // Sets the cursor the services want over client point.
  void SetCursorAt(HDC dc, POINT point);
  // The vertical (or horizontal) scroll state: false without services.
  bool GetScroll(bool horizontal, LONG* minimum, LONG* maximum, LONG* position, LONG* page);
  // Puts the input method's composition at the caret in font.
  void PlaceComposition(HFONT font);
  // The whole text; empty without services.
  CUIString GetText();
  // Replaces the whole text.
  void SetText(const wchar_t* text);

  // TXTBIT_* property bits.
  DWORD GetPropertyBits() const { return propertyBits_; }
  void SetPropertyBit(DWORD bit, bool on);
  // WS_VSCROLL, WS_HSCROLL, ES_AUTOVSCROLL and ES_AUTOHSCROLL.
  DWORD GetScrollBarStyle() const { return scrollBars_; }
  void SetScrollBarStyle(DWORD bit, bool on);
  // Font and colour of the whole text.
  void SetCharFormat(HFONT font, COLORREF color);
  // Paragraph alignment (PFA_LEFT, PFA_CENTER, PFA_RIGHT).
  void SetAlignment(WORD alignment);
  // Whether nothing is drawn under the text.
  void SetTransparent(bool transparent);
  // The owner's text rectangle changed.
  void ClientRectChanged();

  // IUnknown: the host lives as long as its rich edit, so counting never frees it.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  // ITextHost.
  HDC TxGetDC() override;
  INT TxReleaseDC(HDC dc) override;
  WINBOOL TxShowScrollBar(INT bar, WINBOOL show) override;
  WINBOOL TxEnableScrollBar(INT flags, INT arrows) override;
  WINBOOL TxSetScrollRange(INT bar, LONG minimum, INT maximum, WINBOOL redraw) override;
  WINBOOL TxSetScrollPos(INT bar, INT position, WINBOOL redraw) override;
  void TxInvalidateRect(LPCRECT rect, WINBOOL mode) override;
  void TxViewChange(WINBOOL update) override;
  WINBOOL TxCreateCaret(HBITMAP bitmap, INT width, INT height) override;
  WINBOOL TxShowCaret(WINBOOL show) override;
  WINBOOL TxSetCaretPos(INT x, INT y) override;
  WINBOOL TxSetTimer(UINT id, UINT timeout) override;
  void TxKillTimer(UINT id) override;
  void TxScrollWindowEx(INT dx, INT dy, LPCRECT scroll, LPCRECT clip, HRGN update, LPRECT updateRect, UINT flags)
      override;
  void TxSetCapture(WINBOOL capture) override;
  void TxSetFocus() override;
  void TxSetCursor(HCURSOR cursor, WINBOOL text) override;
  WINBOOL TxScreenToClient(LPPOINT point) override;
  WINBOOL TxClientToScreen(LPPOINT point) override;
  HRESULT TxActivate(LONG* oldState) override;
  HRESULT TxDeactivate(LONG newState) override;
  HRESULT TxGetClientRect(LPRECT rect) override;
  HRESULT TxGetViewInset(LPRECT rect) override;
  HRESULT TxGetCharFormat(const CHARFORMATW** format) override;
  HRESULT TxGetParaFormat(const PARAFORMAT** format) override;
  COLORREF TxGetSysColor(int index) override;
  HRESULT TxGetBackStyle(TXTBACKSTYLE* style) override;
  HRESULT TxGetMaxLength(DWORD* length) override;
  HRESULT TxGetScrollBars(DWORD* scrollBars) override;
  HRESULT TxGetPasswordChar(TCHAR* ch) override;
  HRESULT TxGetAcceleratorPos(LONG* position) override;
  HRESULT TxGetExtent(LPSIZEL extent) override;
  HRESULT OnTxCharFormatChange(const CHARFORMATW* format) override;
  HRESULT OnTxParaFormatChange(const PARAFORMAT* format) override;
  HRESULT TxGetPropertyBits(DWORD mask, DWORD* bits) override;
  HRESULT TxNotify(DWORD code, void* data) override;
  HIMC TxImmGetContext() override;
  void TxImmReleaseContext(HIMC context) override;
  HRESULT TxGetSelectionBarWidth(LONG* width) override;

 private:
  HWND Window() const;
  void Changed(DWORD bit);

  CRichEditUI* owner_;
  ULONG references_ = 1;
  DWORD propertyBits_ = TXTBIT_RICHTEXT | TXTBIT_MULTILINE | TXTBIT_WORDWRAP;
  DWORD scrollBars_ = 0;
  bool transparent_ = true;
  bool caret_ = false;
  CHARFORMAT2W charFormat_{};
  PARAFORMAT2 paraFormat_{};
  const IID* textHostIid_ = nullptr;  // the library's own interface ids
  // Declared first so that it is freed after the services it made.
  utility::ScopedModule library_;
  utility::ScopedGeneric<ComReferenceTraits<ITextServices>> services_;
};

}  // namespace SkinUI
