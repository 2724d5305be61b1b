#include "skinui/control/label_ui.h"

#include <cwchar>

#include "skinui/core/markup/attribute_values.h"
#include "skinui/core/resources/resources.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/render/render_ui.h"

namespace SkinUI {

namespace {

constexpr UINT kHorizontalFlags = DT_LEFT | DT_CENTER | DT_RIGHT;
constexpr UINT kVerticalFlags = DT_TOP | DT_VCENTER | DT_BOTTOM;
// Room a single line gets above and below its glyphs.
constexpr int kLineSpacing = 8;
// The extent text is measured in before it is cut to what it uses.
constexpr int kMeasureExtent = 9999;
// Fuzziness values below this are taken as a slip and leave the glow as it is.
constexpr float kMinimumFuzzy = 0.0001f;

bool Is(const wchar_t* name, const wchar_t* known) { return std::wcscmp(name, known) == 0; }

bool Has(const wchar_t* value, const wchar_t* word) { return std::wcsstr(value, word) != nullptr; }

int Width(const RECT& r) { return r.right - r.left; }

}  // namespace

void* CLabelUI::FindInterface(const wchar_t* name) {
  if (Is(name, L"Label")) return this;
  return CControlUI::FindInterface(name);
}

void CLabelUI::SetText(const wchar_t* text) {
  if (GetText() == text) return;
  needEstimate_ = true;
  CControlUI::SetText(text);
}

void CLabelUI::SetAssignedWidth(int width) {
  needEstimate_ = true;
  CControlUI::SetAssignedWidth(width);
}

void CLabelUI::SetAssignedHeight(int height) {
  needEstimate_ = true;
  CControlUI::SetAssignedHeight(height);
}

void CLabelUI::SetTextStyle(UINT style) {
  textStyle_ = style;
  needEstimate_ = true;
  Invalidate();
}

void CLabelUI::ChangeStyle(UINT clear, UINT set) { SetTextStyle((textStyle_ & ~clear) | set); }

void CLabelUI::SetTextColor(DWORD color) {
  textColor_ = color;
  Invalidate();
}

void CLabelUI::SetDisabledTextColor(DWORD color) {
  disabledTextColor_ = color;
  Invalidate();
}

void CLabelUI::SetFont(int index) {
  font_ = index;
  needEstimate_ = true;
  Invalidate();
}

void CLabelUI::SetTextPadding(const RECT& padding) {
  textPadding_ = padding;
  needEstimate_ = true;
  Invalidate();
}

void CLabelUI::SetShowHtml(bool show) {
  if (showHtml_ == show) return;
  showHtml_ = show;
  needEstimate_ = true;
  Invalidate();
}

void CLabelUI::SetMultiLine(bool multiLine) {
  if (multiLine) {
    ChangeStyle(DT_SINGLELINE, DT_WORDBREAK);
  } else {
    ChangeStyle(DT_WORDBREAK, DT_SINGLELINE);
  }
}

void CLabelUI::SetMinWidthEx(int width) {
  minWidthEx_ = width;
  RequestParentLayout();
}

void CLabelUI::SetMaxWidthEx(int width) {
  maxWidthEx_ = width;
  RequestParentLayout();
}

void CLabelUI::SetEffectEnabled(bool on) {
  effects_ = on;
  Invalidate();
}

void CLabelUI::SetShadowOffset(int offset, int angle) {
  if (angle < -180 || angle > 180) return;
  // The displacement depends on the offset and the angle alone, not on where
  // the label happens to sit in the window when the value is applied.
  effect_.shadowOffset.cx = angle >= 0 ? -offset : (angle == -180 ? 0 : offset);
  effect_.shadowOffset.cy = angle > -90 && angle <= 90 ? -offset : (angle == -90 ? 0 : offset);
  Invalidate();
}

void CLabelUI::HandleEvent(UIEvent& event) {
  if (event.type == kEventSetFocus || event.type == kEventKillFocus) {
    SetFocusedFlag(event.type == kEventSetFocus);
    return;
  }
  CControlUI::HandleEvent(event);
}

void CLabelUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (ApplyTextAttribute(name, value) || ApplyEffectAttribute(name, value)) return;
  CControlUI::ApplyAttribute(name, value);
}

