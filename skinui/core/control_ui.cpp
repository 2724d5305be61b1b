#include "skinui/core/control_ui.h"

#include <algorithm>
#include <cwchar>

#include "skinui/core/markup/attribute_values.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/layout/layout_math.h"
#include "skinui/render/render_ui.h"

namespace SkinUI {

namespace {

// The window's hue, saturation and lightness shift: the neutral values, for
// which colour adjustment leaves every colour as it is.
constexpr int kWindowHue = 180;
constexpr int kWindowSaturation = 100;
constexpr int kWindowLightness = 100;

bool Is(const wchar_t* name, const wchar_t* known) { return std::wcscmp(name, known) == 0; }

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT Normalised(const RECT& r) { return {r.left, r.top, std::max(r.left, r.right), std::max(r.top, r.bottom)}; }

RECT Union(const RECT& a, const RECT& b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

// The overlap of a and b; false (and an empty result) when they do not meet.
bool Intersect(const RECT& a, const RECT& b, RECT* out) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (IsEmpty(r)) {
    *out = RECT{};
    return false;
  }
  *out = r;
  return true;
}

RECT ParseRect(const wchar_t* value) {
  int v[4];
  ParseDecimals(value, v, 4);
  return {v[0], v[1], v[2], v[3]};
}

SIZE ParseSize(const wchar_t* value) {
  int v[2];
  ParseDecimals(value, v, 2);
  return {v[0], v[1]};
}

}  // namespace

void ControlDeleter::operator()(CControlUI* control) const {
  if (control != nullptr) control->DeleteSelf();
}

CControlUI::CControlUI() = default;

void CControlUI::DeleteSelf() {
  if (manager_ != nullptr) manager_->RemoveMouseLeaveNeeded(this);
  delete this;
}

CControlUI::~CControlUI() {
  cover_.reset();
  if (!OnDestroy.IsEmpty()) OnDestroy(this);
  if (manager_ != nullptr) manager_->ForgetControl(this);
}

void CControlUI::SetName(const wchar_t* name) {
  if (name_ == name) return;
  name_ = name;
  if (manager_ != nullptr) manager_->UpdateNameIndex(this, name);
}

void* CControlUI::FindInterface(const wchar_t* name) { return Is(name, L"Control") ? this : nullptr; }

bool CControlUI::Invoke() { return IsVisible() && IsEnabled(); }

void CControlUI::AttachManager(CManagerUI* manager, CControlUI* parent, bool initialise) {
  if (cover_ != nullptr) cover_->AttachManager(manager, this, initialise);
  manager_ = manager;
  parent_ = parent;
  if (initialise && parent != nullptr) Init();
}

void CControlUI::SetCover(CControlUI* cover) {
  cover_.reset(cover);
  if (cover == nullptr) return;
  cover->AttachManager(manager_, this, manager_ != nullptr);
  if (!IsVisible()) cover->SetShownByParent(false);
}

void CControlUI::SetText(const wchar_t* text) {
  if (text_ == text) return;
  text_ = text;
  RequestParentLayout();
}

RECT CControlUI::GetBoundsInParent() const {
  if (parent_ == nullptr) return RECT{};
  const RECT& outer = parent_->GetBounds();
  return {item_.left - outer.left, item_.top - outer.top, item_.right - outer.left, item_.bottom - outer.top};
}

void CControlUI::SetBounds(const RECT& rect, bool invalidate) {
  RECT next = Normalised(rect);
  RECT old = IsEmpty(item_) ? next : item_;
  if (floating_ && parent_ != nullptr) {
    const RECT& outer = parent_->GetBounds();
    item_ = {next.left + outer.left, next.top + outer.top, next.right + outer.left, next.bottom + outer.top};
    LayoutSize parentSize{outer.right - outer.left, outer.bottom - outer.top};
    FloatAnchors anchors{anchors_.left, anchors_.top, anchors_.right, anchors_.bottom};
    FloatGeometry g = FloatFromRect({next.left, next.top, next.right, next.bottom}, anchors, parentSize);
    floatOrigin_ = {g.origin.x, g.origin.y};
    assigned_ = {g.size.cx, g.size.cy};
  } else {
    item_ = next;
  }
  if (manager_ == nullptr) return;
  if (!inSizeHook_) {
    inSizeHook_ = true;
    OnSize(this);
    inSizeHook_ = false;
  }
  updateNeeded_ = false;
  if (invalidate && IsVisible()) InvalidateClipped(Union(old, item_));
  PlaceCover();
}

void CControlUI::PlaceCover() {
  if (cover_ == nullptr || !cover_->IsVisible()) return;
  CControlUI& cover = *cover_;
  if (cover.IsFloat()) {
    LayoutChild child;
    child.floatOrigin = {cover.floatOrigin_.x, cover.floatOrigin_.y};
    child.assigned = {cover.assigned_.cx, cover.assigned_.cy};
    child.anchors = {cover.anchors_.left, cover.anchors_.top, cover.anchors_.right, cover.anchors_.bottom};
    LayoutRect r = PlaceFloat(child, {GetWidth(), GetHeight()});
    cover.SetBounds({r.left, r.top, r.right, r.bottom}, false);
    return;
  }
  int width = ClampSize(GetWidth(), cover.GetMinWidth(), cover.GetMaxWidth());
  int height = ClampSize(GetHeight(), cover.GetMinHeight(), cover.GetMaxHeight());
  cover.SetBounds({item_.left, item_.top, item_.left + width, item_.top + height}, false);
}

void CControlUI::MoveBy(int dx, int dy, bool invalidate) {
  RECT old = item_;
  item_ = {item_.left + dx, item_.top + dy, item_.right + dx, item_.bottom + dy};
  if (invalidate && manager_ != nullptr && IsVisible()) InvalidateClipped(Union(old, item_));
  if (cover_ != nullptr && cover_->IsVisible()) cover_->MoveBy(dx, dy, false);
}

void CControlUI::SetPadding(const RECT& padding) {
  padding_ = padding;
  RequestParentLayout();
}

void CControlUI::SetFloatOrigin(POINT origin) {
  floatOrigin_ = origin;
  RequestParentLayout();
}

void CControlUI::SetFloatAnchors(const UIFloatAnchors& anchors) {
  anchors_ = anchors;
  RequestParentLayout();
}

void CControlUI::SetAssignedWidth(int width) {
  if (width < 0) return;
  assigned_.cx = width;
  RequestParentLayout();
}

void CControlUI::SetAssignedHeight(int height) {
  if (height < 0) return;
  assigned_.cy = height;
  RequestParentLayout();
}

void CControlUI::SetMinWidth(int width) {
  if (width < 0 || width == minSize_.cx) return;
  minSize_.cx = width;
  RequestParentLayout();
}

int CControlUI::GetMaxWidth() const { return std::max(maxSize_.cx, minSize_.cx); }

void CControlUI::SetMaxWidth(int width) {
  if (width < 0 || width == maxSize_.cx) return;
  maxSize_.cx = width;
  RequestParentLayout();
}

void CControlUI::SetMinHeight(int height) {
  if (height < 0 || height == minSize_.cy) return;
  minSize_.cy = height;
  RequestParentLayout();
}

int CControlUI::GetMaxHeight() const { return std::max(maxSize_.cy, minSize_.cy); }

void CControlUI::SetMaxHeight(int height) {
  if (height < 0 || height == maxSize_.cy) return;
  maxSize_.cy = height;
  RequestParentLayout();
}

void CControlUI::SetToolTip(const wchar_t* text) {
  toolTip_ = text;
  toolTip_.Replace(L"<n>", L"\r\n");
}

void CControlUI::SetVisible(bool visible) { ChangeVisible(visible, false); }

void CControlUI::SetVisibleKeepFocus(bool visible) { ChangeVisible(visible, true); }

void CControlUI::ChangeVisible(bool visible, bool keepFocus) {
  if (visible_ == visible) return;
  bool wasVisible = IsVisible();
  visible_ = visible;
  if (!keepFocus) {
    focused_ = false;
    if (!visible) DropFocus();
  }
  if (IsVisible() != wasVisible) RequestParentLayout();
  if (cover_ != nullptr) cover_->SetShownByParent(IsVisible());
}

void CControlUI::DropFocus() {
  if (manager_ != nullptr && manager_->GetFocus() == this) manager_->SetFocus(nullptr, false);
}

void CControlUI::SetShownByParent(bool shown) {
  shownByParent_ = shown;
  if (!shown) DropFocus();
  if (cover_ != nullptr) cover_->SetShownByParent(IsVisible());
}

void CControlUI::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Invalidate();
}

