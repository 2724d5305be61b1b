#include "skinui/core/window/manager_ui.h"

#include <algorithm>
#include <cwchar>
#include <utility>

#include "skinui/core/markup/attribute_values.h"
#include "skinui/core/window/system_functions.h"
#include "skinui/render/blend_functions.h"
#include "skinui/render/render_ui.h"

namespace SkinUI {
namespace {

// State every manager of the process shares: the tables used for entries
// added as shared, the default colours and the default font.
struct SharedResources {
  CStringMapUI<std::unique_ptr<UIFontInfo>> fonts;
  CStringMapUI<std::unique_ptr<UIImage>> images;
  CStringMapUI<CUIString> classDefaults;
  DWORD disabledColor = 0xFFA7A6AA;
  DWORD fontColor = 0xFF000000;
  DWORD linkColor = 0xFF0000FF;
  DWORD linkHoverColor = 0xFFD3215F;
  DWORD selectedColor = 0xFFBAE4FF;
  UIFontInfo defaultFont;
};

HFONT CreateUIFont(const wchar_t* face, int size, bool bold, bool underline, bool italic) {
  LOGFONTW lf{};
  lf.lfHeight = -size;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = underline ? TRUE : FALSE;
  lf.lfItalic = italic ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  ::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return ::CreateFontIndirectW(&lf);
}

std::unique_ptr<UIFontInfo> MakeFont(const wchar_t* face, int size, bool bold, bool underline, bool italic) {
  if (face == nullptr) face = L"";
  HFONT font = CreateUIFont(face, size, bold, underline, italic);
  if (font == nullptr) return nullptr;
  auto info = std::make_unique<UIFontInfo>();
  info->font.reset(font);
  info->face = face;
  info->size = size;
  info->bold = bold;
  info->underline = underline;
  info->italic = italic;
  return info;
}

// The platform's default GUI font with the default character set.
void LoadDefaultFont(UIFontInfo* info) {
  LOGFONTW lf{};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  lf.lfCharSet = DEFAULT_CHARSET;
  info->font.reset(::CreateFontIndirectW(&lf));
  info->face = lf.lfFaceName;
  info->size = -lf.lfHeight;
  info->bold = lf.lfWeight >= FW_BOLD;
  info->underline = lf.lfUnderline != FALSE;
  info->italic = lf.lfItalic != FALSE;
}

SharedResources& Shared() {
  // Made with the first manager and kept for the life of the process.
  // The common controls are initialised and the blending library loaded
  // at the same time.
  static SharedResources* shared = [] {
    auto* resources = new SharedResources;
    LoadDefaultFont(&resources->defaultFont);
    CSystemFunctions::Instance();
    CBlendFunctions::Instance();
    return resources;
  }();
  return *shared;
}

// Font ids are decimal keys.
struct FontKey {
  explicit FontKey(int id) { ::swprintf(text, sizeof(text) / sizeof(text[0]), L"%d", id); }
  wchar_t text[16];
};

bool IsName(const wchar_t* name, const wchar_t* known) { return ::_wcsicmp(name, known) == 0; }

SIZE ParsePair(const wchar_t* value) {
  int v[2];
  ParseDecimals(value, v, 2);
  return {v[0], v[1]};
}

RECT ParseRectangle(const wchar_t* value) {
  int v[4];
  ParseDecimals(value, v, 4);
  return {v[0], v[1], v[2], v[3]};
}

BYTE ParseAlpha(const wchar_t* value) { return static_cast<BYTE>(std::clamp(ParseDecimal(value), 0, 255)); }

bool Matches(const UIFontInfo& info, const wchar_t* face, int size, bool bold, bool underline, bool italic) {
  return info.size == size && info.bold == bold && info.underline == underline && info.italic == italic &&
         info.face == face;
}

}  // namespace

CManagerUI::CManagerUI()
    : disabledColor_(Shared().disabledColor),
      fontColor_(Shared().fontColor),
      linkColor_(Shared().linkColor),
      linkHoverColor_(Shared().linkHoverColor),
      selectedColor_(Shared().selectedColor) {}

void CManagerUI::ClearTables() {
  fonts_.RemoveAll();
  baseFont_.reset();
  nextFontId_ = 0;
  RemoveAllImages();
  classDefaults_.RemoveAll();
}

void CManagerUI::SetPaintDC(HDC dc) { paintDC_ = dc; }

bool CManagerUI::RegisterFont(int id,
                              const wchar_t* face,
                              int size,
                              bool bold,
                              bool underline,
                              bool italic,
                              bool shared) {
  if (id < 0) return false;
  std::unique_ptr<UIFontInfo> info = MakeFont(face, size, bold, underline, italic);
  if (!info) return false;
  (shared ? Shared().fonts : fonts_).Set(FontKey(id).text, std::move(info));
  if (!shared && id >= nextFontId_) nextFontId_ = id + 1;
  return true;
}

bool CManagerUI::SetBaseFont(const wchar_t* face, int size, bool bold, bool underline, bool italic, bool shared) {
  std::unique_ptr<UIFontInfo> info = MakeFont(face, size, bold, underline, italic);
  if (!info) return false;
  if (shared) {
    Shared().defaultFont = std::move(*info);
  } else {
    baseFont_ = std::move(info);
  }
  return true;
}

int CManagerUI::FindOrAddFont(const wchar_t* face, int size, bool bold, bool underline, bool italic) {
  int found = -1;
  fonts_.ForEach([&](const CUIString& key, std::unique_ptr<UIFontInfo>& info) {
    if (found < 0 && Matches(*info, face, size, bold, underline, italic)) found = ::wcstol(key.GetData(), nullptr, 10);
  });
  if (found >= 0) return found;
  const int id = nextFontId_;
  return RegisterFont(id, face, size, bold, underline, italic, false) ? id : -1;
}

UIFontInfo* CManagerUI::FindFont(int index) {
  if (index >= 0) {
    const FontKey key(index);
    if (auto* own = fonts_.Find(key.text)) return own->get();
    if (auto* shared = Shared().fonts.Find(key.text)) return shared->get();
  }
  return baseFont_ ? baseFont_.get() : &Shared().defaultFont;
}

UIFontInfo* CManagerUI::Measure(UIFontInfo* info) {
  if (info->measured) return info;
  if (paintDC_ != nullptr) {
    ScopedSelectObject select(paintDC_, info->font.get());
    info->measured = ::GetTextMetricsW(paintDC_, &info->metrics) != FALSE;
  } else {
    ScopedWindowDC screen(nullptr);
    ScopedSelectObject select(screen.get(), info->font.get());
    info->measured = ::GetTextMetricsW(screen.get(), &info->metrics) != FALSE;
  }
  return info;
}

HFONT CManagerUI::GetFont(int index) { return FindFont(index)->font.get(); }

const UIFontInfo* CManagerUI::GetFontInfo(int index) { return Measure(FindFont(index)); }

const UIFontInfo* CManagerUI::GetBaseFontInfo() { return Measure(baseFont_ ? baseFont_.get() : &Shared().defaultFont); }

const UIImage* CManagerUI::GetImage(const wchar_t* name) {
  if (auto* own = images_.Find(name)) return own->get();
  if (auto* shared = Shared().images.Find(name)) return shared->get();
  return nullptr;
}

const UIImage* CManagerUI::RegisterImage(const wchar_t* name,
                                         const wchar_t* type,
                                         uint32_t mask,
                                         bool keepPixels,
                                         bool shared) {
  if (name == nullptr || name[0] == L'\0') return nullptr;
  std::unique_ptr<UIImage> image = CRenderUI::LoadImage(name, type, mask);
  if (!image) return nullptr;
  if (keepPixels) {
    image->keepPixels = true;
    image->sourceCopy.assign(image->pixels, image->pixels + static_cast<size_t>(image->width) * image->height);
  }
  ImageTable& table = shared ? Shared().images : images_;
  if (auto* existing = table.Find(name)) {
    **existing = std::move(*image);  // descriptors keep pointing at the same record
    return existing->get();
  }
  const UIImage* result = image.get();
  table.Insert(name, std::move(image));
  return result;
}

bool CManagerUI::RemoveImage(const wchar_t* name, bool shared) {
  return (shared ? Shared().images : images_).Remove(name);
}

void CManagerUI::RemoveAllImages() {
  images_.RemoveAll();
  missingImages_.RemoveAll();
}

void CManagerUI::SetClassDefaults(const wchar_t* className, const wchar_t* attributes, bool shared) {
  (shared ? Shared().classDefaults : classDefaults_).Set(className, CUIString(attributes));
}

const wchar_t* CManagerUI::GetClassDefaults(const wchar_t* className) {
  if (auto* own = classDefaults_.Find(className)) return own->GetData();
  if (auto* shared = Shared().classDefaults.Find(className)) return shared->GetData();
  return nullptr;
}

void CManagerUI::Invalidate(const RECT& rect) {
  RECT clamped = rect;
  if (clamped.left < 0) clamped.left = 0;
  if (clamped.top < 0) clamped.top = 0;
  if (clamped.right < clamped.left) clamped.right = clamped.left;
  if (clamped.bottom < clamped.top) clamped.bottom = clamped.top;
  if (window_ != nullptr && layered_) {
    ::UnionRect(&layeredDirty_, &layeredDirty_, &clamped);
  } else if (window_ != nullptr) {
    ::InvalidateRect(window_, &clamped, FALSE);
  } else if (!::IsRectEmpty(&clamped)) {
    ::UnionRect(&invalidated_, &invalidated_, &clamped);
  }
}

void CManagerUI::MarkImageMissing(const wchar_t* name) { missingImages_.Insert(name, true); }

bool CManagerUI::IsImageMissing(const wchar_t* name) { return missingImages_.Find(name) != nullptr; }

}  // namespace SkinUI

