#pragma once
// Children in a column: assigned heights first, the rest shared, the last
// shared child taking the rounding remainder; floating children by their own
// position. An optional separator at one edge lets the user resize the layout.

#include <windows.h>

#include "skinui/layout/container_ui.h"
#include "skinui/layout/separator_drag_ui.h"

namespace SkinUI {

class CVerticalLayoutUI : public CContainerUI {
 public:
  CVerticalLayoutUI() = default;

  const wchar_t* GetTypeName() const override { return L"VerticalLayout"; }
  // This layout for "VerticalLayout", else as the container.
  void* FindInterface(const wchar_t* name) override;
  // Set-cursor events while a separator is enabled.
  uint32_t GetInputFlags() const override;
  // Places the layout and its children in a column, then fits the scroll bars.
  void SetBounds(const RECT& rect, bool invalidate) override;
  // Separator drags, else as the container.
  void HandleEvent(UIEvent& event) override;
  // sepheight and sepimm, else the container's attributes.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  // The tracking rectangle of a deferred separator drag, then the post-paint listeners.
  void PaintOverlay(HDC dc, const RECT& area) override;

  // Separator band size (see CSeparatorDragUI); 0 for none.
  int GetSeparatorSize() const { return separator_.GetSize(); }
  void SetSeparatorSize(int size) { separator_.SetSize(size); }
  bool IsSeparatorImmediate() const { return separator_.IsImmediate(); }
  void SetSeparatorImmediate(bool immediate) { separator_.SetImmediate(immediate); }

 private:
  CSeparatorDragUI separator_{false};
};

}  // namespace SkinUI