void CControlUI::SetFocus() {
  if (manager_ != nullptr) manager_->SetFocus(this);
}

void CControlUI::SetFloat(bool floating) {
  if (floating_ == floating) return;
  floating_ = floating;
  RequestParentLayout();
}

CControlUI* CControlUI::FindInTree(FindCallback callback, void* data, uint32_t flags) {
  if ((flags & kFindVisible) != 0 && !IsVisible()) return nullptr;
  if ((flags & kFindEnabled) != 0 && !IsEnabled()) return nullptr;
  bool hitTest = (flags & kFindHitTest) != 0;
  if (hitTest && !::PtInRect(&item_, *static_cast<const POINT*>(data))) return nullptr;
  if ((flags & kFindUpdateTest) != 0 && callback(this, data) != nullptr) return nullptr;
  bool testSelf = !hitTest || mouseEnabled_;
  if ((flags & kFindMeFirst) != 0 && testSelf) {
    if (CControlUI* found = callback(this, data)) return found;
  }
  if (cover_ != nullptr) {
    if (CControlUI* found = cover_->FindInTree(callback, data, flags)) return found;
  }
  if ((flags & kFindMeFirst) == 0 && testSelf) return callback(this, data);
  return nullptr;
}

void CControlUI::Init() {
  InitSelf();
  OnInit(this);
}

