#pragma once
// A one-line text field: painted as a label with state images until it
// gets the focus, then edited in a native edit window laid over its text
// rectangle. Sends "return" and "textchanged".

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

#include "skinui/control/label_ui.h"

namespace SkinUI {

class CEditWnd;

// The images an edit paints by state.
enum class EditImage { kNormal, kHot, kFocused, kDisabled, kStandard, kCount };

class CEditUI : public CLabelUI {
 public:
  // Text padding (4, 3, 4, 3) and a white background.
  CEditUI();
  // Closes a live native window.
  ~CEditUI() override;

  const wchar_t* GetTypeName() const override { return L"Edit"; }
  // This control for "Edit", else as the label.
  void* FindInterface(const wchar_t* name) override;
  // kInputTabStop when keyboard-enabled; kInputSetCursor when enabled.
  uint32_t GetInputFlags() const override;

  // Stores the text and puts it into a live native window.
  void SetText(const wchar_t* text) override;
  // Keeps a live native window over the text rectangle.
  void SetBounds(const RECT& rect, bool invalidate) override;
  void MoveBy(int dx, int dy, bool invalidate) override;
  // Focus, the mouse and the window size: opens and feeds the native window.
  void HandleEvent(UIEvent& event) override;
  // The edit attributes, else the label's.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  // Without a fixed height: the fixed width and the font's text height + 8.
  SIZE Measure(SIZE available) override;
  // The image of the state: disabled, focused, hot, else normal.
  void PaintStateImage(HDC dc) override;
  // The text (a password character per character in password mode) unless
  // the native window covers it.
  void PaintText(HDC dc) override;
  // The control's border, and while hot a border in the hot border colour.
  void PaintBorder(HDC dc) override;

  bool IsReadOnly() const { return readOnly_; }
  // Whether the text can be changed; passed to a live native window.
  void SetReadOnly(bool readOnly);
  bool IsPassword() const { return password_; }
  // Password mode; passed to a live native window.
  void SetPassword(bool password);
  int GetMaxChar() const { return maxChar_; }
  // Character limit; passed to a live native window.
  void SetMaxChar(int count);
  bool IsNumberOnly() const { return numberOnly_; }
  // Only digits can be typed; passed to a live native window.
  void SetNumberOnly(bool numberOnly);
  bool IsAutoSelectAll() const { return autoSelectAll_; }
  void SetAutoSelectAll(bool on) { autoSelectAll_ = on; }
  wchar_t GetPasswordChar() const { return passwordChar_; }
  DWORD GetNativeBkColor() const { return nativeBkColor_; }
  // Background of the native window (a translucent one shows the control's own background).
  void SetNativeBkColor(DWORD color) { nativeBkColor_ = color; }
  DWORD GetCaretColor() const { return caretColor_; }
  void SetCaretColor(DWORD color) { caretColor_ = color; }
  // UIButtonState bits.
  uint32_t GetEditState() const { return state_; }
  // Replaces one state image by an image description; invalidates.
  void SetImage(EditImage which, const wchar_t* description);

  // The live native window, or null.
  HWND GetNativeWindow() const;
  // Where the native window sits: the item rectangle minus the text padding.
  RECT GetNativeRect() const { return TextRect(); }
  // The text colour for the native window.
  DWORD GetNativeTextColor() const { return StateTextColor(); }
  // Called by the native window when its text changed.
  void OnNativeTextChanged(const wchar_t* text);
  // Called by the native window when it was destroyed.
  void OnNativeWindowDestroyed(HWND window);

 private:
  void OpenNativeWindow();
  void OnPress(UIEvent& event);
  void OnLeave(UIEvent& event);
  void PlaceNativeWindow();
  bool DrawImage(HDC dc, EditImage which, int frame);
  void SetStateBit(uint32_t bit, bool on) { state_ = on ? (state_ | bit) : (state_ & ~bit); }

  std::unique_ptr<CEditWnd> window_;
  int maxChar_ = 255;
  bool readOnly_ = false;
  bool password_ = false;
  bool autoSelectAll_ = false;
  bool numberOnly_ = false;
  wchar_t passwordChar_ = L'*';
  uint32_t state_ = 0;
  DWORD nativeBkColor_ = 0xFFFFFFFF;
  DWORD caretColor_ = 0xFF000000;
  DWORD hotBorderColor_ = 0;
  std::array<UIImageDesc, static_cast<size_t>(EditImage::kCount)> images_;
};

}  // namespace SkinUI
