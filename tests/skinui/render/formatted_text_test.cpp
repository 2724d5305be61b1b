#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "skinui/core/resources/resources.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/render/render_ui.h"
#include "tests/skinui/render/render_test_support.h"

namespace {

using SkinUI::CRenderUI;
using vxtest::Surface;

constexpr int kFont = 1;
constexpr UINT kCalc = DT_CALCRECT;

class FormattedText : public testing::Test {
 protected:
  FormattedText() : surface_(400, 200) {
    manager_.SetPaintDC(surface_.dc());
    manager_.RegisterFont(kFont, L"Tahoma", 13, false, false, false, false);
  }

  // The plain extent of text in a font of the manager.
  SIZE Extent(const wchar_t* text, int font = kFont) {
    SkinUI::ScopedSelectObject select(surface_.dc(), manager_.GetFont(font));
    SIZE size{};
    ::GetTextExtentPoint32W(surface_.dc(), text, ::lstrlenW(text), &size);
    return size;
  }
  int LineHeight() { return manager_.GetFontInfo(kFont)->metrics.tmHeight; }

  // The used extent of a calculate-rectangle call in a box of width x height.
  SIZE Measure(const wchar_t* text, UINT format, int width = 400, int height = 200, DWORD color = 0xFF000000) {
    RECT rect{0, 0, width, height};
    int links = 0;
    CRenderUI::DrawFormattedText(surface_.dc(), &manager_, rect, text, color, nullptr, nullptr, links, kFont,
                                 format | kCalc);
    return SIZE{rect.right, rect.bottom};
  }

  void Draw(const wchar_t* text, UINT format, RECT rect, DWORD color = 0xFF000000) {
    int links = 0;
    CRenderUI::DrawFormattedText(surface_.dc(), &manager_, rect, text, color, nullptr, nullptr, links, kFont, format);
  }