void CControlUI::DispatchEvent(UIEvent& event) {
  if (OnEvent(&event)) HandleEvent(event);
}

void CControlUI::HandleEvent(UIEvent& event) {
  switch (event.type) {
    case kEventKillFocus:
      focused_ = false;
      Invalidate();
      return;
    case kEventSetFocus:
      focused_ = true;
      Invalidate();
      return;
    case kEventSetCursor:
      ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
      return;
    case kEventTimer:
      if (manager_ != nullptr) manager_->SendNotification(this, L"timer", event.wParam, event.lParam);
      return;
    case kEventContextMenu:
      if (menuEnabled_ && manager_ != nullptr) {
        manager_->SendNotification(this, L"menu", event.wParam, event.lParam);
        return;
      }
      break;
    default:
      break;
  }
  if (parent_ != nullptr) parent_->HandleEvent(event);
}

void CControlUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (ApplyGeometryAttribute(name, value) || ApplyLookAttribute(name, value) || ApplyStateAttribute(name, value)) {
    return;
  }
  StoreExtraAttribute(name, value);
}

bool CControlUI::ApplyGeometryAttribute(const wchar_t* name, const wchar_t* value) {
  if (Is(name, L"pos")) {
    RECT r = ParseRect(value);
    SetFloatOrigin({r.left, r.top});
    SetAssignedWidth(r.right - r.left);
    SetAssignedHeight(r.bottom - r.top);
  } else if (Is(name, L"padding")) {
    SetPadding(ParseRect(value));
  } else if (Is(name, L"width")) {
    SetAssignedWidth(ParseDecimal(value));
  } else if (Is(name, L"height")) {
    SetAssignedHeight(ParseDecimal(value));
  } else if (Is(name, L"minwidth")) {
    SetMinWidth(ParseDecimal(value));
  } else if (Is(name, L"minheight")) {
    SetMinHeight(ParseDecimal(value));
  } else if (Is(name, L"maxwidth")) {
    SetMaxWidth(ParseDecimal(value));
  } else if (Is(name, L"maxheight")) {
    SetMaxHeight(ParseDecimal(value));
  } else if (Is(name, L"float")) {
    ApplyFloatAttribute(value);
  } else {
    return false;
  }
  return true;
}

