#pragma once
// A button that stays selected: alone it toggles on each click, in a named
// group of the window it is one of a set of which one is selected.

#include <windows.h>

#include "skinui/control/button_ui.h"

namespace SkinUI {

class COptionUI : public CButtonUI {
 public:
  // Leaves its group.
  ~COptionUI() override;

  // The class name skins use: "Option".
  const wchar_t* GetTypeName() const override { return L"Option"; }
  // This control for "Option", else as the button.
  void* FindInterface(const wchar_t* name) override;
  // Binds as the button does and joins its group in the new manager (leaving the old one's).
  void AttachManager(CManagerUI* manager, CControlUI* parent, bool initialise) override;
  // "click", then selects a grouped option or toggles an ungrouped one.
  bool Invoke() override;
  // Disabling clears every state bit but the selected one.
  void SetEnabled(bool enabled) override;

  bool IsSelected() const { return selected_; }
  // Changes the selection: selecting a grouped option deselects the rest of
  // its group without their notification; with notify (and a manager)
  // "selectchanged" is sent, except for a grouped option being deselected.
  void SetSelected(bool selected, bool notify = true);
  const CUIString& GetGroup() const { return group_; }
  // Moves the option to another group of the manager (empty: none).
  void SetGroup(const wchar_t* group);

  // The option attributes, then the button's.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  // Without a fixed height: the fixed width and a line of the font; else as the label.
  SIZE Measure(SIZE available) override;
  // The selected images or colour when selected, else the button's images; then the option's fore image.
  void PaintStateImage(HDC dc) override;
  // The text in the selected colour when selected, else the normal colour.
  void PaintText(HDC dc) override;

 private:
  bool PaintSelectedImage(HDC dc);

  bool selected_ = false;
  CUIString group_;
  DWORD selectedBkColor_ = 0;
  DWORD selectedTextColor_ = 0;
  UIImageDesc selectedImage_;
  UIImageDesc selectedHotImage_;
  UIImageDesc selectedDisabledImage_;
  UIImageDesc optionForeImage_;
};

}  // namespace SkinUI