  Surface surface_;
  SkinUI::CManagerUI manager_;
};

TEST_F(FormattedText, ASingleLineMeasuresLikeItsText) {
  const SIZE size = Measure(L"Hello world", DT_SINGLELINE);
  EXPECT_EQ(size.cx, Extent(L"Hello world").cx);
  EXPECT_EQ(size.cy, LineHeight());
  const SIZE plain = CRenderUI::GetTextSize(surface_.dc(), &manager_, L"Hello world", kFont, DT_SINGLELINE);
  EXPECT_EQ(plain.cx, size.cx);
  EXPECT_EQ(plain.cy, size.cy);
}

TEST_F(FormattedText, LineBreaksStackLines) {
  const SIZE size = Measure(L"first<n>second line{n}third", 0);
  EXPECT_EQ(size.cx, Extent(L"second line").cx);
  EXPECT_EQ(size.cy, 3 * LineHeight());
  EXPECT_EQ(Measure(L"first<n>second", DT_SINGLELINE).cy, LineHeight()) << "n is ignored on a single line";
  EXPECT_EQ(Measure(L"a\nb", 0).cy, 2 * LineHeight()) << "a newline character breaks too";
}

TEST_F(FormattedText, ParagraphsAndLineHeights) {
  // The paragraph tag breaks the line and adds its spacing below its lines.
  EXPECT_EQ(Measure(L"a<p 10>b</p>", 0).cy, 2 * LineHeight() + 10);
  EXPECT_EQ(Measure(L"<p 6>a", 0).cy, LineHeight() + 6) << "no break at the start of a line";
  EXPECT_EQ(Measure(L"<y 40>tall", 0).cy, 40);
}

TEST_F(FormattedText, TagsChangeFontsButAreNotShown) {
  EXPECT_EQ(Measure(L"ab<q>cd</q>", DT_SINGLELINE).cx, Extent(L"abcd").cx) << "an unknown tag shows nothing";
  EXPECT_EQ(Measure(L"<c #FF0000>ab</c>cd", DT_SINGLELINE).cx, Extent(L"abcd").cx);
  const int bold = manager_.FindOrAddFont(L"Tahoma", 13, true, false, false);
  EXPECT_EQ(Measure(L"<b>Wide words</b>", DT_SINGLELINE).cx, Extent(L"Wide words", bold).cx);
  manager_.RegisterFont(5, L"Tahoma", 30, false, false, false, false);
  EXPECT_EQ(Measure(L"<f 5>Big</f>", DT_SINGLELINE).cy, manager_.GetFontInfo(5)->metrics.tmHeight);
  EXPECT_EQ(Measure(L"<f Tahoma 24>Big</f>", DT_SINGLELINE).cx,
            Extent(L"Big", manager_.FindOrAddFont(L"Tahoma", 24, false, false, false)).cx);
}

TEST_F(FormattedText, RawTextShowsItsTags) {
  EXPECT_EQ(Measure(L"<r><b>x</b>{n}</r>", DT_SINGLELINE).cx, Extent(L"<b>x</b>{n}").cx);
}

TEST_F(FormattedText, PositionTagsMoveTheText) {
  const int b = Extent(L"b").cx;
  EXPECT_EQ(Measure(L"a<x 30>b", DT_SINGLELINE).cx, Extent(L"a").cx + 30 + b);
  EXPECT_EQ(Measure(L"a<z 50>b", DT_SINGLELINE).cx, 50 + b);
  EXPECT_EQ(Measure(L"a<h 70>b", DT_SINGLELINE).cx, 70 + b);
  // Text of the colour 0xFF17171A goes to fixed columns.
  EXPECT_EQ(Measure(L"a<z 50>b", DT_SINGLELINE, 400, 200, 0xFF17171A).cx, 214 + b);
  EXPECT_EQ(Measure(L"a<h 70>b", DT_SINGLELINE, 400, 200, 0xFF17171A).cx, 322 + b);
  EXPECT_EQ(Measure(L"<c #FF17171A>a<z 5>b</c>", DT_SINGLELINE).cx, 214 + b);
}

TEST_F(FormattedText, WordBreakWrapsAfterABlank) {
  const int width = Extent(L"alpha beta").cx + 2;
  const SIZE wrapped = Measure(L"alpha beta gamma", DT_WORDBREAK, width);
  EXPECT_EQ(wrapped.cy, 2 * LineHeight());
  EXPECT_LE(wrapped.cx, width);
  EXPECT_EQ(wrapped.cx, Extent(L"alpha beta").cx) << "the blank at the break is not counted";
  const SIZE cut = Measure(L"alpha beta gamma", 0, width);
  EXPECT_EQ(cut.cy, LineHeight()) << "without word break the line is cut";
  // A word longer than the line is split where it reaches the edge.
  const SIZE split = Measure(L"abcdefghijklmnopqrstuvwxyz", DT_WORDBREAK, Extent(L"abcdefgh").cx);
  EXPECT_GE(split.cy, 3 * LineHeight());
}

TEST_F(FormattedText, EndEllipsisReplacesTheLastTwoCharactersThatFit) {
  const wchar_t* text = L"WWWWWWWWWWWWWWWWWWWW";
  const int width = Extent(L"WWWWWW").cx + 3;
  Surface expected(400, 200);
  {
    SkinUI::ScopedSelectObject select(expected.dc(), manager_.GetFont(kFont));
    ::SetBkMode(expected.dc(), TRANSPARENT);
    ::ExtTextOutW(expected.dc(), 0, 0, 0, nullptr, L"WWWW", 4, nullptr);
    ::ExtTextOutW(expected.dc(), Extent(L"WWWW").cx, 0, 0, nullptr, L"...", 3, nullptr);
  }
  const RECT clip{0, 0, width, 100};
  {
    auto limit = CRenderUI::MakeClip(expected.dc(), RECT{width, 0, 400, 200});
    CRenderUI::FillColor(expected.dc(), RECT{0, 0, 400, 200}, 0xFFFFFFFF);
  }
  Draw(text, DT_SINGLELINE | DT_END_ELLIPSIS, clip);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 400; ++x) {
      ASSERT_EQ(surface_.At(x, y) & 0xFFFFFF, expected.At(x, y) & 0xFFFFFF) << x << "," << y;
    }
  }
  // Without the ellipsis the text is cut at the edge: nothing beyond it.
  surface_.Fill(0xFFFFFFFF);
  Draw(text, DT_SINGLELINE, clip);
  EXPECT_GT(surface_.CountNotRgb(0xFFFFFF), 0);
  for (int x = width; x < 400; ++x) ASSERT_EQ(surface_.At(x, 5) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(FormattedText, LinksReportTheirRectanglesAndTargets) {
  RECT links[4] = {};
  SkinUI::CUIString targets[4];
  int count = 4;
  RECT rect{10, 20, 390, 120};
  CRenderUI::DrawFormattedText(surface_.dc(), &manager_, rect, L"see <a http://one/>one</a> or <a>two</a>", 0xFF000000,
                               links, targets, count, kFont, DT_SINGLELINE);
  ASSERT_EQ(count, 2);
  EXPECT_TRUE(targets[0] == L"http://one/");
  EXPECT_TRUE(targets[1] == L"");
  const int underlined = manager_.FindOrAddFont(L"Tahoma", 13, false, true, false);
  EXPECT_EQ(links[0].left, 10 + Extent(L"see ").cx);
  EXPECT_EQ(links[0].right - links[0].left, Extent(L"one", underlined).cx);
  EXPECT_EQ(links[0].top, 20);
  EXPECT_EQ(links[0].bottom, 20 + LineHeight());
  EXPECT_GT(links[1].left, links[0].right);
  // Link text is drawn in the link colour.
  EXPECT_GT(surface_.CountRgb(0x0000FF), 0);
  EXPECT_EQ(surface_.CountRgb(0xD3215F), 0);

  // Fewer slots than links: only those are filled.
  int one = 1;
  RECT single[1] = {};
  CRenderUI::DrawFormattedText(surface_.dc(), &manager_, rect, L"<a x>x</a><a y>y</a>", 0xFF000000, single, targets,
                               one, kFont, DT_SINGLELINE);
  EXPECT_EQ(one, 1);
  EXPECT_TRUE(targets[0] == L"x");
}

TEST_F(FormattedText, TheHoveredLinkUsesTheHoverColour) {
  RECT links[2] = {};
  SkinUI::CUIString targets[2];
  int count = 2;
  RECT rect{0, 0, 400, 50};
  const wchar_t* text = L"<a first>first</a> <a second>second</a>";
  CRenderUI::DrawFormattedText(surface_.dc(), &manager_, rect, text, 0xFF000000, links, targets, count, kFont,
                               DT_SINGLELINE);
  ASSERT_EQ(count, 2);
  manager_.SetMousePos(POINT{(links[1].left + links[1].right) / 2, (links[1].top + links[1].bottom) / 2});
  surface_.Fill(0xFFFFFFFF);
  CRenderUI::DrawFormattedText(surface_.dc(), &manager_, rect, text, 0xFF000000, links, targets, count, kFont,
                               DT_SINGLELINE);
  // The first link stays in the link colour, the second turns to the hover colour.
  Surface left(1, 1);
  int hover = 0;
  int plain = 0;
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 400; ++x) {
      const uint32_t rgb = surface_.At(x, y) & 0xFFFFFF;
      if (rgb == 0xD3215F) {
        ++hover;
        EXPECT_GE(x, links[1].left);
      }
      if (rgb == 0x0000FF) {
        ++plain;
        EXPECT_LT(x, links[0].right);
      }
    }
  }
  EXPECT_GT(hover, 0);
  EXPECT_GT(plain, 0);
}

