#include "skinui/control/button_ui.h"

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <vector>

#include "skinui/control/hover_leave.h"
#include "skinui/core/markup/attribute_values.h"
#include "skinui/core/resources/resources.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/render/render_ui.h"

namespace SkinUI {

namespace {

// Frames of the standard image strip, left to right.
constexpr int kStandardFrames = 4;
constexpr int kFrameNormal = 0;
constexpr int kFrameHot = 1;
constexpr int kFramePushed = 2;
constexpr int kFrameDisabled = 3;
// Formatted multi-line buttons: each line's box and the distance between lines.
constexpr int kLineHeight = 14;
constexpr int kLineStep = 18;

struct ImageAttribute {
  const wchar_t* name;
  ButtonImage image;
};
constexpr ImageAttribute kImageAttributes[] = {
    {L"normalimage", ButtonImage::kNormal},     {L"hotimage", ButtonImage::kHot},
    {L"pushedimage", ButtonImage::kPushed},     {L"focusedimage", ButtonImage::kFocused},
    {L"disabledimage", ButtonImage::kDisabled}, {L"hotforeimage", ButtonImage::kHotFore},
    {L"standardimage", ButtonImage::kStandard}, {L"redFilePath", ButtonImage::kRed},
    {L"redFilePathEnlarge", ButtonImage::kRed},
};

struct ColorAttribute {
  const wchar_t* name;
  ButtonColor color;
};
constexpr ColorAttribute kColorAttributes[] = {
    {L"hotbkcolor", ButtonColor::kHotBk},           {L"pushbkcolor", ButtonColor::kPushedBk},
    {L"disabledbkcolor", ButtonColor::kDisabledBk}, {L"hottextcolor", ButtonColor::kHotText},
    {L"pushedtextcolor", ButtonColor::kPushedText}, {L"focusedtextcolor", ButtonColor::kFocusedText},
    {L"hotbordercolor", ButtonColor::kHotBorder},
};

bool Is(const wchar_t* name, const wchar_t* known) { return std::wcscmp(name, known) == 0; }

bool Inside(const RECT& rect, POINT point) { return ::PtInRect(&rect, point) != FALSE; }

}  // namespace

void* CButtonUI::FindInterface(const wchar_t* name) {
  if (Is(name, L"Button")) return this;
  return CLabelUI::FindInterface(name);
}

uint32_t CButtonUI::GetInputFlags() const {
  uint32_t flags = IsKeyboardEnabled() ? kInputTabStop : 0u;
  if (IsEnabled() && showCursor_) flags |= kInputSetCursor;
  return flags;
}

bool CButtonUI::Invoke() {
  if (!CLabelUI::Invoke()) return false;
  if (GetManager() != nullptr) GetManager()->SendNotification(this, L"click");
  return true;
}

void CButtonUI::SetImage(ButtonImage which, const wchar_t* description) {
  Image(which).Reset(description);
  Invalidate();
}

void CButtonUI::SetColor(ButtonColor which, DWORD color) {
  colors_[static_cast<size_t>(which)] = color;
  Invalidate();
}

void CButtonUI::SetStateBits(uint32_t bits, bool on) { state_ = on ? (state_ | bits) : (state_ & ~bits); }

void CButtonUI::HandleEvent(UIEvent& event) {
  if (IsMouseEvent(event.type) && !IsMouseEnabled()) {
    if (GetParent() != nullptr) GetParent()->HandleEvent(event);
    return;
  }
  CManagerUI* manager = GetManager();
  switch (event.type) {
    case kEventKeyDown:
      if ((event.keyCode != VK_SPACE && event.keyCode != VK_RETURN) || !IsKeyboardEnabled() || !IsEnabled()) break;
      Invoke();
      return;
    case kEventButtonDown:
    case kEventDoubleClick:
      OnPress(event);
      return;
    case kEventMouseMove:
      if ((state_ & kStateCaptured) != 0) {
        const bool inside = Inside(GetBounds(), event.mousePos);
        if (inside != ((state_ & kStatePushed) != 0)) Invalidate();
        SetStateBits(kStatePushed, inside);
      }
      return;
    case kEventButtonUp:
      OnRelease(event);
      return;
    case kEventMouseEnter:
      OnEnter(event);
      return;
    case kEventMouseLeave:
      OnLeave(event);
      return;
    case kEventSetCursor:
      ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
      return;
    case kEventTimer:
      if (event.wParam != kFadeTimerId) break;
      OnFadeTick();
      return;
    case kEventRightButtonDown:
      if (manager != nullptr) manager->SendNotification(this, L"rightbuttondown");
      return;
    case kEventContextMenu:
      if (!IsMenuEnabled()) break;
      if (IsEnabled() && manager != nullptr) manager->SendNotification(this, L"menu", event.wParam, event.lParam);
      return;
    default:
      break;
  }
  CLabelUI::HandleEvent(event);
}

void CButtonUI::OnPress(UIEvent& event) {
  if (!Inside(GetBounds(), event.mousePos) || !IsEnabled()) return;
  SetStateBits(kStatePushed | kStateCaptured, true);
  Invalidate();
  if (event.type == kEventDoubleClick && GetManager() != nullptr) {
    GetManager()->SendNotification(this, L"doubblebuttonclick");
  }
}

void CButtonUI::OnRelease(UIEvent& event) {
  if ((state_ & kStateCaptured) == 0) return;
  SetStateBits(kStatePushed | kStateCaptured, false);
  Invalidate();
  if (Inside(GetBounds(), event.mousePos) && IsEnabled()) Invoke();
}

void CButtonUI::OnEnter(UIEvent& event) {
  if (!Inside(GetBounds(), event.mousePos) || !IsEnabled()) return;
  if ((state_ & kStateHot) == 0) {
    SetStateBits(kStateHot, true);
    Invalidate();
  }
  StartFade();
}

void CButtonUI::OnLeave(UIEvent& event) {
  if (!HoverEnds(*this, event.mousePos)) return;
  if (IsEnabled()) {
    SetStateBits(kStateHot, false);
    Invalidate();
  }
  StartFade();
}

void CButtonUI::StartFade() {
  if (fadeDelta_ != 0 && GetManager() != nullptr) GetManager()->SetTimer(this, kFadeTimerId, kFadeTimerElapse);
}

void CButtonUI::OnFadeTick() {
  const bool hot = (state_ & kStateHot) != 0;
  // Fading switched off meanwhile: straight to the end.
  const BYTE step = fadeDelta_ != 0 ? fadeDelta_ : 255;
  if (hot) {
    fadeAlpha_ = fadeAlpha_ > step ? static_cast<BYTE>(fadeAlpha_ - step) : 0;
  } else {
    fadeAlpha_ = 255 - fadeAlpha_ > step ? static_cast<BYTE>(fadeAlpha_ + step) : 255;
  }
  Invalidate();
  if ((hot && fadeAlpha_ == 0) || (!hot && fadeAlpha_ == 255)) GetManager()->KillTimer(this, kFadeTimerId);
}

void CButtonUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (ApplyImageAttribute(name, value) || ApplyColorAttribute(name, value)) return;
  if (Is(name, L"foreimage")) {
    SetForeImage(value);
  } else if (Is(name, L"fadedelta")) {
    SetFadeDelta(static_cast<BYTE>(std::clamp(ParseDecimal(value), 0, 255)));
  } else if (Is(name, L"showcursor")) {
    SetShowCursor(ParseBool(value));
  } else if (Is(name, L"showred")) {
    showRed_ = ParseBool(value);
    Invalidate();
  } else if (Is(name, L"drawmulline")) {
    drawMultiLine_ = ParseBool(value);
    Invalidate();
  } else {
    CLabelUI::ApplyAttribute(name, value);
  }
}

