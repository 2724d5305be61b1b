#include "skinui/render/formatted_text.h"

#include <algorithm>

#include "skinui/core/window/manager_ui.h"
#include "skinui/render/image_desc_parser.h"
#include "skinui/render/render_ui.h"

namespace SkinUI {
namespace {

// The colour whose h and z tags go to fixed columns.
constexpr DWORD kFixedColumnColor = 0xFF17171A;
constexpr int kFixedColumnH = 322;
constexpr int kFixedColumnZ = 214;

COLORREF ToColorRef(DWORD color) { return RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF); }

int Number(const TextToken& token) { return ParseDecimal(token.text, token.length); }

// The image of an inline image tag: a bare name or a description. One that
// fails to load is remembered as missing and not loaded again.
const UIImage* InlineImage(CManagerUI* manager, const wchar_t* text, size_t length) {
  ParsedImageDesc parsed;
  ParseImageDescription(text, length, &parsed);
  const wchar_t* name = parsed.name.GetData();
  if (const UIImage* image = manager->GetImage(name)) return image;
  if (manager->IsImageMissing(name)) return nullptr;
  const UIImage* image =
      manager->RegisterImage(name, parsed.resourceType.GetData(), parsed.mask, parsed.keepPixels, false);
  if (image == nullptr) manager->MarkImageMissing(name);
  return image;
}

}  // namespace

CFormattedText::CFormattedText(HDC dc,
                               CManagerUI* manager,
                               const RECT& rect,
                               DWORD color,
                               int font,
                               UINT format,
                               RECT* links,
                               CUIString* targets,
                               int linkSlots,
                               int hovered)
    : dc_(dc),
      manager_(manager),
      rect_(rect),
      format_(format),
      singleLine_((format & DT_SINGLELINE) != 0),
      measuring_((format & DT_CALCRECT) != 0),
      links_(links),
      targets_(targets),
      linkSlots_(links != nullptr && targets != nullptr ? linkSlots : 0),
      hovered_(hovered),
      baseColor_(color),
      baseFont_(font) {}

int CFormattedText::FontHeight(int font) { return manager_->GetFontInfo(font)->metrics.tmHeight; }

int CFormattedText::Variant(int font, bool bold, bool underline, bool italic) {
  const UIFontInfo* info = manager_->GetFontInfo(font);
  const int variant = manager_->FindOrAddFont(info->face.GetData(), info->size, bold || info->bold,
                                              underline || info->underline, italic || info->italic);
  return variant >= 0 ? variant : font;
}

// Columns count from the rectangle's left edge.
int CFormattedText::FixedColumn(const State& state, int number, int fixed) const {
  return rect_.left + (state.colors.Top() == kFixedColumnColor ? fixed : number);
}

int CFormattedText::ItemTop(const State& state, const Line& line, int itemHeight) const {
  switch (state.aligns.Top()) {
    case Align::kTop:
      return line.top;
    case Align::kCenter:
      return line.top + (line.height - itemHeight) / 2;
    case Align::kBottom:
      break;
  }
  return line.top + line.height - itemHeight;
}

void CFormattedText::Place(Line& line, int width, int height) {
  if (!line.draw) line.height = std::max(line.height, height);
  line.x += width;
  ++line.items;
  line.width = std::max(line.width, line.x - static_cast<int>(rect_.left));
}

