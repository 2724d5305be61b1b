#include "skinui/layout/container_ui.h"

#include <algorithm>
#include <cwchar>

#include "skinui/core/markup/attribute_values.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/layout/scroll_bar_ui.h"
#include "skinui/render/render_ui.h"

namespace SkinUI {

namespace {

bool Is(const wchar_t* name, const wchar_t* known) { return std::wcscmp(name, known) == 0; }

bool Meets(const RECT& a, const RECT& b, RECT* overlap) { return ::IntersectRect(overlap, &a, &b) != FALSE; }

LayoutRect ToLayout(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT ToRect(const LayoutRect& r) { return {r.left, r.top, r.right, r.bottom}; }

ScrollAxis AxisOf(const CScrollBarUI* bar) {
  if (bar == nullptr) return {};
  int thickness = bar->IsHorizontal() ? bar->GetAssignedHeight() : bar->GetAssignedWidth();
  return {true, bar->IsVisible(), thickness, bar->GetScrollPos(), bar->GetScrollRange()};
}

bool IsUsable(const CScrollBarUI* bar) { return bar != nullptr && bar->IsVisible() && bar->IsEnabled(); }

// Text height plus a margin: one line of scrolling when a bar names no line size.
constexpr int kLineMargin = 8;

}  // namespace

void CContainerUI::ScrollBarDeleter::operator()(CScrollBarUI* bar) const {
  if (bar != nullptr) bar->DeleteSelf();
}

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
  std::vector<CControlUI*> items = std::move(items_);
  items_.clear();
  if (autoDestroy_) {
    for (CControlUI* item : items) item->DeleteSelf();
  }
}

void* CContainerUI::FindInterface(const wchar_t* name) {
  if (Is(name, L"IContainer")) return static_cast<IContainerUI*>(this);
  if (Is(name, L"Container")) return this;
  return CControlUI::FindInterface(name);
}

CControlUI* CContainerUI::GetChildAt(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return items_[static_cast<size_t>(index)];
}

int CContainerUI::IndexOfChild(const CControlUI* control) const {
  auto it = std::find(items_.begin(), items_.end(), control);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

bool CContainerUI::Add(CControlUI* control) { return InsertAt(control, GetCount()); }

bool CContainerUI::InsertAt(CControlUI* control, int index) {
  if (control == nullptr || index < 0 || index > GetCount()) return false;
  if (GetManager() != nullptr) {
    GetManager()->BindControls(control, this);
  } else {
    control->AttachManager(nullptr, this, false);
  }
  if (IsVisible()) {
    RequestLayout();
  } else {
    control->SetShownByParent(false);
  }
  items_.insert(items_.begin() + index, control);
  return true;
}

bool CContainerUI::Remove(CControlUI* control, bool doNotDestroy) {
  int index = IndexOfChild(control);
  if (index < 0) return false;
  return RemoveAt(index, doNotDestroy);
}

bool CContainerUI::RemoveAt(int index, bool doNotDestroy) {
  CControlUI* control = GetChildAt(index);
  if (control == nullptr) return false;
  RequestLayout();
  items_.erase(items_.begin() + index);
  if (!doNotDestroy && autoDestroy_) Destroy(control);
  return true;
}

void CContainerUI::RemoveAll() {
  std::vector<CControlUI*> items = std::move(items_);
  items_.clear();
  if (autoDestroy_) {
    for (CControlUI* item : items) Destroy(item);
  }
  RequestLayout();
}

void CContainerUI::Destroy(CControlUI* control) {
  // A removed child may be the one whose event is being handled: the
  // manager deletes it once the message it posts comes round.
  if (delayedDestroy_ && GetManager() != nullptr && GetManager()->GetPaintWindow() != nullptr) {
    GetManager()->DeleteLater(control);
  } else {
    control->DeleteSelf();
  }
}

void CContainerUI::AttachManager(CManagerUI* manager, CControlUI* parent, bool initialise) {
  for (CControlUI* item : items_) item->AttachManager(manager, this, initialise);
  if (vbar_ != nullptr) vbar_->AttachManager(manager, this, initialise);
  if (hbar_ != nullptr) hbar_->AttachManager(manager, this, initialise);
  CControlUI::AttachManager(manager, parent, initialise);
}

RECT CContainerUI::GetContentBounds() const { return ToRect(ClientRect(GetLayoutParams())); }

LayoutParams CContainerUI::GetLayoutParams() const {
  LayoutParams params;
  params.item = ToLayout(GetBounds());
  params.inset = ToLayout(inset_);
  params.childPadding = childPadding_;
  params.childAlign = childAlign_;
  params.childVAlign = childVAlign_;
  params.vertical = AxisOf(vbar_.get());
  params.horizontal = AxisOf(hbar_.get());
  return params;
}

std::vector<LayoutChild> CContainerUI::GetLayoutChildren() const {
  std::vector<LayoutChild> children(items_.size());
  for (size_t i = 0; i < items_.size(); ++i) {
    const CControlUI& c = *items_[i];
    LayoutChild& s = children[i];
    s.visible = c.IsVisible();
    s.floating = c.IsFloat();
    s.padding = ToLayout(c.GetPadding());
    s.assigned = {c.GetAssignedWidth(), c.GetAssignedHeight()};
    s.minSize = {c.GetMinWidth(), c.GetMinHeight()};
    s.maxSize = {c.GetMaxWidth(), c.GetMaxHeight()};
    s.floatOrigin = {c.GetFloatOrigin().x, c.GetFloatOrigin().y};
    const UIFloatAnchors& a = c.GetFloatAnchors();
    s.anchors = {a.left, a.top, a.right, a.bottom};
  }
  return children;
}

void CContainerUI::ApplyPlacements(const std::vector<ChildPlacement>& placements) {
  for (size_t i = 0; i < placements.size() && i < items_.size(); ++i) {
    if (placements[i].placed) items_[i]->SetBounds(ToRect(placements[i].rect), false);
  }
}

LayoutSize CContainerUI::ChildMeasure::MeasureChild(size_t index, LayoutSize available) {
  SIZE size = items_[index]->Measure({available.cx, available.cy});
  return {size.cx, size.cy};
}

void CContainerUI::SetBounds(const RECT& rect, bool invalidate) {
  CControlUI::SetBounds(rect, invalidate);
  if (items_.empty()) return;
  std::vector<LayoutChild> children = GetLayoutChildren();
  std::vector<ChildPlacement> placements(children.size());
  LayoutStack(GetLayoutParams(), children, placements);
  ApplyPlacements(placements);
}

void CContainerUI::MoveBy(int dx, int dy, bool invalidate) {
  CControlUI::MoveBy(dx, dy, invalidate);
  if (vbar_ != nullptr) vbar_->MoveBy(dx, dy, false);
  if (hbar_ != nullptr) hbar_->MoveBy(dx, dy, false);
  for (CControlUI* item : items_) item->MoveBy(dx, dy, false);
}

void CContainerUI::SetVisible(bool visible) {
  CControlUI::SetVisible(visible);
  for (CControlUI* item : items_) item->SetShownByParent(IsVisible());
}

void CContainerUI::SetShownByParent(bool shown) {
  CControlUI::SetShownByParent(shown);
  for (CControlUI* item : items_) item->SetShownByParent(IsVisible());
}

void CContainerUI::SetMouseEnabled(bool enabled) {
  if (vbar_ != nullptr) vbar_->SetMouseEnabled(enabled);
  if (hbar_ != nullptr) hbar_->SetMouseEnabled(enabled);
  CControlUI::SetMouseEnabled(enabled);
}

void CContainerUI::SetInset(const RECT& inset) {
  inset_ = inset;
  RequestLayout();
}

void CContainerUI::SetChildPadding(int padding) {
  childPadding_ = std::max(padding, 0);
  RequestLayout();
}

void CContainerUI::SetChildAlign(int align) {
  childAlign_ = align;
  RequestLayout();
}

void CContainerUI::SetChildVAlign(int align) {
  childVAlign_ = align;
  RequestLayout();
}

SIZE CContainerUI::GetScrollPos() const {
  SIZE position{};
  if (hbar_ != nullptr && hbar_->IsVisible()) position.cx = hbar_->GetScrollPos();
  if (vbar_ != nullptr && vbar_->IsVisible()) position.cy = vbar_->GetScrollPos();
  return position;
}

SIZE CContainerUI::GetScrollRange() const {
  SIZE range{};
  if (hbar_ != nullptr && hbar_->IsVisible()) range.cx = hbar_->GetScrollRange();
  if (vbar_ != nullptr && vbar_->IsVisible()) range.cy = vbar_->GetScrollRange();
  return range;
}

void CContainerUI::SetScrollPos(SIZE position) {
  int dx = 0;
  int dy = 0;
  if (hbar_ != nullptr && hbar_->IsVisible()) {
    int old = hbar_->GetScrollPos();
    hbar_->SetScrollPos(position.cx);
    dx = hbar_->GetScrollPos() - old;
  }
  if (vbar_ != nullptr && vbar_->IsVisible()) {
    int old = vbar_->GetScrollPos();
    vbar_->SetScrollPos(position.cy);
    dy = vbar_->GetScrollPos() - old;
  }
  if (dx == 0 && dy == 0) return;
  for (CControlUI* item : items_) {
    if (item->IsVisible() && !item->IsFloat()) item->MoveBy(-dx, -dy, false);
  }
  Invalidate();
}

int CContainerUI::VerticalLine() const {
  if (vbar_ != nullptr && vbar_->GetLineSize() > 1) return vbar_->GetLineSize();
  if (GetManager() == nullptr) return kLineMargin;
  return GetManager()->GetBaseFontInfo()->metrics.tmHeight + kLineMargin;
}

int CContainerUI::HorizontalLine() const {
  if (hbar_ != nullptr && hbar_->GetLineSize() > 1) return hbar_->GetLineSize();
  return kLineMargin;
}

int CContainerUI::ClientHeight() const {
  int height = GetHeight() - inset_.top - inset_.bottom;
  if (hbar_ != nullptr && hbar_->IsVisible()) height -= hbar_->GetAssignedHeight();
  return height;
}

int CContainerUI::ClientWidth() const {
  int width = GetWidth() - inset_.left - inset_.right;
  if (vbar_ != nullptr && vbar_->IsVisible()) width -= vbar_->GetAssignedWidth();
  return width;
}

void CContainerUI::LineUp() {
  SIZE p = GetScrollPos();
  SetScrollPos({p.cx, p.cy - VerticalLine()});
}

void CContainerUI::LineDown() {
  SIZE p = GetScrollPos();
  SetScrollPos({p.cx, p.cy + VerticalLine()});
}

void CContainerUI::PageUp() {
  SIZE p = GetScrollPos();
  SetScrollPos({p.cx, p.cy - ClientHeight()});
}

void CContainerUI::PageDown() {
  SIZE p = GetScrollPos();
  SetScrollPos({p.cx, p.cy + ClientHeight()});
}

void CContainerUI::ScrollToTop() { SetScrollPos({GetScrollPos().cx, 0}); }

void CContainerUI::ScrollToBottom() { SetScrollPos({GetScrollPos().cx, GetScrollRange().cy}); }

void CContainerUI::LineLeft() {
  SIZE p = GetScrollPos();
  SetScrollPos({p.cx - HorizontalLine(), p.cy});
}

void CContainerUI::LineRight() {
  SIZE p = GetScrollPos();
  SetScrollPos({p.cx + HorizontalLine(), p.cy});
}

void CContainerUI::PageLeft() {
  SIZE p = GetScrollPos();
  SetScrollPos({p.cx - ClientWidth(), p.cy});
}

void CContainerUI::PageRight() {
  SIZE p = GetScrollPos();
  SetScrollPos({p.cx + ClientWidth(), p.cy});
}

void CContainerUI::ScrollToLeftEnd() { SetScrollPos({0, GetScrollPos().cy}); }

void CContainerUI::ScrollToRightEnd() { SetScrollPos({GetScrollRange().cx, GetScrollPos().cy}); }

CContainerUI::ScrollBarPtr CContainerUI::MakeScrollBar(bool horizontal) {
  ScrollBarPtr bar(new CScrollBarUI);
  bar->SetHorizontal(horizontal);
  bar->SetScrollRange(0);
  bar->SetOwner(this);
  bar->AttachManager(GetManager(), this, false);
  if (GetManager() != nullptr) {
    const wchar_t* defaults = GetManager()->GetClassDefaults(horizontal ? L"HScrollBar" : L"VScrollBar");
    if (defaults != nullptr) bar->ApplyAttributes(defaults);
  }
  return bar;
}

void CContainerUI::EnableScrollBar(bool vertical, bool horizontal) {
  if (vertical && vbar_ == nullptr) vbar_ = MakeScrollBar(false);
  if (!vertical) vbar_.reset();
  if (horizontal && hbar_ == nullptr) hbar_ = MakeScrollBar(true);
  if (!horizontal) hbar_.reset();
  RequestLayout();
}

void CContainerUI::UpdateScrollBars(const RECT& client, SIZE needed) {
  bool relayout = false;
  if (hbar_ != nullptr) FitScrollBar(*hbar_, client, client.right - client.left, needed.cx, &relayout);
  if (vbar_ != nullptr) FitScrollBar(*vbar_, client, client.bottom - client.top, needed.cy, &relayout);
  if (!relayout || scrollProcessing_) return;
  scrollProcessing_ = true;
  SetBounds(GetBounds(), false);
  scrollProcessing_ = false;
}

void CContainerUI::FitScrollBar(CScrollBarUI& bar, const RECT& client, int available, int needed, bool* relayout) {
  ScrollAxis fitted = FitScrollAxis(AxisOf(&bar), available, needed, scrollProcessing_, relayout);
  bar.SetScrollRange(fitted.range);
  bar.SetScrollPos(fitted.position, false);
  bar.SetVisibleKeepFocus(fitted.visible);
  if (fitted.visible) {
    bar.SetBounds(ToRect(ScrollBarRect(ToLayout(client), bar.IsHorizontal(), fitted.thickness)), false);
  }
}

CControlUI* CContainerUI::FindInTree(FindCallback callback, void* data, uint32_t flags) {
  if ((flags & kFindVisible) != 0 && !IsVisible()) return nullptr;
  if ((flags & kFindEnabled) != 0 && !IsEnabled()) return nullptr;
  bool hitTest = (flags & kFindHitTest) != 0;
  if (hitTest && !::PtInRect(&GetBounds(), *static_cast<const POINT*>(data))) return nullptr;
  if ((flags & kFindUpdateTest) != 0 && callback(this, data) != nullptr) return nullptr;
  bool testSelf = !hitTest || IsMouseEnabled();
  if ((flags & kFindMeFirst) != 0 && testSelf) {
    if (CControlUI* found = callback(this, data)) return found;
  }
  if (CControlUI* cover = GetCover()) {
    if (CControlUI* found = cover->FindInTree(callback, data, flags)) return found;
  }
  for (CScrollBarUI* bar : {vbar_.get(), hbar_.get()}) {
    if (bar == nullptr) continue;
    if (CControlUI* found = bar->FindInTree(callback, data, flags)) return found;
  }
  if (CControlUI* found = FindInChildren(callback, data, flags)) return found;
  if ((flags & kFindMeFirst) == 0 && testSelf) return callback(this, data);
  return nullptr;
}

CControlUI* CContainerUI::FindInChildren(FindCallback callback, void* data, uint32_t flags) {
  bool hitTest = (flags & kFindHitTest) != 0;
  if (hitTest && !mouseChildEnabled_) return nullptr;
  RECT client = GetContentBounds();
  bool pointInClient = hitTest && ::PtInRect(&client, *static_cast<const POINT*>(data));
  bool topFirst = (flags & kFindTopFirst) != 0;
  int count = GetCount();
  for (int n = 0; n < count; ++n) {
    CControlUI* item = items_[static_cast<size_t>(topFirst ? count - 1 - n : n)];
    CControlUI* found = item->FindInTree(callback, data, flags);
    if (found == nullptr) continue;
    if (hitTest && !found->IsFloat() && !pointInClient) continue;
    return found;
  }
  return nullptr;
}

void CContainerUI::HandleEvent(UIEvent& event) {
  if (!IsMouseEnabled() && IsMouseEvent(event.type)) {
    if (GetParent() != nullptr) GetParent()->HandleEvent(event);
    return;
  }
  switch (event.type) {
    case kEventKeyDown:
      if (IsKeyboardEnabled() && IsEnabled() && HandleScrollKey(event.keyCode)) return;
      break;
    case kEventScrollWheel:
      HandleWheel(event);
      return;
    case kEventKillFocus:
    case kEventSetFocus:
      SetFocusedFlag(event.type == kEventSetFocus);
      return;
    default:
      break;
  }
  CControlUI::HandleEvent(event);
}

bool CContainerUI::HandleScrollKey(wchar_t key) {
  if (IsUsable(vbar_.get())) {
    switch (key) {
      case VK_PRIOR:
        PageUp();
        return true;
      case VK_NEXT:
        PageDown();
        return true;
      case VK_END:
        ScrollToBottom();
        return true;
      case VK_HOME:
        ScrollToTop();
        return true;
      case VK_UP:
        LineUp();
        return true;
      case VK_DOWN:
        LineDown();
        return true;
      default:
        return false;
    }
  }
  if (IsUsable(hbar_.get())) {
    switch (key) {
      case VK_PRIOR:
        PageLeft();
        return true;
      case VK_NEXT:
        PageRight();
        return true;
      case VK_END:
        ScrollToRightEnd();
        return true;
      case VK_HOME:
        ScrollToLeftEnd();
        return true;
      case VK_UP:
        LineLeft();
        return true;
      case VK_DOWN:
        LineRight();
        return true;
      default:
        return false;
    }
  }
  return false;
}

void CContainerUI::HandleWheel(const UIEvent& event) {
  bool down = LOWORD(event.wParam) == 1;
  bool overHorizontal = IsUsable(hbar_.get()) && ::PtInRect(&hbar_->GetBounds(), event.mousePos);
  if (!overHorizontal && IsUsable(vbar_.get())) {
    down ? LineDown() : LineUp();
  } else if (IsUsable(hbar_.get())) {
    down ? LineRight() : LineLeft();
  }
}

void CContainerUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (Is(name, L"inset")) {
    int v[4];
    ParseDecimals(value, v, 4);
    SetInset({v[0], v[1], v[2], v[3]});
  } else if (Is(name, L"mousechild")) {
    SetMouseChildEnabled(ParseBool(value));
  } else if (Is(name, L"vscrollbar")) {
    EnableScrollBar(ParseBool(value), hbar_ != nullptr);
  } else if (Is(name, L"vscrollbarstyle")) {
    EnableScrollBar(true, hbar_ != nullptr);
    vbar_->ApplyAttributes(value);
  } else if (Is(name, L"hscrollbar")) {
    EnableScrollBar(vbar_ != nullptr, ParseBool(value));
  } else if (Is(name, L"hscrollbarstyle")) {
    EnableScrollBar(vbar_ != nullptr, true);
    hbar_->ApplyAttributes(value);
  } else if (Is(name, L"childpadding")) {
    SetChildPadding(ParseDecimal(value));
  } else if (Is(name, L"childalign")) {
    if (Is(value, L"left")) SetChildAlign(kAlignLeft);
    if (Is(value, L"center")) SetChildAlign(kAlignCenter);
    if (Is(value, L"right")) SetChildAlign(kAlignRight);
  } else if (Is(name, L"childvalign")) {
    if (Is(value, L"top")) SetChildVAlign(kVAlignTop);
    if (Is(value, L"vcenter")) SetChildVAlign(kVAlignCenter);
    if (Is(value, L"bottom")) SetChildVAlign(kVAlignBottom);
  } else {
    CControlUI::ApplyAttribute(name, value);
  }
}

bool CContainerUI::PaintSelf(HDC dc, const RECT& area, CControlUI* stop) {
  RECT own;
  if (!Meets(area, GetBounds(), &own)) return true;
  CRenderClip clip = CRenderUI::MakeClip(dc, own);
  CControlUI::PaintSelf(dc, area, stop);
  if (!items_.empty() && !PaintChildren(dc, area, stop)) return false;
  return PaintScrollBars(dc, area, stop);
}

bool CContainerUI::PaintChildren(HDC dc, const RECT& area, CControlUI* stop) {
  RECT client = GetContentBounds();
  RECT visible;
  RECT overlap;
  if (Meets(area, client, &visible)) {
    CRenderClip childClip = CRenderUI::MakeClip(dc, visible);
    for (CControlUI* item : items_) {
      if (item == stop) return false;
      if (!item->IsVisible() || !Meets(area, item->GetBounds(), &overlap)) continue;
      if (!Meets(client, item->GetBounds(), &overlap)) continue;
      if (!item->Paint(dc, area, stop)) return false;
    }
    return true;
  }
  for (CControlUI* item : items_) {
    if (item == stop) return false;
    if (!item->IsVisible() || !item->IsFloat()) continue;
    if (!Meets(area, item->GetBounds(), &overlap) || !Meets(GetBounds(), item->GetBounds(), &overlap)) continue;
    if (!item->Paint(dc, area, stop)) return false;
  }
  return true;
}

bool CContainerUI::PaintScrollBars(HDC dc, const RECT& area, CControlUI* stop) {
  RECT overlap;
  for (CScrollBarUI* bar : {vbar_.get(), hbar_.get()}) {
    if (bar == nullptr) continue;
    if (bar == stop) return false;
    if (!bar->IsVisible() || !Meets(area, bar->GetBounds(), &overlap)) continue;
    if (!bar->Paint(dc, area, stop)) return false;
  }
  return true;
}

}  // namespace SkinUI