TEST_F(FormattedText, SelectedSpansHaveTheSelectedBackground) {
  Draw(L"<s>picked</s> plain", DT_SINGLELINE, RECT{0, 0, 400, 50});
  const int picked = Extent(L"picked").cx;
  EXPECT_EQ(surface_.At(0, 1) & 0xFFFFFF, 0xBAE4FFu);
  EXPECT_EQ(surface_.At(picked + 2, 1) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(FormattedText, SingleLineTextIsAlignedWithinTheRectangle) {
  const int width = Extent(L"mid").cx;
  Draw(L"mid", DT_SINGLELINE | DT_CENTER | DT_VCENTER, RECT{0, 0, 400, 100});
  const int first = surface_.FirstColumnNot(0xFFFFFF);
  EXPECT_GE(first, (400 - width) / 2 - 1);
  EXPECT_LE(first, (400 - width) / 2 + 3);
  surface_.Fill(0xFFFFFFFF);
  Draw(L"end", DT_SINGLELINE | DT_RIGHT, RECT{0, 0, 400, 100});
  EXPECT_GE(surface_.FirstColumnNot(0xFFFFFF), 400 - Extent(L"end").cx - 1);
}

TEST_F(FormattedText, DrawingStaysInsideTheRectangle) {
  Draw(L"clipped text that runs far beyond the edge", DT_SINGLELINE, RECT{0, 0, 40, 100});
  for (int y = 0; y < 100; ++y) {
    for (int x = 40; x < 400; ++x) ASSERT_EQ(surface_.At(x, y) & 0xFFFFFF, 0xFFFFFFu);
  }
}

TEST_F(FormattedText, InlineImagesTakeTheirFrameAndGrowTheLine) {
  vxtest::ImageFolder folder;
  // Two 10 x 30 frames: red, then green.
  std::vector<uint32_t> pixels(20 * 30);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 20; ++x) pixels[y * 20 + x] = x < 10 ? 0xFFFF0000 : 0xFF00FF00;
  }
  const std::wstring path = folder.Write(L"frames.png", 20, 30, pixels);
  const std::wstring text = L"<i " + path + L" 2 1>";
  EXPECT_EQ(Measure(text.c_str(), DT_SINGLELINE).cy, 30);
  EXPECT_EQ(Measure(text.c_str(), DT_SINGLELINE).cx, 10);
  Draw(text.c_str(), DT_SINGLELINE, RECT{0, 0, 400, 100});
  EXPECT_EQ(surface_.CountRgb(0x00FF00), 10 * 30);
  EXPECT_EQ(surface_.CountRgb(0xFF0000), 0);
}

