#include "skinui/layout/scroll_bar_ui.h"

#include "skinui/core/window/manager_ui.h"

#include <cwchar>

#include "skinui/core/markup/attribute_values.h"
#include "skinui/layout/container_ui.h"
#include "skinui/render/render_ui.h"

namespace SkinUI {

namespace {

bool Is(const wchar_t* name, const wchar_t* known) { return std::wcscmp(name, known) == 0; }

bool StartsWith(const wchar_t* text, const wchar_t* prefix, const wchar_t** rest) {
  size_t length = std::wcslen(prefix);
  if (std::wcsncmp(text, prefix, length) != 0) return false;
  *rest = text + length;
  return true;
}

LayoutRect ToLayout(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT ToRect(const LayoutRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// Attribute prefixes and default image files of the parts, in Part order.
constexpr const wchar_t* kPartNames[] = {L"button1", L"button2", L"thumb", L"rail", L"bk"};
constexpr const wchar_t* kPartFiles[] = {L"scroll_button1.png", L"scroll_button2.png", L"scroll_thumb.png",
                                         L"scroll_tail.png", L"scroll_back.png"};
// Attribute suffixes of the states, in State order.
constexpr const wchar_t* kStateNames[] = {L"normalimage", L"hotimage", L"pushedimage", L"disabledimage"};

}  // namespace

CScrollBarUI::CScrollBarUI() {
  SetAssignedWidth(kDefaultThickness);
  // The default images hold the four states as frames side by side; the
  // thumb keeps wider fixed corners than the buttons, rail and background.
  for (int part = 0; part < kPartCount; ++part) {
    int corner = part == kThumb ? 3 : 2;
    for (int state = 0; state < kStateCount; ++state) {
      wchar_t description[160];
      int left = state * kDefaultThickness;
      std::swprintf(description, sizeof description / sizeof description[0],
                    L"file='%ls' source='%d,0,%d,%d' corner='%d,%d,%d,%d' mask='#FFFF00FF'", kPartFiles[part], left,
                    left + kDefaultThickness, kDefaultThickness, corner, corner, corner, corner);
      images_[part][state].Reset(description);
    }
  }
}

void* CScrollBarUI::FindInterface(const wchar_t* name) {
  if (Is(name, L"ScrollBar")) return this;
  return CControlUI::FindInterface(name);
}

void CScrollBarUI::SetHorizontal(bool horizontal) {
  horizontal_ = horizontal;
  if (horizontal && GetAssignedHeight() == 0) {
    SetAssignedWidth(0);
    SetAssignedHeight(kDefaultThickness);
  } else if (!horizontal && GetAssignedWidth() == 0) {
    SetAssignedHeight(0);
    SetAssignedWidth(kDefaultThickness);
  }
  Invalidate();
}

void CScrollBarUI::SetScrollRange(int range) {
  range_ = range > 0 ? range : 0;
  position_ = ClampScrollPosition(position_, range_, scrollUnit_);
  Invalidate();
}

void CScrollBarUI::SetScrollPos(int position, bool notify) {
  int clamped = ClampScrollPosition(position, range_, scrollUnit_);
  if (clamped == position_) return;
  const int old = position_;
  position_ = clamped;
  Invalidate();
  if (!notify || GetManager() == nullptr) return;
  UINotify scroll;
  scroll.sender = this;
  scroll.type = L"scroll";
  scroll.wParam = static_cast<WPARAM>(position_);
  scroll.lParam = old;
  GetManager()->SendNotification(scroll, true, false);
}

void CScrollBarUI::SetShowButtons(bool first, bool second) {
  showButton1_ = first;
  showButton2_ = second;
  Invalidate();
}

ScrollBarParts CScrollBarUI::GetParts() const {
  return ScrollBarLayout(ToLayout(GetBounds()), horizontal_, showButton1_, showButton2_, range_, position_);
}

CScrollBarUI::Part CScrollBarUI::PartAt(POINT point) const {
  ScrollBarParts parts = GetParts();
  const RECT thumb = ToRect(parts.thumb);
  const RECT button1 = ToRect(parts.button1);
  const RECT button2 = ToRect(parts.button2);
  const RECT rail = ToRect(parts.rail);
  if (::PtInRect(&thumb, point)) return kThumb;
  if (::PtInRect(&button1, point)) return kButton1;
  if (::PtInRect(&button2, point)) return kButton2;
  if (::PtInRect(&rail, point)) return kRail;
  return kPartCount;
}

void CScrollBarUI::HandleEvent(UIEvent& event) {
  switch (event.type) {
    case kEventButtonDown:
    case kEventDoubleClick:
      if (IsEnabled()) Press(event.mousePos);
      return;
    case kEventButtonUp:
      pushed_ = kPartCount;
      Invalidate();
      return;
    case kEventMouseMove:
      if (pushed_ == kThumb) {
        Drag(event.mousePos);
      } else {
        SetHot(PartAt(event.mousePos));
      }
      return;
    case kEventMouseEnter:
      SetHot(PartAt(event.mousePos));
      return;
    case kEventMouseLeave:
      SetHot(kPartCount);
      return;
    default:
      CControlUI::HandleEvent(event);
      return;
  }
}

void CScrollBarUI::Press(POINT point) {
  pushed_ = PartAt(point);
  switch (pushed_) {
    case kButton1:
      Step(false, false);
      break;
    case kButton2:
      Step(true, false);
      break;
    case kThumb:
      dragStart_ = point;
      dragStartPosition_ = position_;
      dragParts_ = GetParts();
      break;
    case kRail: {
      LayoutRect thumb = GetParts().thumb;
      Step(horizontal_ ? point.x >= thumb.right : point.y >= thumb.bottom, true);
      break;
    }
    default:
      break;
  }
  Invalidate();
}

void CScrollBarUI::Drag(POINT point) {
  int delta = horizontal_ ? point.x - dragStart_.x : point.y - dragStart_.y;
  ScrollTo(ScrollPositionForDrag(dragParts_, horizontal_, range_, dragStartPosition_, delta));
}

void CScrollBarUI::Step(bool forward, bool page) {
  if (owner_ == nullptr) {
    LayoutRect rail = GetParts().rail;
    int step = page ? (horizontal_ ? rail.Width() : rail.Height()) : lineSize_;
    SetScrollPos(position_ + (forward ? step : -step));
    return;
  }
  if (horizontal_) {
    if (page) {
      forward ? owner_->PageRight() : owner_->PageLeft();
    } else {
      forward ? owner_->LineRight() : owner_->LineLeft();
    }
  } else if (page) {
    forward ? owner_->PageDown() : owner_->PageUp();
  } else {
    forward ? owner_->LineDown() : owner_->LineUp();
  }
}

void CScrollBarUI::ScrollTo(int position) {
  if (owner_ == nullptr) {
    SetScrollPos(position);
    return;
  }
  SIZE target = owner_->GetScrollPos();
  (horizontal_ ? target.cx : target.cy) = position;
  owner_->SetScrollPos(target);
}

void CScrollBarUI::SetHot(Part part) {
  if (hot_ == part) return;
  hot_ = part;
  Invalidate();
}

void CScrollBarUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (Is(name, L"hor")) {
    SetHorizontal(ParseBool(value));
  } else if (Is(name, L"linesize")) {
    SetLineSize(ParseDecimal(value));
  } else if (Is(name, L"range")) {
    SetScrollRange(ParseDecimal(value));
  } else if (Is(name, L"value")) {
    SetScrollPos(ParseDecimal(value));
  } else if (Is(name, L"scrollunit")) {
    SetScrollUnit(ParseDecimal(value));
  } else if (Is(name, L"showbutton1")) {
    SetShowButtons(ParseBool(value), showButton2_);
  } else if (Is(name, L"showbutton2")) {
    SetShowButtons(showButton1_, ParseBool(value));
  } else if (Is(name, L"button1color")) {
    button1Color_ = ParseColor(value);
    Invalidate();
  } else if (Is(name, L"button2color")) {
    button2Color_ = ParseColor(value);
    Invalidate();
  } else if (Is(name, L"thumbcolor")) {
    thumbColor_ = ParseColor(value);
    Invalidate();
  } else if (!ApplyImageAttribute(name, value)) {
    CControlUI::ApplyAttribute(name, value);
  }
}

bool CScrollBarUI::ApplyImageAttribute(const wchar_t* name, const wchar_t* value) {
  for (int part = 0; part < kPartCount; ++part) {
    const wchar_t* rest = nullptr;
    if (!StartsWith(name, kPartNames[part], &rest)) continue;
    for (int state = 0; state < kStateCount; ++state) {
      if (!Is(rest, kStateNames[state])) continue;
      images_[part][state].Reset(value);
      Invalidate();
      return true;
    }
  }
  return false;
}

CScrollBarUI::State CScrollBarUI::StateOf(Part part) const {
  if (!IsEnabled()) return kDisabled;
  if (pushed_ == part) return kPushed;
  if (hot_ == part) return kHot;
  return kNormal;
}

void CScrollBarUI::PaintStateImage(HDC dc) {
  ScrollBarParts parts = GetParts();
  PaintPart(dc, kBack, GetBounds(), 0);
  PaintPart(dc, kRail, ToRect(parts.rail), 0);
  if (showButton1_) PaintPart(dc, kButton1, ToRect(parts.button1), button1Color_);
  if (showButton2_) PaintPart(dc, kButton2, ToRect(parts.button2), button2Color_);
  PaintPart(dc, kThumb, ToRect(parts.thumb), thumbColor_);
}

void CScrollBarUI::PaintPart(HDC dc, Part part, const RECT& rect, DWORD color) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  if (color != 0) CRenderUI::FillColor(dc, rect, ApplyHslAdjust(color));
  State state = StateOf(part);
  if (CRenderUI::DrawImage(dc, GetManager(), rect, GetPaintRect(), images_[part][state])) return;
  if (state != kNormal) CRenderUI::DrawImage(dc, GetManager(), rect, GetPaintRect(), images_[part][kNormal]);
}

}  // namespace SkinUI
