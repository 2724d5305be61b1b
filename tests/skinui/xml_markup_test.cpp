#include "skinui/core/markup/xml_markup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "skinui/core/markup/text_codec.h"

namespace {

using SkinUI::CXmlMarkup;
using SkinUI::CXmlNode;
using SkinUI::MarkupEncoding;

std::wstring ErrorText(const CXmlMarkup& markup) {
  wchar_t buffer[CXmlMarkup::kErrorTextLength + 1] = {};
  markup.GetErrorText(buffer, CXmlMarkup::kErrorTextLength);
  return buffer;
}

std::wstring ErrorContext(const CXmlMarkup& markup) {
  wchar_t buffer[CXmlMarkup::kErrorContextLength + 1] = {};
  markup.GetErrorContext(buffer, CXmlMarkup::kErrorContextLength);
  return buffer;
}

std::wstring Attribute(const CXmlNode& node, const wchar_t* name) {
  wchar_t buffer[256] = {};
  if (!node.ReadAttribute(name, buffer, 255)) return L"<none>";
  return buffer;
}

std::wstring Nested(int levels) {
  std::wstring text;
  for (int i = 0; i < levels; ++i) text += L"<a>";
  for (int i = 0; i < levels; ++i) text += L"</a>";
  return text;
}

struct ErrorCase {
  const wchar_t* document;
  const wchar_t* message;
  const wchar_t* context;
};

TEST(XmlMarkup, MalformedDocumentsFailWithMessageAndLocation) {
  const ErrorCase cases[] = {
      {L"text", L"Expected start tag", L"text"},
      {L"<a><b/>between</a>", L"Expected start tag", L"between</a>"},
      {L"<a><b><c/>", L"Expected start tag", L""},
      {L"<abc", L"Error parsing element name", L""},
      {L"<a x=\"1\"/ >", L"Expected start-tag closing", L"/ >"},
      {L"<a><b><c>text", L"Expected end-tag start", L""},
      {L"<a></b>", L"Unmatched closing tag", L"b>"},
      {L"<Window></window>", L"Unmatched closing tag", L"window>"},
      {L"<a></a x>", L"Unmatched closing tag", L">"},
      {L"<a x>", L"Error while parsing attributes", L">"},
      {L"<a x-y=\"1\">", L"Error while parsing attributes", L"-y=\"1\">"},
      {L"<a x=1>", L"Expected attribute value", L">"},
      {L"<a x='1'>", L"Expected attribute value", L"1'>"},
      {L"<a x=\"abc", L"Error while parsing attribute string", L""},
      // The text ends where the failing step would step past it: the
      // location is the (empty) end, never beyond the buffer.
      {L"<a x=", L"Expected attribute value", L""},
      {L"<a><b></b", L"Unmatched closing tag", L""},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.document);
    CXmlMarkup markup;
    EXPECT_FALSE(markup.ParseText(c.document));
    EXPECT_EQ(ErrorText(markup), c.message);
    EXPECT_EQ(ErrorContext(markup), c.context);
    EXPECT_FALSE(markup.GetRootNode().IsBound());
  }
}

TEST(XmlMarkup, ErrorLocationIsCutTo49AndCopiesAreBounded) {
  CXmlMarkup markup;
  std::wstring tail(80, L'x');
  ASSERT_FALSE(markup.ParseText(tail.c_str()));
  EXPECT_EQ(ErrorContext(markup), std::wstring(49, L'x'));

  // At most size characters are copied, unterminated when the text is longer.
  wchar_t small[8];
  std::fill(std::begin(small), std::end(small), L'#');
  markup.GetErrorText(small, 5);
  EXPECT_EQ(std::wstring(small, 8), L"Expec###");
  markup.GetErrorContext(small, 0);
  EXPECT_EQ(small[0], L'E');
}

TEST(XmlMarkup, DocumentsWithoutElementsLoadWithoutRoot) {
  const wchar_t* documents[] = {L"",
                                L"  \r\n\t ",
                                L"<!-- only a comment -->",
                                L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n",
                                L"<!-- never closed",
                                L"<? never closed"};
  for (const wchar_t* document : documents) {
    SCOPED_TRACE(document);
    CXmlMarkup markup;
    EXPECT_TRUE(markup.ParseText(document));
    EXPECT_FALSE(markup.GetRootNode().IsBound());
  }
  CXmlMarkup markup;
  EXPECT_TRUE(markup.ParseText(nullptr));
  EXPECT_FALSE(markup.GetRootNode().IsBound());
}

