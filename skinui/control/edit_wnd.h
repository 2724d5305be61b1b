#pragma once
// The native single-line edit window an edit lays over its text rectangle
// while it has the focus: the platform's edit control, superclassed, that
// copies its text back into the edit, sends "return" and "textchanged",
// takes the edit's colours and closes when it loses the focus.

#include <windows.h>

#include "skinui/core/gdi_handles.h"
#include "skinui/core/window/window_handles.h"
#include "skinui/core/window/window_wnd.h"

namespace SkinUI {

class CEditUI;

class CEditWnd final : public CWindowWnd {
 public:
  // The id of the timer that blinks the hand-drawn caret of a layered window.
  static constexpr UINT_PTR kCaretTimerId = 20;

  explicit CEditWnd(CEditUI* owner) : owner_(owner) {}
  // Destroys a live window without telling the owner.
  ~CEditWnd();

  // Creates the window over the owner's text rectangle with the owner's
  // font, limit, password character, text and state, shows it without
  // activation and focuses it; false when it cannot be created.
  bool Init();
  // Moves the caret behind the last character.
  void PutCaretAtEnd();
  // Asks the window to close (posted, so a message being handled ends first).
  void CloseLater();

 protected:
  const wchar_t* GetRegisteredClassName() const override { return L"EditWnd"; }
  const wchar_t* GetBaseWindowClass() const override { return L"Edit"; }
  // Return, text changes, the reflected colour messages, the focus and the caret.
  LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Tells the owner, which lets go of this object.
  void OnWindowDestroyed(HWND window) override;

 private:
  DWORD Style() const;
  void Select();
  LRESULT OnColor(HDC dc);
  HBRUSH BackgroundBrush();
  void OnTextChanged();
  void PrintCaret(HDC dc);
  void BlinkCaret();
  bool IsLayered() const;

  CEditUI* owner_;
  ScopedBrush brush_;
  ScopedWindowTimer caretTimer_;
  bool caretShown_ = true;
  bool closing_ = false;
};

}  // namespace SkinUI