void CControlUI::ApplyFloatAttribute(const wchar_t* value) {
  if (!Contains(value, L',')) {
    SetFloat(ParseBool(value));
    return;
  }
  double v[4];
  ParseFractions(value, v, 4);
  SetFloatAnchors({v[0], v[1], v[2], v[3]});
  SetFloat(true);
}

bool CControlUI::ApplyLookAttribute(const wchar_t* name, const wchar_t* value) {
  if (Is(name, L"bkcolor") || Is(name, L"bkcolor1")) {
    SetBkColor(ParseColor(value));
  } else if (Is(name, L"bkcolor2")) {
    SetBkColor2(ParseColor(value));
  } else if (Is(name, L"bkcolor3")) {
    SetBkColor3(ParseColor(value));
  } else if (Is(name, L"bordercolor")) {
    SetBorderColor(ParseColor(value));
  } else if (Is(name, L"focusbordercolor")) {
    SetFocusBorderColor(ParseColor(value));
  } else if (Is(name, L"colorhsl")) {
    SetColorHsl(ParseBool(value));
  } else if (Is(name, L"bordersize")) {
    if (Contains(value, L',')) {
      SetBorderSize(ParseRect(value));
    } else {
      int size = ParseDecimal(value);
      SetBorderSize({size, size, size, size});
    }
  } else if (Is(name, L"borderstyle")) {
    SetBorderStyle(ParseDecimal(value));
  } else if (Is(name, L"borderround")) {
    SetBorderRound(ParseSize(value));
  } else if (Is(name, L"bkimage")) {
    SetBackImage(value);
  } else {
    return false;
  }
  return true;
}

bool CControlUI::ApplyStateAttribute(const wchar_t* name, const wchar_t* value) {
  if (Is(name, L"name")) {
    SetName(value);
  } else if (Is(name, L"text")) {
    SetText(value);
  } else if (Is(name, L"tooltip")) {
    SetToolTip(value);
  } else if (Is(name, L"userdata")) {
    SetUserData(value);
  } else if (Is(name, L"tag")) {
    SetTag(ParseDecimal(value));
  } else if (Is(name, L"enabled")) {
    SetEnabled(ParseBool(value));
  } else if (Is(name, L"mouse")) {
    SetMouseEnabled(ParseBool(value));
  } else if (Is(name, L"keyboard")) {
    SetKeyboardEnabled(ParseBool(value));
  } else if (Is(name, L"visible")) {
    SetVisible(ParseBool(value));
  } else if (Is(name, L"shortcut")) {
    SetShortcut(value[0]);
  } else if (Is(name, L"menu")) {
    SetMenuEnabled(ParseBool(value));
  } else if (Is(name, L"virtualwnd")) {
    SetVirtualWnd(value);
  } else {
    return false;
  }
  return true;
}

void CControlUI::ApplyAttributes(const wchar_t* list) {
  CAttributeListReader reader(list);
  CUIString name;
  CUIString value;
  while (reader.Next(name, value)) ApplyAttribute(name.GetData(), value.GetData());
}

SIZE CControlUI::Measure(SIZE available) {
  static_cast<void>(available);
  return assigned_;
}

bool CControlUI::Paint(HDC dc, const RECT& area, CControlUI* stop) {
  if (this == stop) return false;
  if (!Intersect(area, item_, &paintRect_)) return true;
  if (!OnPaint.IsEmpty() && !OnPaint(this)) return true;
  if (!PaintSelf(dc, area, stop)) return false;
  if (cover_ != nullptr) return cover_->Paint(dc, area, nullptr);
  return true;
}