TEST(XmlMarkup, BuildsTheTreeWithCommentsAndDeclarationsSkipped) {
  CXmlMarkup markup;
  ASSERT_TRUE(markup.ParseText(
      L"<?xml version=\"1.0\"?>\n<!-- skin -->\n<Window size=\"400,300\">\n"
      L"  <Font id=\"0\" name=\"Arial\"/>\n  <!-- body -->\n"
      L"  <VerticalLayout>\n    <Label name=\"title\" text=\"Hi\" />\n    <Button/>\n  </VerticalLayout >\n"
      L"</Window>\n<Extra/>"));
  CXmlNode root = markup.GetRootNode();
  ASSERT_TRUE(root.IsBound());
  EXPECT_STREQ(root.GetName(), L"Window");
  EXPECT_EQ(Attribute(root, L"size"), L"400,300");

  CXmlNode font = root.GetFirstChild();
  EXPECT_STREQ(font.GetName(), L"Font");
  EXPECT_FALSE(font.HasChild());
  CXmlNode layout = font.GetNextSibling();
  EXPECT_STREQ(layout.GetName(), L"VerticalLayout");
  EXPECT_FALSE(layout.HasAnyAttribute());
  EXPECT_FALSE(layout.GetNextSibling().IsBound());

  CXmlNode label = layout.GetFirstChild();
  EXPECT_STREQ(label.GetName(), L"Label");
  EXPECT_EQ(label.CountAttributes(), 2);
  EXPECT_STREQ(label.GetAttributeNameAt(1), L"text");
  EXPECT_STREQ(label.ReadAttribute(1), L"Hi");
  // "<Button/>" closes itself: it is a sibling, not the parent of what follows.
  CXmlNode button = label.GetNextSibling();
  EXPECT_STREQ(button.GetName(), L"Button");
  EXPECT_FALSE(button.HasChild());
  EXPECT_FALSE(button.GetNextSibling().IsBound());

  CXmlNode extra = root.GetNextSibling();
  EXPECT_STREQ(extra.GetName(), L"Extra");
}

TEST(XmlMarkup, MissingEndTagsAreToleratedOnlyAtTheTop) {
  CXmlMarkup markup;
  ASSERT_TRUE(markup.ParseText(L"<Window><Label text=\"a\"/>"));
  EXPECT_STREQ(markup.GetRootNode().GetFirstChild().GetName(), L"Label");

  // Text content running into the end: the element name still ends at the name.
  ASSERT_TRUE(markup.ParseText(L"<Window><Label>abc"));
  CXmlNode label = markup.GetRootNode().GetFirstChild();
  EXPECT_STREQ(markup.GetRootNode().GetName(), L"Window");
  EXPECT_STREQ(label.GetName(), L"Label");
  ASSERT_TRUE(markup.ParseText(L"<Window>abc"));
  EXPECT_STREQ(markup.GetRootNode().GetName(), L"Window");
}

TEST(XmlMarkup, EmptyElementWithOneAttribute) {
  CXmlMarkup markup;
  ASSERT_TRUE(markup.ParseText(L"<Control width=\"10\"/>"));
  CXmlNode node = markup.GetRootNode();
  EXPECT_STREQ(node.GetName(), L"Control");
  EXPECT_EQ(node.CountAttributes(), 1);
  EXPECT_EQ(Attribute(node, L"width"), L"10");
  EXPECT_FALSE(node.HasChild());
}

