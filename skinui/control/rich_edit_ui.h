#pragma once
// A rich edit: the platform's windowless rich-text services drawn inside a
// container, which lends them its scroll bars. It takes the window's input
// as a message filter: keys while it has the focus, the mouse over its text.
// It sends "textchanged" when the text changes and "return" for a Return
// that does not go into the text.

#include <windows.h>

#include <memory>

#include "skinui/core/ui_notify.h"
#include "skinui/layout/container_ui.h"

namespace SkinUI {

class CTxtWinHost;

class CRichEditUI : public CContainerUI, public IMessageFilterUI {
 public:
  CRichEditUI();
  // Leaves the manager's filters; the services go with their host.
  ~CRichEditUI() override;

  const wchar_t* GetTypeName() const override { return L"RichEdit"; }
  // This control for "RichEdit" (and "WantTab" while it takes Tab), else as the container.
  void* FindInterface(const wchar_t* name) override;
  // A tab stop when keyboard-enabled; set-cursor events when enabled.
  uint32_t GetInputFlags() const override;

  // Nothing: the services start with the first paint or focus.
  void InitSelf() override;
  // The text the services hold (the stored text before they exist).
  const CUIString& GetText() const override;
  // Replaces the whole text.
  void SetText(const wchar_t* text) override;
  // Lays the text out in the new text rectangle and fits the scroll bars.
  void SetBounds(const RECT& rect, bool invalidate) override;
  // Moves the text with the control.
  void MoveBy(int dx, int dy, bool invalidate) override;
  // Focus, timers, the wheel and cursor events; others as the container.
  void HandleEvent(UIEvent& event) override;
  // The rich edit attributes, else the container's.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  // Starts the services if need be; they draw the text into the text rectangle.
  void PaintText(HDC dc) override;
  // Keys while focused and the mouse over the text go to the services.
  LRESULT FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

  // The scroll bars move the text; the text moves the bars.
  void SetScrollPos(SIZE position) override;
  void LineUp() override;
  void LineDown() override;
  void PageUp() override;
  void PageDown() override;
  void ScrollToTop() override;
  void ScrollToBottom() override;
  void LineLeft() override;
  void LineRight() override;
  void PageLeft() override;
  void PageRight() override;
  void ScrollToLeftEnd() override;
  void ScrollToRightEnd() override;

  bool IsReadOnly() const;
  // Whether the user can change the text.
  void SetReadOnly(bool readOnly);
  bool IsMultiLine() const;
  // Multi-line text breaks its lines at the width unless it scrolls sideways.
  void SetMultiLine(bool multiLine);
  bool IsRich() const;
  // Rich text (formats) or plain text.
  void SetRich(bool rich);
  bool IsPassword() const;
  // Shows a password character per character.
  void SetPassword(bool password);
  bool WantsTab() const { return wantTab_; }
  bool WantsReturn() const { return wantReturn_; }
  bool WantsCtrlReturn() const { return wantCtrlReturn_; }
  int GetFont() const { return font_; }
  // Font index of the whole text (-1: the window's default font).
  void SetFont(int index);
  DWORD GetTextColor() const { return textColor_; }
  // Colour (0xAARRGGBB) of the whole text.
  void SetTextColor(DWORD color);
  const RECT& GetTextPadding() const { return textPadding_; }
  // Margins between the client area and the text.
  void SetTextPadding(const RECT& padding);
  // Where the text is laid out: the client area minus the text padding.
  RECT GetTextRect() const;
  // Line count of the text; 0 before the services exist.
  int GetLineCount() const;
  // The character at client point, or -1.
  int CharFromPoint(POINT point) const;
  // Sends message to the services; 0 without them.
  LRESULT SendToText(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // Called by the host when the services moved, showed or hid a scroll bar.
  void OnTextScrolled();
  // Called by the host when the services report a change of the text.
  void OnTextChanged();

 private:
  // Makes the services with the control's text and registers the filter; once.
  void StartServices();
  HFONT TextFont() const;
  COLORREF TextColorRef() const;
  void ApplyCharFormat();
  bool IsOverText(POINT point) const;
  bool FilterKey(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  bool TakesReturn() const;
  void ShowFromStart();
  void Scroll(UINT message, WORD request);
  void ScrollTo(POINT position);
  void SyncScrollBars();
  bool SyncScrollBar(CScrollBarUI* bar);
  void PlaceScrollBars();

  std::unique_ptr<CTxtWinHost> host_;
  mutable CUIString text_;  // the services' text as last read
  int font_ = -1;
  DWORD textColor_ = 0;
  RECT textPadding_{};
  bool wantTab_ = true;
  bool wantReturn_ = true;
  bool wantCtrlReturn_ = true;
  bool filtering_ = false;
  bool syncing_ = false;
  bool swallowReturnChar_ = false;
};

}  // namespace SkinUI