bool CLabelUI::ApplyTextAttribute(const wchar_t* name, const wchar_t* value) {
  if (Is(name, L"align")) {
    ApplyAlign(value);
  } else if (Is(name, L"valign")) {
    ApplyVAlign(value);
  } else if (Is(name, L"endellipsis")) {
    ParseBool(value) ? ChangeStyle(0, DT_END_ELLIPSIS) : ChangeStyle(DT_END_ELLIPSIS, 0);
  } else if (Is(name, L"font")) {
    SetFont(ParseDecimal(value));
  } else if (Is(name, L"textcolor")) {
    SetTextColor(ParseColor(value));
  } else if (Is(name, L"disabledtextcolor")) {
    SetDisabledTextColor(ParseColor(value));
  } else if (Is(name, L"textpadding")) {
    int v[4];
    ParseDecimals(value, v, 4);
    SetTextPadding({v[0], v[1], v[2], v[3]});
  } else if (Is(name, L"multiline")) {
    SetMultiLine(ParseBool(value));
  } else if (Is(name, L"showhtml")) {
    SetShowHtml(ParseBool(value));
  } else if (Is(name, L"minwidthex")) {
    SetMinWidthEx(ParseDecimal(value));
  } else if (Is(name, L"maxwidthex")) {
    SetMaxWidthEx(ParseDecimal(value));
  } else {
    return false;
  }
  return true;
}

void CLabelUI::ApplyAlign(const wchar_t* value) {
  if (Has(value, L"left")) {
    ChangeStyle(kHorizontalFlags, DT_LEFT);
  } else if (Has(value, L"center")) {
    ChangeStyle(kHorizontalFlags, DT_CENTER);
  } else if (Has(value, L"right")) {
    ChangeStyle(kHorizontalFlags, DT_RIGHT);
  }
}

void CLabelUI::ApplyVAlign(const wchar_t* value) {
  if (Has(value, L"top")) {
    ChangeStyle(kVerticalFlags, DT_TOP);
  } else if (Has(value, L"vcenter")) {
    ChangeStyle(kVerticalFlags, DT_VCENTER);
  } else if (Has(value, L"bottom")) {
    ChangeStyle(kVerticalFlags, DT_BOTTOM);
  }
}

bool CLabelUI::ApplyEffectAttribute(const wchar_t* name, const wchar_t* value) {
  if (Is(name, L"enabledeffect")) {
    SetEffectEnabled(ParseBool(value));
  } else if (Is(name, L"enabledluminous")) {
    effect_.luminous = ParseBool(value);
  } else if (Is(name, L"enabledstroke")) {
    effect_.stroke = ParseBool(value);
  } else if (Is(name, L"enabledshadow")) {
    effect_.shadow = ParseBool(value);
  } else if (Is(name, L"luminousfuzzy")) {
    const float fuzzy = static_cast<float>(std::wcstod(value, nullptr));
    if (fuzzy >= kMinimumFuzzy) effect_.luminousFuzzy = fuzzy;
  } else if (Is(name, L"gradientangle")) {
    effect_.gradientAngle = ParseDecimal(value);
  } else if (Is(name, L"gradientlength")) {
    effect_.gradientLength = ParseDecimal(value);
  } else if (Is(name, L"shadowoffset")) {
    int v[2];
    ParseDecimals(value, v, 2);
    SetShadowOffset(v[0], v[1]);
  } else if (Is(name, L"textcolor1")) {
    effect_.textColor1 = ParseColor(value);
  } else if (Is(name, L"textshadowcolora")) {
    effect_.shadowColorA = ParseColor(value);
  } else if (Is(name, L"textshadowcolorb")) {
    effect_.shadowColorB = ParseColor(value);
  } else if (Is(name, L"strokecolor")) {
    effect_.strokeColor = ParseColor(value);
  } else {
    return false;
  }
  Invalidate();
  return true;
}

