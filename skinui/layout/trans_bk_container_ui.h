#pragma once
// A container that paints a stored snapshot in place of a background image,
// for areas whose background must stay as it was when they were shown.

#include <windows.h>

#include <memory>

#include "skinui/core/gdi_handles.h"
#include "skinui/layout/container_ui.h"

namespace SkinUI {

class CTransBkContainerUI : public CContainerUI {
 public:
  CTransBkContainerUI() = default;
  // Releases the snapshot.
  ~CTransBkContainerUI() override;

  const wchar_t* GetTypeName() const override { return L"TransBkContainer"; }
  // This container for "TransBkContainer", else as the container.
  void* FindInterface(const wchar_t* name) override;
  // Copies the snapshot onto the painted part of the item rectangle; nothing without one.
  void PaintBackImage(HDC dc) override;

  // Copies what source shows under the item rectangle into the snapshot;
  // false when the surface cannot be made.
  bool TakeSnapshot(HDC source);
  // True when a snapshot is held.
  bool HasSnapshot() const { return snapshotDC_.valid(); }

 private:
  void ReleaseSnapshot();

  ScopedBitmap snapshotBitmap_;
  ScopedMemoryDC snapshotDC_;
  std::unique_ptr<ScopedSelectObject> selection_;  // the bitmap inside the DC
};

}  // namespace SkinUI
