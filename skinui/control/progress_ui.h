#pragma once
// A bar filled in proportion to a value between a minimum and a maximum,
// horizontally from the left or vertically from the bottom.

#include <windows.h>

#include "skinui/control/label_ui.h"

namespace SkinUI {

class CProgressUI : public CLabelUI {
 public:
  // Centred single-line text, 12 pixels high.
  CProgressUI();

  // The class name skins use: "Progress".
  const wchar_t* GetTypeName() const override { return L"Progress"; }
  // This control for "Progress", else as the label.
  void* FindInterface(const wchar_t* name) override;

  bool IsHorizontal() const { return horizontal_; }
  // Fills from the left (true) or from the bottom; invalidates.
  void SetHorizontal(bool horizontal);
  int GetMinimum() const { return min_; }
  // Invalidates.
  void SetMinimum(int value);
  int GetMaximum() const { return max_; }
  // Invalidates.
  void SetMaximum(int value);
  int GetValue() const { return value_; }
  // Stores value clamped to the minimum and maximum; invalidates.
  void SetValue(int value);
  // Colour of the filled part (0: none); invalidates.
  void SetForeColor(DWORD color);

  // The progress attributes, then the label's.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  // The fore image stretched over the filled part, and the fore colour.
  void PaintStateImage(HDC dc) override;

  // The filled part relative to the control for a width and height (a
  // maximum not above the minimum counts as the minimum + 1).
  RECT FilledPart(int width, int height) const;

 private:
  bool horizontal_ = true;
  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
  DWORD foreColor_ = 0;
};

}  // namespace SkinUI
