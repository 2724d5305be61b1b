#pragma once
// A control that shows one text: plain or formatted, aligned inside its
// text padding, measured to fit the text, and optionally drawn with glow,
// stroke, shadow and gradient effects.

#include <windows.h>

#include "skinui/control/gdiplus_session.h"
#include "skinui/control/text_effects.h"
#include "skinui/core/control_ui.h"

namespace SkinUI {

class CLabelUI : public CControlUI {
 public:
  // The class name skins use: "Label".
  const wchar_t* GetTypeName() const override { return L"Label"; }
  // This control for "Label", else as the control base.
  void* FindInterface(const wchar_t* name) override;

  // Stores a different text and asks for a new estimate.
  void SetText(const wchar_t* text) override;
  // Fixed sizes ask for a new estimate.
  void SetAssignedWidth(int width) override;
  void SetAssignedHeight(int height) override;

  // Text format flags (the renderer's kCenter, kSingleLine, ...).
  UINT GetTextStyle() const { return textStyle_; }
  // Replaces the format flags; asks for a new estimate and invalidates.
  void SetTextStyle(UINT style);
  DWORD GetTextColor() const { return textColor_; }
  // Text colour (0: the window default); invalidates.
  void SetTextColor(DWORD color);
  DWORD GetDisabledTextColor() const { return disabledTextColor_; }
  // Text colour while disabled (0: the window default); invalidates.
  void SetDisabledTextColor(DWORD color);
  int GetFont() const { return font_; }
  // Font index of the window (-1: its default font); asks for a new estimate.
  void SetFont(int index);
  const RECT& GetTextPadding() const { return textPadding_; }
  // Margins between the item rectangle and the text; asks for a new estimate.
  void SetTextPadding(const RECT& padding);
  bool IsShowHtml() const { return showHtml_; }
  // The text is formatted text; asks for a new estimate.
  void SetShowHtml(bool show);
  // Lines wrap at words (the single-line flag is off).
  bool IsMultiLine() const { return (textStyle_ & DT_SINGLELINE) == 0; }
  // Word-wrapped lines instead of one line; asks for a new estimate.
  void SetMultiLine(bool multiLine);
  // Lower and upper limits of the estimated width (upper 0: none).
  void SetMinWidthEx(int width);
  void SetMaxWidthEx(int width);

  // Text drawn with the imaging library's effects instead of plainly.
  bool IsEffectEnabled() const { return effects_; }
  // Switches the effects; invalidates.
  void SetEffectEnabled(bool on);
  // Shadow displacement from an offset and an angle in -180..180; other angles are ignored.
  void SetShadowOffset(int offset, int angle);
  // The shadow displacement (dx, dy).
  SIZE GetShadowOffset() const { return effect_.shadowOffset; }
  // The glow, stroke, shadow and gradient settings (the text colour is taken when painting).
  const TextEffectStyle& GetEffectStyle() const { return effect_; }

  // Focus events only set the focused flag; everything else as the control base.
  void HandleEvent(UIEvent& event) override;
  // The label attributes, then the control base's.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  // Fixed size, else padding plus the text's extent, limited by the extra widths.
  SIZE Measure(SIZE available) override;
  // The text in the text rectangle, plain, formatted or with effects.
  void PaintText(HDC dc) override;

 protected:
  // The item rectangle minus the text padding.
  RECT TextRect() const;
  // The text colour, or the disabled one when disabled; 0 gives the window default.
  DWORD StateTextColor() const;
  // Draws text plain or formatted in color with the label's font and style.
  void DrawLabelText(HDC dc, const RECT& rect, const wchar_t* text, DWORD color, UINT style);
  // Asks for a new estimate on the next Measure.
  void NeedEstimate() { needEstimate_ = true; }

 private:
  bool ApplyTextAttribute(const wchar_t* name, const wchar_t* value);
  bool ApplyEffectAttribute(const wchar_t* name, const wchar_t* value);
  void ApplyAlign(const wchar_t* value);
  void ApplyVAlign(const wchar_t* value);
  void ChangeStyle(UINT clear, UINT set);
  SIZE Estimate(SIZE available);
  void PaintEffectText(HDC dc, const RECT& rect);

  DWORD textColor_ = 0;
  DWORD disabledTextColor_ = 0;
  int font_ = -1;
  UINT textStyle_ = DT_VCENTER | DT_SINGLELINE;
  RECT textPadding_{};
  bool showHtml_ = false;
  int minWidthEx_ = 0;
  int maxWidthEx_ = 0;
  SIZE lastAvailable_{};
  SIZE lastEstimate_{};
  bool needEstimate_ = true;
  bool effects_ = false;
  TextEffectStyle effect_;
  // Keeps the imaging library started while the label lives.
  CGdiplusUse gdiplus_;
};

}  // namespace SkinUI
