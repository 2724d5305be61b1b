#pragma once
// A label whose formatted text holds links: the hand cursor shows over a
// link, a hovered link is drawn in the hover colour and a click on one sends
// "link" with the link's index.

#include <windows.h>

#include "skinui/control/label_ui.h"

namespace SkinUI {

class CTextUI : public CLabelUI {
 public:
  // The links one text can hold.
  static constexpr int kMaxLinks = 8;

  // The class name skins use: "Text".
  const wchar_t* GetTypeName() const override { return L"Text"; }
  // This control for "Text", else as the label.
  void* FindInterface(const wchar_t* name) override;
  // kInputSetCursor while enabled, so the cursor can change over links.
  uint32_t GetInputFlags() const override;

  // The links found by the last painting.
  int GetLinkCount() const { return linkCount_; }
  // The target of link index (empty when out of range).
  CUIString GetLinkTarget(int index) const;
  // The link at point (window coordinates) from the last painting, or -1.
  int LinkAt(POINT point) const;

  // Cursor, hover and clicks on links; everything else as the label.
  void HandleEvent(UIEvent& event) override;
  // The text, recording where its links were drawn.
  void PaintText(HDC dc) override;

 private:
  void TrackHover(int link);

  RECT links_[kMaxLinks]{};
  CUIString targets_[kMaxLinks];
  int linkCount_ = 0;
  int hovered_ = -1;
};

}  // namespace SkinUI
