#include "skinui/control/edit_ui.h"

#include <cwchar>
#include <string>

#include "skinui/control/button_ui.h"
#include "skinui/control/edit_wnd.h"
#include "skinui/control/hover_leave.h"
#include "skinui/core/markup/attribute_values.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/render/render_ui.h"

namespace SkinUI {

namespace {

bool Is(const wchar_t* name, const wchar_t* known) { return std::wcscmp(name, known) == 0; }

bool Inside(const RECT& rect, POINT point) { return ::PtInRect(&rect, point) != FALSE; }

// Frames of the standard image strip: normal, hot, focused, disabled.
constexpr int kStandardFrames = 4;

struct ImageAttribute {
  const wchar_t* name;
  EditImage image;
};
constexpr ImageAttribute kImageAttributes[] = {{L"normalimage", EditImage::kNormal},
                                               {L"hotimage", EditImage::kHot},
                                               {L"focusedimage", EditImage::kFocused},
                                               {L"disabledimage", EditImage::kDisabled},
                                               {L"standardimage", EditImage::kStandard}};

}  // namespace

CEditUI::CEditUI() {
  SetTextPadding({4, 3, 4, 3});
  SetBkColor(0xFFFFFFFF);
}

CEditUI::~CEditUI() {
  if (window_ != nullptr && GetManager() != nullptr) GetManager()->UnregisterNativeWindow(window_->GetHWND());
}

void* CEditUI::FindInterface(const wchar_t* name) {
  if (Is(name, L"Edit")) return this;
  return CLabelUI::FindInterface(name);
}

uint32_t CEditUI::GetInputFlags() const {
  uint32_t flags = IsKeyboardEnabled() ? static_cast<uint32_t>(kInputTabStop) : 0u;
  return IsEnabled() ? flags | kInputSetCursor : flags;
}

HWND CEditUI::GetNativeWindow() const { return window_ != nullptr ? window_->GetHWND() : nullptr; }

void CEditUI::SetText(const wchar_t* text) {
  CLabelUI::SetText(text);
  if (window_ == nullptr) return;
  ::SetWindowTextW(window_->GetHWND(), GetText().GetData());
  // Typing goes on after the new text.
  window_->PutCaretAtEnd();
}

void CEditUI::OnNativeTextChanged(const wchar_t* text) {
  CLabelUI::SetText(text);
  if (GetManager() == nullptr) return;
  if (GetManager()->IsLayered()) Invalidate();
  GetManager()->SendNotification(this, L"textchanged");
}

// Runs inside the window object's own last call, which touches nothing after it.
void CEditUI::OnNativeWindowDestroyed(HWND window) {
  Invalidate();
  if (GetManager() != nullptr) GetManager()->UnregisterNativeWindow(window);
  window_.reset();
}

void CEditUI::OpenNativeWindow() {
  if (window_ != nullptr || GetManager() == nullptr) return;
  window_ = std::make_unique<CEditWnd>(this);
  if (!window_->Init()) window_.reset();
}

void CEditUI::SetBounds(const RECT& rect, bool invalidate) {
  CLabelUI::SetBounds(rect, invalidate);
  PlaceNativeWindow();
}

void CEditUI::MoveBy(int dx, int dy, bool invalidate) {
  CLabelUI::MoveBy(dx, dy, invalidate);
  PlaceNativeWindow();
}

void CEditUI::PlaceNativeWindow() {
  if (window_ == nullptr) return;
  const RECT r = GetNativeRect();
  HWND native = window_->GetHWND();
  if (::IsRectEmpty(&r)) {
    ::ShowWindow(native, SW_HIDE);
    return;
  }
  ::SetWindowPos(native, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CEditUI::HandleEvent(UIEvent& event) {
  if (IsMouseEvent(event.type) && !IsMouseEnabled()) {
    if (GetParent() != nullptr) GetParent()->HandleEvent(event);
    return;
  }
  switch (event.type) {
    case kEventSetCursor:
      if (!IsEnabled()) break;
      ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
      return;
    case kEventWindowSize:
      if (window_ != nullptr && GetManager() != nullptr) GetManager()->RequestFocus(this);
      return;
    case kEventScrollWheel:
      if (window_ != nullptr) return;
      break;
    case kEventSetFocus:
      CLabelUI::HandleEvent(event);
      if (IsEnabled()) OpenNativeWindow();
      Invalidate();
      return;
    case kEventKillFocus:
      CLabelUI::HandleEvent(event);
      Invalidate();
      return;
    case kEventButtonDown:
    case kEventDoubleClick:
    case kEventRightButtonDown:
      OnPress(event);
      return;
    case kEventMouseMove:
    case kEventButtonUp:
    case kEventContextMenu:
      return;
    case kEventMouseEnter:
      if (!IsEnabled() || !Inside(GetBounds(), event.mousePos)) return;
      SetStateBit(kStateHot, true);
      Invalidate();
      return;
    case kEventMouseLeave:
      OnLeave(event);
      return;
    default:
      break;
  }
  CLabelUI::HandleEvent(event);
}

// A press opens the native window on a focused edit that has none, or puts
// the caret of an open one where the press was.
void CEditUI::OnPress(UIEvent& event) {
  if (!IsEnabled() || GetManager() == nullptr) return;
  GetManager()->ReleaseCapture();
  if (IsFocused() && window_ == nullptr) {
    OpenNativeWindow();
    return;
  }
  if (window_ == nullptr || autoSelectAll_) return;
  const RECT text = GetNativeRect();
  HWND native = window_->GetHWND();
  ::SendMessageW(native, EM_SETSEL, 0, 0);
  ::SendMessageW(native, WM_LBUTTONDOWN, event.wParam,
                 MAKELPARAM(event.mousePos.x - text.left, event.mousePos.y - text.top));
}

void CEditUI::OnLeave(UIEvent& event) {
  if (!HoverEnds(*this, event.mousePos) || !IsEnabled()) return;
  SetStateBit(kStateHot, false);
  Invalidate();
}

void CEditUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  for (const ImageAttribute& entry : kImageAttributes) {
    if (!Is(name, entry.name)) continue;
    SetImage(entry.image, value);
    return;
  }
  if (Is(name, L"readonly")) {
    SetReadOnly(ParseBool(value));
  } else if (Is(name, L"numberonly")) {
    SetNumberOnly(ParseBool(value));
  } else if (Is(name, L"password")) {
    SetPassword(ParseBool(value));
  } else if (Is(name, L"autoselall")) {
    SetAutoSelectAll(ParseBool(value));
  } else if (Is(name, L"maxchar")) {
    SetMaxChar(ParseDecimal(value));
  } else if (Is(name, L"nativebkcolor")) {
    SetNativeBkColor(ParseColor(value));
  } else if (Is(name, L"caretcolor")) {
    SetCaretColor(ParseColor(value));
  } else if (Is(name, L"hotbordercolor")) {
    hotBorderColor_ = ParseColor(value);
    Invalidate();
  } else {
    CLabelUI::ApplyAttribute(name, value);
  }
}

void CEditUI::SetImage(EditImage which, const wchar_t* description) {
  images_[static_cast<size_t>(which)].Reset(description);
  Invalidate();
}

void CEditUI::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (window_ != nullptr) ::SendMessageW(window_->GetHWND(), EM_SETREADONLY, readOnly, 0);
  Invalidate();
}

void CEditUI::SetPassword(bool password) {
  password_ = password;
  if (window_ != nullptr) {
    ::SendMessageW(window_->GetHWND(), EM_SETPASSWORDCHAR, password ? passwordChar_ : 0, 0);
    ::InvalidateRect(window_->GetHWND(), nullptr, TRUE);
  }
  Invalidate();
}

void CEditUI::SetMaxChar(int count) {
  maxChar_ = count;
  if (window_ != nullptr) ::SendMessageW(window_->GetHWND(), EM_LIMITTEXT, static_cast<WPARAM>(count), 0);
}

void CEditUI::SetNumberOnly(bool numberOnly) {
  numberOnly_ = numberOnly;
  if (window_ == nullptr) return;
  HWND native = window_->GetHWND();
  LONG style = ::GetWindowLongW(native, GWL_STYLE);
  ::SetWindowLongW(native, GWL_STYLE, numberOnly ? (style | ES_NUMBER) : (style & ~ES_NUMBER));
}

SIZE CEditUI::Measure(SIZE available) {
  if (GetAssignedHeight() != 0 || GetManager() == nullptr) return CLabelUI::Measure(available);
  return {GetAssignedWidth(), static_cast<LONG>(GetManager()->GetFontInfo(GetFont())->metrics.tmHeight + 8)};
}

// One frame of the standard strip stands in for a state image that is not set.
bool CEditUI::DrawImage(HDC dc, EditImage which, int frame) {
  const RECT& item = GetBounds();
  UIImageDesc& own = images_[static_cast<size_t>(which)];
  if (CRenderUI::DrawImage(dc, GetManager(), item, GetPaintRect(), own)) return true;
  UIImageDesc& strip = images_[static_cast<size_t>(EditImage::kStandard)];
  if (!CRenderUI::DrawImage(nullptr, GetManager(), item, item, strip)) return false;
  UIImageDesc part = strip;
  const int width = (strip.source.right - strip.source.left) / kStandardFrames;
  part.source.left = strip.source.left + width * frame;
  part.source.right = part.source.left + width;
  return CRenderUI::DrawImage(dc, GetManager(), item, GetPaintRect(), part);
}

void CEditUI::PaintStateImage(HDC dc) {
  SetStateBit(kStateFocused, IsFocused());
  SetStateBit(kStateDisabled, !IsEnabled());
  if ((state_ & kStateDisabled) != 0 && DrawImage(dc, EditImage::kDisabled, 3)) return;
  if ((state_ & kStateFocused) != 0 && DrawImage(dc, EditImage::kFocused, 2)) return;
  if ((state_ & kStateHot) != 0 && DrawImage(dc, EditImage::kHot, 1)) return;
  DrawImage(dc, EditImage::kNormal, 0);
}

void CEditUI::PaintText(HDC dc) {
  if (GetManager() == nullptr || window_ != nullptr || GetText().IsEmpty()) return;
  const CUIString& text = GetText();
  const std::wstring shown = password_ ? std::wstring(text.GetLength(), passwordChar_) : text.GetData();
  const UINT style = (GetTextStyle() & ~static_cast<UINT>(DT_WORDBREAK)) | DT_SINGLELINE;
  DrawLabelText(dc, TextRect(), shown.c_str(), StateTextColor(), style);
}

void CEditUI::PaintBorder(HDC dc) {
  CLabelUI::PaintBorder(dc);
  if ((state_ & kStateHot) != 0 && hotBorderColor_ != 0) CRenderUI::DrawRect(dc, GetBounds(), 1, hotBorderColor_);
}

}  // namespace SkinUI
