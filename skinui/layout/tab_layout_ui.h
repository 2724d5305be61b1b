#pragma once
// Pages of which exactly one is shown: the current child fills the inset
// area, every other child is hidden.

#include <windows.h>

#include "skinui/layout/container_ui.h"

namespace SkinUI {

class CTabLayoutUI : public CContainerUI {
 public:
  CTabLayoutUI() = default;

  const wchar_t* GetTypeName() const override { return L"TabLayout"; }
  // This layout for "TabLayout", else as the container.
  void* FindInterface(const wchar_t* name) override;
  // The first visible page added to an empty layout becomes current; later pages are hidden.
  bool Add(CControlUI* control) override;
  // As Add; inserting before the current page moves the current index along.
  bool InsertAt(CControlUI* control, int index) override;
  // Removing the current page makes page 0 current (shown), or none when empty.
  bool RemoveAt(int index, bool doNotDestroy = false) override;
  // No page is current afterwards.
  void RemoveAll() override;
  // Places the current page (and floating children) in the inset area.
  void SetBounds(const RECT& rect, bool invalidate) override;
  // selectedid, then the container's attributes.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;

  // The current page's index, -1 when there is none.
  int GetCurrentPage() const { return current_; }
  // Shows page index (and focuses it) and hides the others; the keyboard
  // focus moves to the next tab stop and, with notify, "tabselect" (new
  // index, old index) is sent. False for an index outside the list.
  bool SelectPage(int index, bool notify = true);

 private:
  int current_ = -1;
};

}  // namespace SkinUI
