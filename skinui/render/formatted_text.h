#pragma once
// Layout and drawing of formatted text: text runs and tags from the tag
// scanner placed line by line. Each line is laid out twice from the same
// state, once to learn its height and once to draw, so that smaller items
// can be aligned within it. Nothing is allocated per call.

#include <windows.h>

#include <cstddef>

#include "skinui/core/markup/ui_string.h"
#include "skinui/render/text_tags.h"

namespace SkinUI {

class CManagerUI;

class CFormattedText {
 public:
  // Draws into dc (measures only with the calculate-rectangle flag) inside
  // rect; links and targets have linkSlots entries (may be null with 0);
  // hovered is the link under the mouse, or -1.
  CFormattedText(HDC dc,
                 CManagerUI* manager,
                 const RECT& rect,
                 DWORD color,
                 int font,
                 UINT format,
                 RECT* links,
                 CUIString* targets,
                 int linkSlots,
                 int hovered);

  // Lays out (and draws) length characters of text; returns the used width and height.
  SIZE Run(const wchar_t* text, size_t length);
  // Links recorded by Run.
  int GetLinkCount() const { return linksUsed_; }

 private:
  static constexpr int kDepth = 16;
  enum class Align { kBottom, kCenter, kTop };

  // Values pushed by tags and popped by their closing tags; deeper pushes
  // than kDepth are counted but not stored.
  template <class T>
  struct Stack {
    T items[kDepth];
    int depth = 0;
    void Push(T value) {
      if (depth < kDepth) items[depth] = value;
      ++depth;
    }
    void Pop() {
      if (depth > 1) --depth;
    }
    T Top() const { return items[(depth < kDepth ? depth : kDepth) - 1]; }
  };

  // Everything a line starts from; copied so a line can be run twice.
  struct State {
    CTextTagScanner scanner{nullptr, 0};
    const wchar_t* pending = nullptr;  // the rest of a run cut at a line end
    size_t pendingLength = 0;
    Stack<int> fonts;
    Stack<DWORD> colors;
    Stack<Align> aligns;
    int links = 0;      // link slots taken so far
    int openLink = -1;  // the slot of the link being drawn
    bool selected = false;
    bool cut = false;  // the rest of the line is beyond the right edge
    int paragraphSpace = 0;
  };

  // One pass over a line: where it is, what it found.
  struct Line {
    int top = 0;
    int height = 0;     // known in the drawing pass, found by the measuring pass
    bool draw = false;  // the drawing pass
    int x = 0;
    int items = 0;
    int width = 0;
    int space = 0;       // paragraph spacing below the line
    bool ended = false;  // no more tokens
  };
  // How a line goes on after an item.
  enum class Flow { kGoOn, kBreakAfter, kBreakBefore };

  void RunLine(State& state, Line& line);
  Flow Tag(State& state, const TextToken& token, Line& line);
  // Places a run (line breaks inside it end the line; the rest is pending).
  Flow Text(State& state, const wchar_t* text, size_t length, Line& line);
  // Places a run without line breaks; returns the characters used and sets *wrap when the line ends.
  size_t Segment(State& state, const wchar_t* text, size_t length, Line& line, bool* wrap);
  Flow Image(State& state, const TextToken& token, Line& line);
  void Place(Line& line, int width, int height);
  void DrawRun(const State& state,
               const Line& line,
               const wchar_t* text,
               int count,
               int width,
               int itemHeight,
               bool ellipsis);
  int ItemTop(const State& state, const Line& line, int itemHeight) const;
  int FontHeight(int font);
  int Variant(int font, bool bold, bool underline, bool italic);
  int FixedColumn(const State& state, int number, int fixed) const;

  HDC dc_;
  CManagerUI* manager_;
  RECT rect_;
  UINT format_;
  bool singleLine_;
  bool measuring_;
  RECT* links_;
  CUIString* targets_;
  int linkSlots_;
  int hovered_;
  int linksUsed_ = 0;
  DWORD baseColor_;
  int baseFont_;
};

}  // namespace SkinUI