bool CControlUI::PaintSelf(HDC dc, const RECT& area, CControlUI* stop) {
  static_cast<void>(area);
  static_cast<void>(stop);
  auto steps = [&] {
    PaintBackColor(dc);
    PaintStateBackColor(dc);
    PaintBackImage(dc);
    PaintStateImage(dc);
    PaintText(dc);
    PaintBorder(dc);
  };
  if (borderRound_.cx != 0 || borderRound_.cy != 0) {
    CRenderClip clip = CRenderUI::MakeRoundClip(dc, paintRect_, item_, borderRound_.cx, borderRound_.cy);
    steps();
  } else {
    steps();
  }
  return true;
}

void CControlUI::PaintBackColor(HDC dc) {
  if (bkColor_ == 0) return;
  DWORD first = ApplyHslAdjust(bkColor_);
  if (bkColor2_ == 0) {
    CRenderUI::FillColor(dc, (first >> 24) == 0xFF ? paintRect_ : item_, first);
    return;
  }
  DWORD second = ApplyHslAdjust(bkColor2_);
  if (bkColor3_ == 0) {
    CRenderUI::FillGradient(dc, item_, first, second, true, 16);
    return;
  }
  RECT upper = item_;
  upper.bottom = item_.top + (item_.bottom - item_.top) / 2;
  RECT lower = item_;
  lower.top = upper.bottom;
  CRenderUI::FillGradient(dc, upper, first, second, true, 8);
  CRenderUI::FillGradient(dc, lower, second, ApplyHslAdjust(bkColor3_), true, 8);
}

void CControlUI::PaintBackImage(HDC dc) {
  if (bkColor_ != 0) return;
  CRenderUI::DrawImage(dc, manager_, item_, paintRect_, bkImage_);
}

void CControlUI::PaintBorder(HDC dc) {
  if (borderSize_.left <= 0 || (borderColor_ == 0 && focusBorderColor_ == 0)) return;
  DWORD color = ApplyHslAdjust(focused_ && focusBorderColor_ != 0 ? focusBorderColor_ : borderColor_);
  if (borderRound_.cx != 0 || borderRound_.cy != 0) {
    CRenderUI::DrawRoundRect(dc, item_, borderSize_.left, borderRound_.cx, borderRound_.cy, color, borderStyle_);
  } else if (borderSize_.left == borderSize_.top && borderSize_.left == borderSize_.right &&
             borderSize_.left == borderSize_.bottom) {
    CRenderUI::DrawRect(dc, item_, borderSize_.left, color, borderStyle_);
  } else {
    PaintBorderLines(dc, color);
  }
}

void CControlUI::PaintBorderLines(HDC dc, DWORD color) {
  const RECT& b = borderSize_;
  const RECT& r = item_;
  int x = r.left + b.left / 2;
  CRenderUI::DrawLine(dc, {x, r.top, x, r.bottom}, b.left, color, borderStyle_);
  int innerLeft = r.left + b.left;
  int innerRight = r.right - b.right;
  if (b.top > 0) {
    int y = r.top + b.top / 2;
    CRenderUI::DrawLine(dc, {innerLeft, y, innerRight, y}, b.top, color, borderStyle_);
  }
  // Right and bottom are exclusive edges: centred at right - size/2 a line of
  // odd width reaches one pixel outside (a 1-pixel line entirely), so the
  // centre moves in by half a pixel more.
  if (b.right > 0) {
    int xr = r.right - (b.right + 1) / 2;
    CRenderUI::DrawLine(dc, {xr, r.top, xr, r.bottom}, b.right, color, borderStyle_);
  }
  if (b.bottom > 0) {
    int y = r.bottom - (b.bottom + 1) / 2;
    CRenderUI::DrawLine(dc, {innerLeft, y, innerRight, y}, b.bottom, color, borderStyle_);
  }
}

void CControlUI::PaintOverlay(HDC dc, const RECT& area) {
  static_cast<void>(dc);
  static_cast<void>(area);
  OnPostPaint(this);
}

void CControlUI::Invalidate() {
  if (!IsVisible()) return;
  InvalidateClipped(item_);
}

