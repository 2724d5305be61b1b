#include "skinui/control/progress_ui.h"

#include <algorithm>
#include <cwchar>

#include "skinui/core/markup/attribute_values.h"
#include "skinui/render/render_ui.h"

namespace SkinUI {

namespace {

constexpr int kBarHeight = 12;

bool Is(const wchar_t* name, const wchar_t* known) { return std::wcscmp(name, known) == 0; }

}  // namespace

CProgressUI::CProgressUI() {
  SetTextStyle(DT_SINGLELINE | DT_CENTER);
  SetAssignedHeight(kBarHeight);
}

void* CProgressUI::FindInterface(const wchar_t* name) {
  if (Is(name, L"Progress")) return this;
  return CLabelUI::FindInterface(name);
}

void CProgressUI::SetHorizontal(bool horizontal) {
  horizontal_ = horizontal;
  Invalidate();
}

void CProgressUI::SetMinimum(int value) {
  min_ = value;
  Invalidate();
}

void CProgressUI::SetMaximum(int value) {
  max_ = value;
  Invalidate();
}

void CProgressUI::SetValue(int value) {
  value_ = std::clamp(value, min_, std::max(min_, max_));
  Invalidate();
}

void CProgressUI::SetForeColor(DWORD color) {
  foreColor_ = color;
  Invalidate();
}

void CProgressUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (Is(name, L"foreimage")) {
    SetForeImage(value);
  } else if (Is(name, L"forecolor")) {
    SetForeColor(ParseColor(value));
  } else if (Is(name, L"hor")) {
    SetHorizontal(ParseBool(value));
  } else if (Is(name, L"min")) {
    SetMinimum(ParseDecimal(value));
  } else if (Is(name, L"max")) {
    SetMaximum(ParseDecimal(value));
  } else if (Is(name, L"value")) {
    SetValue(ParseDecimal(value));
  } else {
    CLabelUI::ApplyAttribute(name, value);
  }
}

RECT CProgressUI::FilledPart(int width, int height) const {
  const int high = max_ > min_ ? max_ : min_ + 1;
  const long long range = high - min_;
  const long long value = std::clamp(value_, min_, high);
  if (horizontal_) return {0, 0, static_cast<LONG>(width * (value - min_) / range), height};
  return {0, static_cast<LONG>(height * (high - value) / range), width, height};
}

void CProgressUI::PaintStateImage(HDC dc) {
  const RECT& item = GetBounds();
  const RECT filled = FilledPart(GetWidth(), GetHeight());
  UIImageDesc& fore = GetForeImage();
  if (CRenderUI::DrawImage(nullptr, GetManager(), item, item, fore)) {
    fore.dest = filled;
    CRenderUI::DrawImage(dc, GetManager(), item, GetPaintRect(), fore);
  }
  if (foreColor_ == 0) return;
  // The filled part in window coordinates, limited to what is being painted.
  RECT fill{item.left + filled.left, item.top + filled.top, item.left + filled.right, item.top + filled.bottom};
  const RECT& paint = GetPaintRect();
  RECT visible{};
  if (::IntersectRect(&visible, &fill, &paint)) CRenderUI::FillColor(dc, visible, ApplyHslAdjust(foreColor_));
}

}  // namespace SkinUI
