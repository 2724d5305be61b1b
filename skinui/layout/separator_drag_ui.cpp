#include "skinui/layout/separator_drag_ui.h"

#include <algorithm>
#include <cstdlib>

#include "skinui/core/window/manager_ui.h"
#include "skinui/layout/container_ui.h"
#include "skinui/render/render_ui.h"

namespace SkinUI {

RECT CSeparatorDragUI::GetBand(const CContainerUI& layout) const {
  RECT item = layout.GetBounds();
  int size = std::abs(size_);
  if (size_ == 0) return RECT{};
  if (horizontal_) {
    if (size_ > 0) item.left = std::max(item.left, item.right - size);
    if (size_ < 0) item.right = std::min(item.right, item.left + size);
  } else {
    if (size_ > 0) item.top = std::max(item.top, item.bottom - size);
    if (size_ < 0) item.bottom = std::min(item.bottom, item.top + size);
  }
  return item;
}

int CSeparatorDragUI::DraggedExtent(const CContainerUI& layout, POINT point) const {
  int moved = horizontal_ ? point.x - start_.x : point.y - start_.y;
  int extent = startExtent_ + (size_ > 0 ? moved : -moved);
  if (horizontal_) return std::clamp(extent, layout.GetMinWidth(), layout.GetMaxWidth());
  return std::clamp(extent, layout.GetMinHeight(), layout.GetMaxHeight());
}

RECT CSeparatorDragUI::TrackingRect(const CContainerUI& layout, int extent) const {
  RECT r = layout.GetBounds();
  if (horizontal_ && size_ > 0) r.right = r.left + extent;
  if (horizontal_ && size_ < 0) r.left = r.right - extent;
  if (!horizontal_ && size_ > 0) r.bottom = r.top + extent;
  if (!horizontal_ && size_ < 0) r.top = r.bottom - extent;
  return r;
}

void CSeparatorDragUI::Apply(CContainerUI& layout, int extent) {
  if (horizontal_) {
    layout.SetAssignedWidth(extent);
  } else {
    layout.SetAssignedHeight(extent);
  }
}

bool CSeparatorDragUI::HandleEvent(CContainerUI& layout, const UIEvent& event) {
  if (size_ == 0 || !layout.IsEnabled()) return false;
  switch (event.type) {
    case kEventButtonDown:
    case kEventDoubleClick: {
      RECT band = GetBand(layout);
      if (!::PtInRect(&band, event.mousePos)) return false;
      dragging_ = true;
      start_ = event.mousePos;
      startExtent_ = horizontal_ ? layout.GetWidth() : layout.GetHeight();
      tracking_ = layout.GetBounds();
      return true;
    }
    case kEventMouseMove: {
      if (!dragging_) return false;
      int extent = DraggedExtent(layout, event.mousePos);
      if (immediate_) {
        Apply(layout, extent);
        return true;
      }
      RECT old = tracking_;
      tracking_ = TrackingRect(layout, extent);
      if (CManagerUI* manager = layout.GetManager()) {
        RECT both;
        ::UnionRect(&both, &old, &tracking_);
        manager->Invalidate(both);
      }
      return true;
    }
    case kEventButtonUp:
      if (!dragging_) return false;
      dragging_ = false;
      if (!immediate_) Apply(layout, DraggedExtent(layout, event.mousePos));
      return true;
    case kEventSetCursor: {
      RECT band = GetBand(layout);
      if (!::PtInRect(&band, event.mousePos)) return false;
      ::SetCursor(::LoadCursorW(nullptr, horizontal_ ? IDC_SIZEWE : IDC_SIZENS));
      return true;
    }
    default:
      return false;
  }
}

void CSeparatorDragUI::PaintTracking(HDC dc) const {
  if (dragging_ && !immediate_) CRenderUI::FillColor(dc, tracking_, kTrackingColor);
}

}  // namespace SkinUI
