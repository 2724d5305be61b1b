#pragma once
// The window manager's resource half: fonts, images, class default
// attribute lists, default colours, the paint DC, the last mouse position
// and invalidation. Each skinned window has one; the window half (messages,
// painting, input, timers, tooltips) builds on this class.

#include <windows.h>

#include <memory>

#include "skinui/core/gdi_handles.h"
#include "skinui/core/string_map.h"
#include "skinui/core/ui_string.h"
#include "skinui/render/ui_image.h"

namespace SkinUI {

// A font of a manager's table, or the default font.
struct UIFontInfo {
  ScopedFont font;
  CUIString face;
  int size = 0;  // character height in pixels
  bool bold = false;
  bool underline = false;
  bool italic = false;
  TEXTMETRICW metrics{};
  bool measured = false;  // metrics are read on first use
};

class CManagerUI {
 public:
  // A manager without a window; the first one sets the shared default colours and font.
  CManagerUI();
  ~CManagerUI();
  CManagerUI(const CManagerUI&) = delete;
  CManagerUI& operator=(const CManagerUI&) = delete;

  // Empties this manager's fonts, images and default lists, stores name and,
  // when window differs from the current one, borrows it and takes its DC.
  void Init(HWND window, const wchar_t* name);
  // The manager's name.
  const CUIString& GetName() const { return name_; }
  // The borrowed window; null before Init.
  HWND GetPaintWindow() const { return window_; }
  // The DC used for measuring and painting: the window's, or one set by SetPaintDC.
  HDC GetPaintDC() const { return paintDC_; }
  // Borrows dc (for example a memory DC) as the paint DC; it must outlive its use here.
  void SetPaintDC(HDC dc);

  // Adds or replaces font id of this manager (or the shared table); false
  // when the font cannot be created.
  bool RegisterFont(int id, const wchar_t* face, int size, bool bold, bool underline, bool italic, bool shared);
  // Sets this manager's (or the shared) default font; false when it cannot be created.
  bool SetBaseFont(const wchar_t* face, int size, bool bold, bool underline, bool italic, bool shared);
  // The id of a font with this description, registered in this manager with
  // a new id when none matches; -1 when it cannot be created.
  int FindOrAddFont(const wchar_t* face, int size, bool bold, bool underline, bool italic);
  // Font index: this manager's, else the shared one, else the default
  // font; a negative index gives the default font. Never null.
  HFONT GetFont(int index);
  // The record of GetFont(index) with its text metrics. Never null.
  const UIFontInfo* GetFontInfo(int index);
  // This manager's default font, or the shared default when it has none. Never null.
  const UIFontInfo* GetBaseFontInfo();

  // The image name from this manager's table, else the shared one; null when absent.
  const UIImage* GetImage(const wchar_t* name);
  // Loads name (type: resource type or kColorImageType, empty for a skin
  // file; a name starting with a digit and a type is a resource id) and puts
  // it in this manager's or the shared table in place of an entry of that
  // name (records that descriptors point at stay valid). Null when it cannot be loaded.
  const UIImage* RegisterImage(const wchar_t* name, const wchar_t* type, uint32_t mask, bool keepPixels, bool shared);
  // Removes image name from this manager's or the shared table; descriptors
  // that point at it must be reset first. False when absent.
  bool RemoveImage(const wchar_t* name, bool shared);
  // Removes every image of this manager.
  void RemoveAllImages();

  // Stores an attribute list applied to new controls of a class.
  void SetClassDefaults(const wchar_t* className, const wchar_t* attributes, bool shared);
  // The attribute list of a class from this manager, else the shared table; null when none.
  const wchar_t* GetClassDefaults(const wchar_t* className);

  // Default colours (0xAARRGGBB), copied from the shared defaults.
  DWORD GetDefaultDisabledColor() const { return disabledColor_; }
  void SetDefaultDisabledColor(DWORD color) { disabledColor_ = color; }
  DWORD GetDefaultFontColor() const { return fontColor_; }
  void SetDefaultFontColor(DWORD color) { fontColor_ = color; }
  DWORD GetDefaultLinkFontColor() const { return linkColor_; }
  void SetDefaultLinkFontColor(DWORD color) { linkColor_ = color; }
  DWORD GetDefaultLinkHoverFontColor() const { return linkHoverColor_; }
  void SetDefaultLinkHoverFontColor(DWORD color) { linkHoverColor_ = color; }
  DWORD GetDefaultSelectedBkColor() const { return selectedColor_; }
  void SetDefaultSelectedBkColor(DWORD color) { selectedColor_ = color; }

  // The last mouse position in client coordinates; (-1, -1) before any.
  POINT GetMousePos() const { return mousePos_; }
  // Records the mouse position (the window half calls it on mouse messages).
  void SetMousePos(POINT point) { mousePos_ = point; }

  // Clamps rect to non-negative left and top and non-inverted extents and
  // invalidates it in the window without erasing; without a window the
  // rectangle is added to the invalidated area.
  void Invalidate(const RECT& rect);
  // The union of the rectangles invalidated without a window; empty when none.
  const RECT& GetInvalidatedRect() const { return invalidated_; }
  // Forgets the invalidated area.
  void ClearInvalidatedRect() { invalidated_ = RECT{}; }
  // Asks for a layout pass before the next paint.
  void RequestLayout() { updateNeeded_ = true; }
  // True while a layout pass is due.
  bool IsUpdateNeeded() const { return updateNeeded_; }
  // Clears the layout request (the layout pass calls it).
  void ClearUpdateNeeded() { updateNeeded_ = false; }

  // Remembers that image name could not be loaded or decoded, so that an
  // image named in formatted text is not tried again on every paint.
  void MarkImageMissing(const wchar_t* name);
  // True when name was marked missing since this manager's images were last emptied.
  bool IsImageMissing(const wchar_t* name);

 private:
  using FontTable = CStringMapUI<std::unique_ptr<UIFontInfo>>;
  using ImageTable = CStringMapUI<std::unique_ptr<UIImage>>;

  UIFontInfo* FindFont(int index);
  UIFontInfo* Measure(UIFontInfo* info);
  void ClearTables();

  CUIString name_;
  HWND window_ = nullptr;
  std::unique_ptr<ScopedWindowDC> windowDC_;
  HDC paintDC_ = nullptr;
  FontTable fonts_;
  std::unique_ptr<UIFontInfo> baseFont_;  // null: the shared default
  int nextFontId_ = 0;
  ImageTable images_;
  CStringMapUI<CUIString> classDefaults_;
  DWORD disabledColor_;
  DWORD fontColor_;
  DWORD linkColor_;
  DWORD linkHoverColor_;
  DWORD selectedColor_;
  POINT mousePos_{-1, -1};
  RECT invalidated_{};
  bool updateNeeded_ = false;
  CStringMapUI<bool> missingImages_;
};

}  // namespace SkinUI