void CFormattedText::DrawRun(const State& state,
                             const Line& line,
                             const wchar_t* text,
                             int count,
                             int width,
                             int itemHeight,
                             bool ellipsis) {
  if (state.openLink >= 0) {
    const RECT part{line.x, line.top, line.x + width, line.top + line.height};
    RECT& link = links_[state.openLink];
    if (::IsRectEmpty(&link)) {
      link = part;
    } else {
      ::UnionRect(&link, &link, &part);
    }
  }
  if (measuring_) return;
  const int y = ItemTop(state, line, itemHeight);
  ::SetTextColor(dc_, ToColorRef(state.colors.Top()));
  ::SetBkMode(dc_, state.selected ? OPAQUE : TRANSPARENT);
  if (state.selected) ::SetBkColor(dc_, ToColorRef(manager_->GetDefaultSelectedBkColor()));
  ::ExtTextOutW(dc_, line.x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
  if (ellipsis) {
    SIZE used{};
    ::GetTextExtentPoint32W(dc_, text, count, &used);
    ::ExtTextOutW(dc_, line.x + used.cx, y, 0, nullptr, L"...", 3, nullptr);
  }
}

size_t CFormattedText::Segment(State& state, const wchar_t* text, size_t length, Line& line, bool* wrap) {
  *wrap = false;
  if (state.cut) return length;
  const int font = state.fonts.Top();
  ::SelectObject(dc_, manager_->GetFont(font));
  const int itemHeight = FontHeight(font);
  const int room = std::max(0, static_cast<int>(rect_.right) - line.x);
  const int count = static_cast<int>(std::min<size_t>(length, 0x7FFFFFFF));
  int fit = 0;
  SIZE size{};
  ::GetTextExtentExPointW(dc_, text, count, room, &fit, nullptr, &size);
  if (size.cx <= room) {
    if (line.draw) DrawRun(state, line, text, count, size.cx, itemHeight, false);
    Place(line, size.cx, itemHeight);
    return length;
  }
  const bool ellipsis = (format_ & DT_END_ELLIPSIS) != 0;
  // The last line that fits takes the ellipsis instead of wrapping.
  const bool wraps =
      !singleLine_ && (format_ & DT_WORDBREAK) != 0 && !(ellipsis && line.top + 2 * itemHeight > rect_.bottom);
  if (wraps) {
    // Cut after the last blank or non-letter before the edge; a blank right
    // at the edge breaks there too. Blanks at the break are not drawn.
    int cut = (fit < count && text[fit] == L' ') ? fit + 1 : 0;
    for (int k = fit; cut == 0 && k-- > 0;) {
      if (!::IsCharAlphaW(text[k])) cut = k + 1;
    }
    *wrap = true;
    if (cut == 0 && line.items > 0) return 0;  // the whole run goes to the next line
    if (cut == 0) cut = std::max(fit, 1);
    int shown = cut;
    while (shown > 0 && text[shown - 1] == L' ') --shown;
    SIZE used{};
    ::GetTextExtentPoint32W(dc_, text, shown, &used);
    if (line.draw) DrawRun(state, line, text, shown, used.cx, itemHeight, false);
    Place(line, used.cx, itemHeight);
    size_t next = static_cast<size_t>(cut);
    while (next < length && text[next] == L' ') ++next;
    return next;
  }
  // Cut at the right edge; the rest of the line is dropped.
  const int shown = ellipsis ? std::max(fit - 2, 0) : fit;
  if (line.draw) DrawRun(state, line, text, shown, room, itemHeight, ellipsis);
  Place(line, room, itemHeight);
  state.cut = true;
  return length;
}

CFormattedText::Flow CFormattedText::Text(State& state, const wchar_t* text, size_t length, Line& line) {
  state.pending = nullptr;
  state.pendingLength = 0;
  size_t i = 0;
  while (i < length) {
    size_t end = i;
    while (end < length && text[end] != L'\n' && text[end] != L'\r') ++end;
    bool wrap = false;
    const size_t used = end > i ? Segment(state, text + i, end - i, line, &wrap) : 0;
    size_t next = i + used;
    if (!wrap && end < length) {
      next = end + ((text[end] == L'\r' && end + 1 < length && text[end + 1] == L'\n') ? 2 : 1);
      wrap = !singleLine_;
    }
    if (wrap) {
      state.pending = text + next;
      state.pendingLength = length - next;
      return Flow::kBreakAfter;
    }
    i = next;
  }
  return Flow::kGoOn;
}

CFormattedText::Flow CFormattedText::Image(State& state, const TextToken& token, Line& line) {
  if (state.cut) return Flow::kGoOn;
  ImageTagSpec tag;
  ParseImageTag(token.text, token.length, &tag);
  const UIImage* image = InlineImage(manager_, tag.image, tag.imageLength);
  if (image == nullptr) return Flow::kGoOn;
  const int width = image->width / tag.frames;
  if (!singleLine_ && line.items > 0 && line.x + width > rect_.right) return Flow::kBreakBefore;
  if (line.draw && !measuring_) {
    const int y = ItemTop(state, line, image->height);
    const RECT dest{line.x, y, line.x + width, y + image->height};
    const RECT source{tag.frame * width, 0, (tag.frame + 1) * width, image->height};
    CRenderUI::DrawImageSlices(dc_, image->bitmap.get(), dest, rect_, source, RECT{}, image->hasAlpha, 255, false,
                               false, false);
  }
  Place(line, width, image->height);
  return Flow::kGoOn;
}

CFormattedText::Flow CFormattedText::Tag(State& state, const TextToken& token, Line& line) {
  const bool closing = token.type == TextTokenType::kEndTag;
  const int font = state.fonts.Top();
  switch (token.tag) {
    case L'a':
      if (closing) {
        state.fonts.Pop();
        state.colors.Pop();
        state.openLink = -1;
        break;
      }
      {
        const int index = state.links++;
        state.openLink = index < linkSlots_ ? index : -1;
        if (state.openLink >= 0 && line.draw) {
          targets_[index].Assign(token.text, token.length);
          links_[index] = RECT{};
          linksUsed_ = index + 1;
        }
        state.colors.Push(index == hovered_ ? manager_->GetDefaultLinkHoverFontColor()
                                            : manager_->GetDefaultLinkFontColor());
        state.fonts.Push(Variant(font, false, true, false));
      }
      break;
    case L'b':
    case L'u':
      if (closing) {
        state.fonts.Pop();
      } else {
        state.fonts.Push(Variant(font, token.tag == L'b', token.tag == L'u', false));
      }
      break;
    case L'i':
      if (closing) {
        state.fonts.Pop();
      } else if (token.length == 0) {
        state.fonts.Push(Variant(font, false, false, true));
      } else {
        return Image(state, token, line);
      }
      break;
    case L'f':
      if (closing) {
        state.fonts.Pop();
      } else {
        FontTagSpec tag;
        int chosen = font;
        if (ParseFontTag(token.text, token.length, &tag)) {
          chosen = tag.byIndex
                       ? tag.index
                       : manager_->FindOrAddFont(tag.face.GetData(), tag.size, tag.bold, tag.underline, tag.italic);
        }
        state.fonts.Push(chosen >= 0 ? chosen : font);
      }
      break;
    case L'c':
      if (closing) {
        state.colors.Pop();
      } else {
        state.colors.Push(ParseHexColor(token.text, token.length));
      }
      break;
    case L'h':
      if (!closing) line.x = FixedColumn(state, Number(token), kFixedColumnH);
      break;
    case L'z':
      if (!closing) line.x = FixedColumn(state, Number(token), kFixedColumnZ);
      break;
    case L'x':
      if (!closing) line.x += Number(token);
      break;
    case L'y':
      if (!closing && !line.draw) line.height = Number(token);
      break;
    case L'n':
      if (!closing && !singleLine_) return Flow::kBreakAfter;
      break;
    case L'p':
      if (closing) {
        state.paragraphSpace = 0;
      } else if (!singleLine_ && line.items > 0) {
        return Flow::kBreakBefore;
      } else {
        state.paragraphSpace = Number(token);
        line.space = state.paragraphSpace;
      }
      break;
    case L's':
      state.selected = !state.selected;
      break;
    case L'v':
      if (closing) {
        state.aligns.Pop();
      } else {
        state.aligns.Push(SpanEquals(token.text, token.length, L"center")
                              ? Align::kCenter
                              : (SpanEquals(token.text, token.length, L"top") ? Align::kTop : Align::kBottom));
      }
      break;
    default:  // r is the scanner's; unknown letters show nothing
      break;
  }
  return Flow::kGoOn;
}

void CFormattedText::RunLine(State& state, Line& line) {
  line.x = rect_.left;
  line.space = state.paragraphSpace;
  state.cut = false;
  Flow flow = Flow::kGoOn;
  if (state.pending != nullptr) flow = Text(state, state.pending, state.pendingLength, line);
  while (flow == Flow::kGoOn) {
    const CTextTagScanner before = state.scanner;
    TextToken token;
    if (!state.scanner.Next(&token)) {
      line.ended = true;
      break;
    }
    flow = token.type == TextTokenType::kText ? Text(state, token.text, token.length, line) : Tag(state, token, line);
    if (flow == Flow::kBreakBefore) state.scanner = before;
  }
  if (!line.draw && line.height == 0) line.height = FontHeight(state.fonts.Top());
}

SIZE CFormattedText::Run(const wchar_t* text, size_t length) {
  State state;
  state.scanner = CTextTagScanner(text, length);
  state.fonts.Push(baseFont_);
  state.colors.Push(baseColor_);
  state.aligns.Push(Align::kBottom);
  ScopedSelectObject keepFont(dc_, manager_->GetFont(baseFont_));
  const COLORREF oldColor = ::GetTextColor(dc_);
  const COLORREF oldBack = ::GetBkColor(dc_);
  const int oldMode = ::GetBkMode(dc_);
  int top = rect_.top;
  int width = 0;
  for (;;) {
    const State lineStart = state;
    Line measured;
    measured.top = top;
    RunLine(state, measured);
    if (!measuring_ || linkSlots_ > 0) {
      state = lineStart;
      Line drawn;
      drawn.top = top;
      drawn.height = measured.height;
      drawn.draw = true;
      RunLine(state, drawn);
    }
    width = std::max(width, measured.width);
    top += measured.height + measured.space;
    const bool stuck = state.scanner.Position() == lineStart.scanner.Position() && state.pending == lineStart.pending;
    if ((measured.ended && state.pending == nullptr) || stuck) break;
    if (!measuring_ && top >= rect_.bottom) break;
  }
  ::SetTextColor(dc_, oldColor);
  ::SetBkColor(dc_, oldBack);
  ::SetBkMode(dc_, oldMode);
  return SIZE{width, top - static_cast<LONG>(rect_.top)};
}

}  // namespace SkinUI
