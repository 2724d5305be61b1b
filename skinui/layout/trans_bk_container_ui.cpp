#include "skinui/layout/trans_bk_container_ui.h"

#include <cwchar>

namespace SkinUI {

CTransBkContainerUI::~CTransBkContainerUI() { ReleaseSnapshot(); }

void* CTransBkContainerUI::FindInterface(const wchar_t* name) {
  if (std::wcscmp(name, L"TransBkContainer") == 0) return this;
  return CContainerUI::FindInterface(name);
}

void CTransBkContainerUI::ReleaseSnapshot() {
  // The bitmap leaves the DC before either is freed.
  selection_.reset();
  snapshotDC_.reset();
  snapshotBitmap_.reset();
}

bool CTransBkContainerUI::TakeSnapshot(HDC source) {
  ReleaseSnapshot();
  const RECT& item = GetBounds();
  int width = item.right - item.left;
  int height = item.bottom - item.top;
  if (width <= 0 || height <= 0) return false;
  ScopedMemoryDC dc(::CreateCompatibleDC(source));
  ScopedBitmap bitmap(::CreateCompatibleBitmap(source, width, height));
  if (!dc || !bitmap) return false;
  auto selection = std::make_unique<ScopedSelectObject>(dc.get(), bitmap.get());
  if (!selection->selected()) return false;
  if (!::BitBlt(dc.get(), 0, 0, width, height, source, item.left, item.top, SRCCOPY)) return false;
  snapshotBitmap_ = std::move(bitmap);
  snapshotDC_ = std::move(dc);
  selection_ = std::move(selection);
  return true;
}

void CTransBkContainerUI::PaintBackImage(HDC dc) {
  if (!HasSnapshot()) return;
  const RECT& item = GetBounds();
  RECT part;
  if (!::IntersectRect(&part, &GetPaintRect(), &item)) return;
  ::BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, snapshotDC_.get(),
           part.left - item.left, part.top - item.top, SRCCOPY);
}

}  // namespace SkinUI