SIZE CLabelUI::Measure(SIZE available) {
  const SIZE fixed{GetAssignedWidth(), GetAssignedHeight()};
  if (fixed.cx > 0 && fixed.cy > 0) return fixed;
  if (IsMultiLine() && (available.cx != lastAvailable_.cx || available.cy != lastAvailable_.cy)) {
    needEstimate_ = true;
  }
  if (needEstimate_ && GetManager() != nullptr) {
    lastAvailable_ = available;
    lastEstimate_ = Estimate(available);
    needEstimate_ = false;
  }
  SIZE size = GetManager() != nullptr ? lastEstimate_ : fixed;
  if (size.cx < minWidthEx_) size.cx = minWidthEx_;
  if (maxWidthEx_ > 0 && size.cx > maxWidthEx_) size.cx = maxWidthEx_;
  return size;
}

SIZE CLabelUI::Estimate(SIZE available) {
  CManagerUI* manager = GetManager();
  HDC dc = manager->GetPaintDC();
  const RECT& pad = textPadding_;
  SIZE size{GetAssignedWidth(), GetAssignedHeight()};
  const wchar_t* text = GetText().GetData();
  if (!IsMultiLine()) {
    if (size.cy == 0) size.cy = pad.top + manager->GetFontInfo(font_)->metrics.tmHeight + pad.bottom + kLineSpacing;
    if (size.cx == 0) {
      int textWidth = 0;
      if (showHtml_) {
        RECT box{0, 0, kMeasureExtent, kMeasureExtent};
        int links = 0;
        CRenderUI::DrawFormattedText(dc, manager, box, text, 0, nullptr, nullptr, links, font_,
                                     DT_CALCRECT | DT_SINGLELINE);
        textWidth = Width(box);
      } else {
        textWidth = CRenderUI::GetTextSize(dc, manager, text, font_, DT_SINGLELINE).cx;
      }
      size.cx = pad.left + pad.right + textWidth;
    }
    return size;
  }
  // A fixed width is the width the lines wrap in; else the width on offer.
  if (size.cx == 0) size.cx = available.cx;
  RECT box{pad.left, 0, size.cx - pad.right, kMeasureExtent};
  const UINT format = (textStyle_ & ~(kHorizontalFlags | kVerticalFlags)) | DT_CALCRECT;
  if (showHtml_) {
    int links = 0;
    CRenderUI::DrawFormattedText(dc, manager, box, text, 0, nullptr, nullptr, links, font_, format);
  } else {
    CRenderUI::DrawText(dc, manager, box, text, 0, font_, format);
  }
  size.cy = pad.top + pad.bottom + (GetText().IsEmpty() ? 0 : box.bottom - box.top);
  return size;
}

RECT CLabelUI::TextRect() const {
  const RECT& item = GetBounds();
  return {item.left + textPadding_.left, item.top + textPadding_.top, item.right - textPadding_.right,
          item.bottom - textPadding_.bottom};
}

DWORD CLabelUI::StateTextColor() const {
  CManagerUI* manager = GetManager();
  if (IsEnabled()) return textColor_ != 0 ? textColor_ : manager->GetDefaultFontColor();
  return disabledTextColor_ != 0 ? disabledTextColor_ : manager->GetDefaultDisabledColor();
}

void CLabelUI::DrawLabelText(HDC dc, const RECT& rect, const wchar_t* text, DWORD color, UINT style) {
  RECT box = rect;
  if (showHtml_) {
    int links = 0;
    CRenderUI::DrawFormattedText(dc, GetManager(), box, text, color, nullptr, nullptr, links, font_, style);
  } else {
    CRenderUI::DrawText(dc, GetManager(), box, text, color, font_, style);
  }
}

void CLabelUI::PaintText(HDC dc) {
  if (GetManager() == nullptr) return;
  const RECT rect = TextRect();
  if (effects_) {
    PaintEffectText(dc, rect);
    return;
  }
  if (GetText().IsEmpty()) return;
  DrawLabelText(dc, rect, GetText().GetData(), StateTextColor(), textStyle_);
}

void CLabelUI::PaintEffectText(HDC dc, const RECT& rect) {
  CUIString text = GetText();
  TranslateText(text);
  if (text.IsEmpty()) return;
  TextEffectStyle style = effect_;
  style.textColor = StateTextColor();
  if (DrawTextWithEffects(dc, rect, text.GetData(), GetManager()->GetFont(font_), textStyle_, style)) return;
  // Without the imaging library the text is still shown, only plain.
  DrawLabelText(dc, rect, text.GetData(), style.textColor, textStyle_);
}

}  // namespace SkinUI