TEST(XmlMarkup, ValuesDecodeTheFiveEntitiesOnce) {
  struct Case {
    const wchar_t* value;
    const wchar_t* decoded;
  } cases[] = {
      {L"&amp;&lt;&gt;&quot;&apos;", L"&<>\"'"},
      {L"a & b &c; &am", L"a & b &c; &am"},
      {L"&amp;lt;", L"&lt;"},
      {L"&&amp;&", L"&&&"},
      {L"<u>Terms</u> 'img.png'", L"<u>Terms</u> 'img.png'"},
      {L"tab\there\r\nline", L"tab\there\r\nline"},
      {L"", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    CXmlMarkup markup;
    std::wstring document = std::wstring(L"<a v=\"") + c.value + L"\" next=\"2\" last=\"3\"/>";
    ASSERT_TRUE(markup.ParseText(document.c_str()));
    CXmlNode node = markup.GetRootNode();
    EXPECT_EQ(Attribute(node, L"v"), c.decoded);
    // A shrunk value must not hide the attributes after it.
    EXPECT_EQ(node.CountAttributes(), 3);
    EXPECT_EQ(Attribute(node, L"next"), L"2");
    EXPECT_EQ(Attribute(node, L"last"), L"3");
  }
}

TEST(XmlMarkup, AttributeLookupRules) {
  CXmlMarkup markup;
  ASSERT_TRUE(markup.ParseText(L"<a Name=\"upper\" name=\"lower\"x=\"tight\" y = \"spaced\" name=\"again\"/>"));
  CXmlNode node = markup.GetRootNode();
  EXPECT_EQ(node.CountAttributes(), 5);
  EXPECT_EQ(Attribute(node, L"name"), L"lower");
  EXPECT_EQ(Attribute(node, L"Name"), L"upper");
  EXPECT_EQ(Attribute(node, L"NAME"), L"<none>");
  EXPECT_EQ(Attribute(node, L"x"), L"tight");
  EXPECT_EQ(Attribute(node, L"y"), L"spaced");
  EXPECT_STREQ(node.GetAttributeNameAt(5), L"");
  EXPECT_STREQ(node.GetAttributeNameAt(-1), L"");
  EXPECT_STREQ(node.ReadAttribute(99), L"");

  // At most size characters are copied.
  wchar_t buffer[8] = {};
  ASSERT_TRUE(node.ReadAttribute(L"x", buffer, 3));
  EXPECT_STREQ(buffer, L"tig");
}

TEST(XmlMarkup, OnlyTheFirst64AttributesAreVisible) {
  std::wstring document = L"<a";
  for (int i = 0; i < 70; ++i) document += L" k" + std::to_wstring(i) + L"=\"" + std::to_wstring(i) + L"\"";
  document += L"/>";
  CXmlMarkup markup;
  ASSERT_TRUE(markup.ParseText(document.c_str()));
  CXmlNode node = markup.GetRootNode();
  EXPECT_EQ(node.CountAttributes(), 64);
  EXPECT_STREQ(node.GetAttributeNameAt(63), L"k63");
  EXPECT_STREQ(node.ReadAttribute(63), L"63");
  EXPECT_EQ(Attribute(node, L"k64"), L"<none>");
}

TEST(XmlMarkup, WhitespaceAfterBlankCollapsesOnlyWhenAsked) {
  const wchar_t* document = L"<a v=\"x   y\t z\"/>";
  CXmlMarkup markup;
  ASSERT_TRUE(markup.ParseText(document));
  EXPECT_EQ(Attribute(markup.GetRootNode(), L"v"), L"x   y\t z");
  markup.SetKeepWhitespace(false);
  ASSERT_TRUE(markup.ParseText(document));
  EXPECT_EQ(Attribute(markup.GetRootNode(), L"v"), L"x y\t z");
}

TEST(XmlMarkup, ManyElementsKeepTheirLinksAcrossTableGrowth) {
  std::wstring document = L"<list>";
  for (int i = 0; i < 3000; ++i) document += L"<item n=\"" + std::to_wstring(i) + L"\"/>";
  document += L"</list>";
  CXmlMarkup markup;
  ASSERT_TRUE(markup.ParseText(document.c_str()));
  int count = 0;
  for (CXmlNode item = markup.GetRootNode().GetFirstChild(); item.IsBound(); item = item.GetNextSibling()) {
    ASSERT_EQ(Attribute(item, L"n"), std::to_wstring(count));
    ++count;
  }
  EXPECT_EQ(count, 3000);
}

TEST(XmlMarkup, NestingIsBounded) {
  CXmlMarkup markup;
  ASSERT_TRUE(markup.ParseText(Nested(CXmlMarkup::kMaxDepth).c_str()));
  CXmlNode node = markup.GetRootNode();
  int depth = 1;
  while (node.HasChild()) node = node.GetFirstChild(), ++depth;
  EXPECT_EQ(depth, CXmlMarkup::kMaxDepth);

  for (int levels : {CXmlMarkup::kMaxDepth + 1, 100000}) {
    SCOPED_TRACE(levels);
    EXPECT_FALSE(markup.ParseText(Nested(levels).c_str()));
    EXPECT_EQ(ErrorText(markup), L"Elements nested too deeply");
  }
}

TEST(XmlMarkup, NodesOfAReleasedDocumentAreUnbound) {
  CXmlMarkup markup;
  ASSERT_TRUE(markup.ParseText(L"<a x=\"1\"><b/></a>"));
  CXmlNode root = markup.GetRootNode();
  EXPECT_EQ(root.CountAttributes(), 1);
  ASSERT_TRUE(markup.ParseText(L"<c/>"));
  EXPECT_FALSE(root.IsBound());
  EXPECT_STREQ(root.GetName(), L"");
  EXPECT_EQ(root.CountAttributes(), 0);
  EXPECT_STREQ(root.ReadAttribute(0), L"");
  EXPECT_FALSE(root.GetFirstChild().IsBound());
  markup.Clear();
  EXPECT_FALSE(markup.GetRootNode().IsBound());

  CXmlNode unbound;
  EXPECT_FALSE(unbound.IsBound());
  EXPECT_FALSE(unbound.HasChild());
  EXPECT_FALSE(unbound.HasAnyAttribute());
  wchar_t buffer[4] = {};
  EXPECT_FALSE(unbound.ReadAttribute(L"x", buffer, 3));
}

// Encodings: the same skin document in every accepted byte form.
constexpr char kUtf8Document[] = "<Window title=\"caf\xC3\xA9 \xE4\xB8\xAD\"><Label/></Window>";
const std::wstring kTitle = L"caf\u00E9 \u4E2D";

std::string Utf16Bytes(const std::wstring& text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (wchar_t ch : text) {
    char high = static_cast<char>((ch >> 8) & 0xFF);
    char low = static_cast<char>(ch & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

void ExpectTitle(CXmlMarkup& markup, const std::string& bytes, MarkupEncoding encoding, const std::wstring& title) {
  ASSERT_TRUE(markup.ParseBytes(bytes.data(), bytes.size(), encoding)) << ErrorText(markup);
  CXmlNode root = markup.GetRootNode();
  EXPECT_STREQ(root.GetName(), L"Window");
  EXPECT_EQ(Attribute(root, L"title"), title);
  EXPECT_STREQ(root.GetFirstChild().GetName(), L"Label");
}

TEST(XmlMarkup, DecodesUtf8WithAndWithoutByteOrderMark) {
  CXmlMarkup markup;
  ExpectTitle(markup, kUtf8Document, MarkupEncoding::Utf8, kTitle);
  ExpectTitle(markup, std::string("\xEF\xBB\xBF") + kUtf8Document, MarkupEncoding::Utf8, kTitle);
  // Invalid bytes become replacement characters; the document still loads.
  ExpectTitle(markup, "<Window title=\"a\xFF\"><Label/></Window>", MarkupEncoding::Utf8, L"a\uFFFD");
  EXPECT_TRUE(markup.ParseBytes("\xEF\xBB\xBF", 3, MarkupEncoding::Utf8));
  EXPECT_FALSE(markup.GetRootNode().IsBound());
}

TEST(XmlMarkup, DecodesUtf16InBothByteOrders) {
  std::wstring document = L"<Window title=\"" + kTitle + L"\"><Label/></Window>";
  CXmlMarkup markup;
  ExpectTitle(markup, Utf16Bytes(document, false), MarkupEncoding::Utf16, kTitle);
  ExpectTitle(markup, Utf16Bytes(document, true), MarkupEncoding::Utf16, kTitle);
  // A trailing odd byte is not part of any unit.
  ExpectTitle(markup, Utf16Bytes(document, false) + "<", MarkupEncoding::Utf16, kTitle);
  EXPECT_TRUE(markup.ParseBytes("\xFF\xFE", 2, MarkupEncoding::Utf16));
  EXPECT_FALSE(markup.GetRootNode().IsBound());
}

TEST(XmlMarkup, Utf16WithoutByteOrderMarkIsRefused) {
  std::string noMark = Utf16Bytes(L"<a/>", false).substr(2);
  const std::string inputs[] = {noMark, "\xFF", ""};
  for (const std::string& input : inputs) {
    CXmlMarkup markup;
    EXPECT_FALSE(markup.ParseBytes(input.data(), input.size(), MarkupEncoding::Utf16));
    EXPECT_EQ(ErrorText(markup), L"Expected byte-order mark");
    EXPECT_FALSE(markup.GetRootNode().IsBound());
  }
}

TEST(XmlMarkup, DecodesAnsiThroughTheCodePage) {
  std::string bytes = "<Window title=\"Install \xE9\"><Label/></Window>";
  std::wstring expected(2, L'\0');
  ASSERT_EQ(SkinUI::DecodeBytes(SkinUI::ByteEncoding::Ansi, "\xE9", 1, expected.data(), 2), 1u);
  expected.resize(1);
  CXmlMarkup markup;
  ExpectTitle(markup, bytes, MarkupEncoding::Ansi, L"Install " + expected);
}

TEST(XmlMarkup, EmbeddedNulEndsTheText) {
  const char bytes[] = "<a/>\0garbage that is never read";
  CXmlMarkup markup;
  EXPECT_TRUE(markup.ParseBytes(bytes, sizeof(bytes) - 1, MarkupEncoding::Utf8));
  EXPECT_STREQ(markup.GetRootNode().GetName(), L"a");
}

}  // namespace