namespace SkinUI {

void CManagerUI::Invalidate() {
  RECT client{};
  if (window_ != nullptr) ::GetClientRect(window_, &client);
  Invalidate(client);
}

void CManagerUI::ApplyWindowAttribute(const wchar_t* name, const wchar_t* value) {
  if (IsName(name, L"size")) {
    SIZE size = ParsePair(value);
    SetInitialSize(size.cx, size.cy);
  } else if (IsName(name, L"sizebox")) {
    SetSizeBox(ParseRectangle(value));
  } else if (IsName(name, L"caption")) {
    SetCaption(ParseRectangle(value));
  } else if (IsName(name, L"roundcorner")) {
    SIZE corner = ParsePair(value);
    SetRoundCorner(corner.cx, corner.cy);
  } else if (IsName(name, L"mininfo")) {
    SIZE size = ParsePair(value);
    SetMinInfo(size.cx, size.cy);
  } else if (IsName(name, L"maxinfo")) {
    SIZE size = ParsePair(value);
    SetMaxInfo(size.cx, size.cy);
  } else if (IsName(name, L"showdirty")) {
    SetShowDirty(IsName(value, L"true"));
  } else if (std::wcscmp(name, L"noactivate") == 0) {
    SetNoActivate(IsName(value, L"true"));
  } else if (IsName(name, L"opacity")) {
    SetOpacity(ParseAlpha(value));
  } else if (std::wcscmp(name, L"layeredopacity") == 0) {
    SetLayeredOpacity(ParseAlpha(value));
  } else if (std::wcscmp(name, L"layeredimage") == 0) {
    SetLayered(true);
    SetLayeredImage(value);
  } else if (IsName(name, L"disabledfontcolor")) {
    SetDefaultDisabledColor(ParseColor(value));
  } else if (IsName(name, L"defaultfontcolor")) {
    SetDefaultFontColor(ParseColor(value));
  } else if (IsName(name, L"linkfontcolor")) {
    SetDefaultLinkFontColor(ParseColor(value));
  } else if (IsName(name, L"linkhoverfontcolor")) {
    SetDefaultLinkHoverFontColor(ParseColor(value));
  } else if (IsName(name, L"selectedcolor")) {
    SetDefaultSelectedBkColor(ParseColor(value));
  } else {
    StoreWindowAttribute(name, value);
  }
}

void CManagerUI::StoreWindowAttribute(const wchar_t* name, const wchar_t* value) {
  windowAttributes_.Insert(name, CUIString(value));
}

const wchar_t* CManagerUI::GetWindowAttribute(const wchar_t* name) {
  const CUIString* found = windowAttributes_.Find(name);
  return found != nullptr ? found->GetData() : nullptr;
}

void CManagerUI::SetInitialSize(int cx, int cy) {
  initialSize_ = {cx, cy};
  if (window_ != nullptr) {
    ::SetWindowPos(window_, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  }
}

}  // namespace SkinUI
