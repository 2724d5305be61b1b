#pragma once
// A label that acts when clicked or when Space or Return is pressed on it:
// state images (normal, hot, pushed, focused, disabled, a four-frame strip),
// state colours, a hover that can fade in and out, and "click".

#include <windows.h>

#include <array>
#include <cstdint>

#include "skinui/control/label_ui.h"

namespace SkinUI {

// State bits of buttons and the controls built on them.
enum UIButtonState : uint32_t {
  kStateFocused = 0x01,
  kStateSelected = 0x02,
  kStateDisabled = 0x04,
  kStateHot = 0x08,
  kStatePushed = 0x10,
  kStateCaptured = 0x40,
};

// The control timer that steps the hover fade.
inline constexpr UINT kFadeTimerId = 11;
// Its period in ms.
inline constexpr UINT kFadeTimerElapse = 30;

// The images a button paints by state.
enum class ButtonImage { kNormal, kHot, kHotFore, kPushed, kPushedFore, kFocused, kDisabled, kStandard, kRed, kCount };
// The colours a button paints by state.
enum class ButtonColor { kHotBk, kPushedBk, kDisabledBk, kHotText, kPushedText, kFocusedText, kHotBorder, kCount };

class CButtonUI : public CLabelUI {
 public:
  // The class name skins use: "Button".
  const wchar_t* GetTypeName() const override { return L"Button"; }
  // This control for "Button", else as the label.
  void* FindInterface(const wchar_t* name) override;
  // kInputTabStop when keyboard-enabled; kInputSetCursor when enabled with the hand cursor on.
  uint32_t GetInputFlags() const override;
  // Sends "click" when visible and enabled; true then.
  bool Invoke() override;

  // UIButtonState bits.
  uint32_t GetButtonState() const { return state_; }
  // The current fade alpha: 255 at rest, 0 fully hot.
  BYTE GetFadeAlpha() const { return fadeAlpha_; }
  // Alpha step per fade tick (0: no fading).
  void SetFadeDelta(BYTE delta) { fadeDelta_ = delta; }
  BYTE GetFadeDelta() const { return fadeDelta_; }
  // The hand cursor over the button.
  void SetShowCursor(bool show) { showCursor_ = show; }
  // Replaces one state image by an image description; invalidates.
  void SetImage(ButtonImage which, const wchar_t* description);
  // One state colour (0: not set); invalidates.
  void SetColor(ButtonColor which, DWORD color);
  DWORD GetColor(ButtonColor which) const { return colors_[static_cast<size_t>(which)]; }

  // Press, release, hover, keys, cursor, fade ticks and the right button.
  void HandleEvent(UIEvent& event) override;
  // The button attributes, then the label's.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  // The disabled, pushed or hot background colour over the paint rectangle.
  void PaintStateBackColor(HDC dc) override;
  // The image of the current state, the fore image and the badge.
  void PaintStateImage(HDC dc) override;
  // The text in the colour of the current state.
  void PaintText(HDC dc) override;
  // The control border, and the hot border while hot.
  void PaintBorder(HDC dc) override;

 protected:
  // The focused and disabled bits follow the control.
  void SyncStateBits();
  // The state images without (ignorePushed) or with the pushed state, then the fore image and the badge.
  void PaintButtonImages(HDC dc, bool ignorePushed);
  // Draws desc over the item rectangle at fade times its own fade; false when it has no image.
  bool DrawStateImage(HDC dc, UIImageDesc& desc, BYTE fade = 255);
  // The label text in color, split into lines at "<n>" for formatted multi-line buttons.
  void PaintButtonText(HDC dc, DWORD color);
  // Sets or clears state bits.
  void SetStateBits(uint32_t bits, bool on);

 private:
  bool ApplyImageAttribute(const wchar_t* name, const wchar_t* value);
  bool ApplyColorAttribute(const wchar_t* name, const wchar_t* value);
  void OnPress(UIEvent& event);
  void OnRelease(UIEvent& event);
  void OnEnter(UIEvent& event);
  void OnLeave(UIEvent& event);
  void OnFadeTick();
  void StartFade();
  // False when a pushed or hot fore image was drawn, which ends the painting.
  bool PaintStateFrame(HDC dc, bool ignorePushed);
  void PaintNormal(HDC dc);
  bool DrawStandardFrame(HDC dc, int frame);
  void PaintTextLines(HDC dc, const CUIString& text, DWORD color);
  UIImageDesc& Image(ButtonImage which) { return images_[static_cast<size_t>(which)]; }

  uint32_t state_ = 0;
  std::array<UIImageDesc, static_cast<size_t>(ButtonImage::kCount)> images_;
  std::array<DWORD, static_cast<size_t>(ButtonColor::kCount)> colors_{};
  bool showCursor_ = false;
  bool showRed_ = false;
  bool drawMultiLine_ = false;
  BYTE fadeDelta_ = 0;
  BYTE fadeAlpha_ = 255;
};

}  // namespace SkinUI