bool CButtonUI::ApplyImageAttribute(const wchar_t* name, const wchar_t* value) {
  for (const ImageAttribute& row : kImageAttributes) {
    if (!Is(name, row.name)) continue;
    SetImage(row.image, value);
    return true;
  }
  return false;
}

bool CButtonUI::ApplyColorAttribute(const wchar_t* name, const wchar_t* value) {
  for (const ColorAttribute& row : kColorAttributes) {
    if (!Is(name, row.name)) continue;
    SetColor(row.color, ParseColor(value));
    return true;
  }
  return false;
}

void CButtonUI::PaintStateBackColor(HDC dc) {
  SyncStateBits();
  DWORD color = 0;
  if ((state_ & kStateDisabled) != 0) {
    color = GetColor(ButtonColor::kDisabledBk);
  } else if ((state_ & kStatePushed) != 0) {
    color = GetColor(ButtonColor::kPushedBk);
  } else if ((state_ & kStateHot) != 0) {
    color = GetColor(ButtonColor::kHotBk);
  }
  if (color != 0) CRenderUI::FillColor(dc, GetPaintRect(), ApplyHslAdjust(color));
}

void CButtonUI::SyncStateBits() {
  SetStateBits(kStateFocused, IsFocused());
  SetStateBits(kStateDisabled, !IsEnabled());
}

void CButtonUI::PaintStateImage(HDC dc) {
  SyncStateBits();
  PaintButtonImages(dc, false);
}

void CButtonUI::PaintButtonImages(HDC dc, bool ignorePushed) {
  if (!PaintStateFrame(dc, ignorePushed)) return;
  DrawStateImage(dc, GetForeImage());
  if (showRed_) DrawStateImage(dc, Image(ButtonImage::kRed));
}