TEST_F(FormattedText, AnInlineImageThatFailsToLoadIsNotTriedAgain) {
  // What the file holds at the first paint: nothing, or bytes that do not decode.
  struct Case {
    const wchar_t* name;
    const char* firstBytes;
  };
  const Case cases[] = {{L"absent.png", nullptr}, {L"corrupt.png", "not an image at all"}};
  for (const Case& c : cases) {
    vxtest::ImageFolder folder;
    const std::wstring path = folder.Path(c.name);
    if (c.firstBytes != nullptr) ASSERT_TRUE(vxtest::writeFile(path, c.firstBytes));
    const std::wstring text = L"<i " + path + L" 1 0>";
    surface_.Fill(0xFFFFFFFF);
    Draw(text.c_str(), DT_SINGLELINE, RECT{0, 0, 400, 100});
    EXPECT_EQ(surface_.CountNotRgb(0xFFFFFF), 0) << c.name;
    // A good image appears under the same name: the failure stands.
    folder.Write(c.name, 10, 10, std::vector<uint32_t>(100, 0xFF00FF00));
    Draw(text.c_str(), DT_SINGLELINE, RECT{0, 0, 400, 100});
    EXPECT_EQ(surface_.CountRgb(0x00FF00), 0) << c.name;
    EXPECT_EQ(Measure(text.c_str(), DT_SINGLELINE).cx, 0) << c.name;
    EXPECT_EQ(manager_.GetImage(path.c_str()), nullptr) << c.name;
  }
}

TEST_F(FormattedText, LanguageKeysAreTranslated) {
  SkinUI::CResourceContext::Instance().AddLanguageText(L"render_greeting", L"Bonjour tout le monde");
  EXPECT_EQ(Measure(L"@render_greeting", DT_SINGLELINE).cx, Extent(L"Bonjour tout le monde").cx);
  EXPECT_EQ(CRenderUI::GetTextSize(surface_.dc(), &manager_, L"@render_greeting", kFont, DT_SINGLELINE).cx,
            Extent(L"Bonjour tout le monde").cx);
  EXPECT_EQ(Measure(L"@render_missing", DT_SINGLELINE).cx, Extent(L"@render_missing").cx);
}

TEST_F(FormattedText, PlainTextDrawsInTheGivenColour) {
  RECT rect{0, 0, 400, 50};
  CRenderUI::DrawText(surface_.dc(), &manager_, rect, L"&Red", 0xFFFF0000, kFont, DT_SINGLELINE);
  EXPECT_GT(surface_.CountRgb(0xFF0000), 0);
  RECT measured{0, 0, 0, 0};
  CRenderUI::DrawText(surface_.dc(), &manager_, measured, L"&Red", 0xFFFF0000, kFont, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(measured.right, Extent(L"&Red").cx) << "no prefix: the ampersand is shown";
}

TEST_F(FormattedText, NothingHappensWithoutTextManagerOrRoom) {
  int count = 3;
  RECT empty{5, 5, 5, 5};
  CRenderUI::DrawFormattedText(surface_.dc(), &manager_, empty, L"text", 0xFF000000, nullptr, nullptr, count, kFont, 0);
  EXPECT_EQ(count, 0);
  RECT rect{0, 0, 100, 100};
  CRenderUI::DrawFormattedText(surface_.dc(), nullptr, rect, L"text", 0xFF000000, nullptr, nullptr, count, kFont, 0);
  CRenderUI::DrawFormattedText(surface_.dc(), &manager_, rect, L"", 0xFF000000, nullptr, nullptr, count, kFont, 0);
  EXPECT_EQ(surface_.CountNotRgb(0xFFFFFF), 0);
}

}  // namespace