void CControlUI::InvalidateClipped(RECT rect) const {
  if (manager_ == nullptr) return;
  for (const CControlUI* up = parent_; up != nullptr; up = up->parent_) {
    if (!up->IsVisible()) return;
    if (!Intersect(rect, up->item_, &rect)) return;
  }
  if (!IsEmpty(rect)) manager_->Invalidate(rect);
}

void CControlUI::RequestLayout() {
  if (!IsVisible()) return;
  updateNeeded_ = true;
  Invalidate();
  if (manager_ != nullptr) manager_->RequestLayout();
}

void CControlUI::RequestParentLayout() {
  if (parent_ != nullptr) {
    parent_->RequestLayout();
    parent_->Invalidate();
  } else {
    RequestLayout();
  }
  if (manager_ != nullptr) manager_->RequestLayout();
}

void CControlUI::SetVirtualWnd(const wchar_t* name) {
  virtualWnd_ = name;
  if (manager_ != nullptr) manager_->UsesVirtualWnd(true);
}

const CUIString& CControlUI::GetVirtualWnd() const {
  if (!virtualWnd_.IsEmpty() || parent_ == nullptr) return virtualWnd_;
  return parent_->GetVirtualWnd();
}

void CControlUI::StoreExtraAttribute(const wchar_t* name, const wchar_t* value) {
  if (extraAttributes_ == nullptr) extraAttributes_ = std::make_unique<CStringMapUI<CUIString>>();
  extraAttributes_->Set(name, CUIString(value));
}

CUIString CControlUI::GetExtraAttribute(const wchar_t* name) const {
  if (extraAttributes_ == nullptr) return CUIString();
  const CUIString* found = extraAttributes_->Find(name);
  return found != nullptr ? *found : CUIString();
}

void CControlUI::SetBkColor(DWORD color) {
  bkColor_ = color;
  Invalidate();
}

void CControlUI::SetBkColor2(DWORD color) {
  bkColor2_ = color;
  Invalidate();
}

void CControlUI::SetBkColor3(DWORD color) {
  bkColor3_ = color;
  Invalidate();
}

void CControlUI::SetBorderColor(DWORD color) {
  borderColor_ = color;
  Invalidate();
}

void CControlUI::SetFocusBorderColor(DWORD color) {
  focusBorderColor_ = color;
  Invalidate();
}

void CControlUI::SetColorHsl(bool on) {
  colorHsl_ = on;
  Invalidate();
}

void CControlUI::SetBorderSize(const RECT& sizes) {
  borderSize_ = sizes;
  Invalidate();
}

void CControlUI::SetBorderStyle(int style) {
  borderStyle_ = style;
  Invalidate();
}

void CControlUI::SetBorderRound(SIZE round) {
  borderRound_ = round;
  Invalidate();
}

void CControlUI::SetBackImage(const wchar_t* description) {
  if (bkImage_.description == description && bkImage_.image != nullptr) return;
  bkImage_.Reset(description);
  if (LoadImageNow(bkImage_) && floating_ && assigned_.cx == 0 && assigned_.cy == 0) {
    SetAssignedWidth(bkImage_.image->width);
    SetAssignedHeight(bkImage_.image->height);
  }
  Invalidate();
}

void CControlUI::SetForeImage(const wchar_t* description) {
  if (foreImage_.description == description && foreImage_.image != nullptr) return;
  foreImage_.Reset(description);
  LoadImageNow(foreImage_);
  Invalidate();
}

bool CControlUI::LoadImageNow(UIImageDesc& desc) {
  if (manager_ == nullptr) return false;
  return CRenderUI::DrawImage(nullptr, manager_, item_, item_, desc) && desc.image != nullptr;
}

DWORD CControlUI::ApplyHslAdjust(DWORD color) const {
  if (!colorHsl_) return color;
  return CRenderUI::AdjustColor(color, kWindowHue, kWindowSaturation, kWindowLightness);
}

}  // namespace SkinUI