bool CButtonUI::PaintStateFrame(HDC dc, bool ignorePushed) {
  if ((state_ & kStateDisabled) != 0) {
    if (!DrawStateImage(dc, Image(ButtonImage::kDisabled)) && !DrawStandardFrame(dc, kFrameDisabled)) PaintNormal(dc);
    return true;
  }
  if (!ignorePushed && (state_ & kStatePushed) != 0) {
    if (!DrawStateImage(dc, Image(ButtonImage::kPushed)) && !DrawStandardFrame(dc, kFramePushed)) {
      DrawStateImage(dc, Image(ButtonImage::kNormal));
    }
    return !DrawStateImage(dc, Image(ButtonImage::kPushedFore));
  }
  if ((state_ & kStateHot) != 0) {
    if (fadeDelta_ != 0) {
      if (fadeAlpha_ != 0) DrawStateImage(dc, Image(ButtonImage::kNormal), fadeAlpha_);
      DrawStateImage(dc, Image(ButtonImage::kHot), static_cast<BYTE>(255 - fadeAlpha_));
    } else if (!DrawStateImage(dc, Image(ButtonImage::kHot)) && !DrawStandardFrame(dc, kFrameHot)) {
      DrawStateImage(dc, Image(ButtonImage::kNormal));
    }
    return !DrawStateImage(dc, Image(ButtonImage::kHotFore));
  }
  if ((state_ & kStateFocused) != 0 && DrawStateImage(dc, Image(ButtonImage::kFocused))) return true;
  PaintNormal(dc);
  return true;
}

void CButtonUI::PaintNormal(HDC dc) {
  if (fadeDelta_ != 0) {
    if (fadeAlpha_ < 255) DrawStateImage(dc, Image(ButtonImage::kHot), static_cast<BYTE>(255 - fadeAlpha_));
    DrawStateImage(dc, Image(ButtonImage::kNormal), fadeAlpha_);
    return;
  }
  if (!DrawStateImage(dc, Image(ButtonImage::kNormal))) DrawStandardFrame(dc, kFrameNormal);
}

bool CButtonUI::DrawStateImage(HDC dc, UIImageDesc& desc, BYTE fade) {
  const RECT& item = GetBounds();
  // Loaded first, so that the description's own fade is known.
  if (!CRenderUI::DrawImage(nullptr, GetManager(), item, item, desc)) return false;
  const uint8_t own = desc.fade;
  desc.fade = static_cast<uint8_t>(own * fade / 255);
  CRenderUI::DrawImage(dc, GetManager(), item, GetPaintRect(), desc);
  desc.fade = own;
  return true;
}

bool CButtonUI::DrawStandardFrame(HDC dc, int frame) {
  UIImageDesc& desc = Image(ButtonImage::kStandard);
  const RECT& item = GetBounds();
  if (!CRenderUI::DrawImage(nullptr, GetManager(), item, item, desc)) return false;
  RECT source = desc.source;
  const int width = (source.right - source.left) / kStandardFrames;
  source.left += width * frame;
  source.right = source.left + width;
  CRenderUI::DrawImageSlices(dc, desc.image->bitmap.get(), item, GetPaintRect(), source, desc.corner,
                             desc.image->hasAlpha, desc.fade, desc.hole, desc.xTiled, desc.yTiled);
  return true;
}

void CButtonUI::PaintText(HDC dc) {
  if (GetManager() == nullptr || GetText().IsEmpty()) return;
  DWORD color = StateTextColor();
  if ((state_ & kStatePushed) != 0 && GetColor(ButtonColor::kPushedText) != 0) {
    color = GetColor(ButtonColor::kPushedText);
  } else if ((state_ & kStateHot) != 0 && GetColor(ButtonColor::kHotText) != 0) {
    color = GetColor(ButtonColor::kHotText);
  } else if ((state_ & kStateFocused) != 0 && GetColor(ButtonColor::kFocusedText) != 0) {
    color = GetColor(ButtonColor::kFocusedText);
  }
  PaintButtonText(dc, color);
}

void CButtonUI::PaintButtonText(HDC dc, DWORD color) {
  if (IsShowHtml() && drawMultiLine_) {
    CUIString text = GetText();
    TranslateText(text);
    if (text.Find(L"<n>") != CUIString::kNotFound) {
      PaintTextLines(dc, text, color);
      return;
    }
  }
  DrawLabelText(dc, TextRect(), GetText().GetData(), color, GetTextStyle());
}

void CButtonUI::PaintTextLines(HDC dc, const CUIString& text, DWORD color) {
  std::vector<CUIString> lines;
  for (size_t start = 0;;) {
    const size_t end = text.Find(L"<n>", start);
    if (end == CUIString::kNotFound) {
      lines.push_back(text.Mid(start));
      break;
    }
    lines.push_back(text.Mid(start, end - start));
    start = end + 3;
  }
  const RECT rect = TextRect();
  const int count = static_cast<int>(lines.size());
  int top = rect.top + (rect.bottom - rect.top - count * kLineStep + 4) / 2;
  for (const CUIString& line : lines) {
    DrawLabelText(dc, {rect.left, top, rect.right, top + kLineHeight}, line.GetData(), color, GetTextStyle());
    top += kLineStep;
  }
}

void CButtonUI::PaintBorder(HDC dc) {
  CLabelUI::PaintBorder(dc);
  const DWORD hot = GetColor(ButtonColor::kHotBorder);
  if ((state_ & kStateHot) == 0 || hot == 0) return;
  const int width = GetBorderSize().left > 0 ? GetBorderSize().left : 1;
  CRenderUI::DrawRect(dc, GetBounds(), width, ApplyHslAdjust(hot), GetBorderStyle());
}

}  // namespace SkinUI
