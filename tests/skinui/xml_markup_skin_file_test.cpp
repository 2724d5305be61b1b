#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "skinui/core/markup/xml_markup.h"
#include "skinui/core/resources/resources.h"

namespace {

// The process-wide context over this test program's own skin archive.
void loadTestSkin() {
  SkinUI::CResourceContext& context = SkinUI::CResourceContext::Instance();
  context.SetModuleHandle(::GetModuleHandleW(nullptr));
  context.SetLanguage(L"en_US", L"en_US");
  context.SetSkinDirectory(L"");
  context.LoadSkinPackage(SkinUI::kSkinArchiveId, L"language.tsv");
}

TEST(XmlMarkupSkinFile, LoadsMarkupFromTheUnpackedSkin) {
  loadTestSkin();
  SkinUI::CXmlMarkup markup;
  ASSERT_TRUE(markup.ParseSkinFile(L"mainframe.xml", SkinUI::MarkupEncoding::Utf8));
  SkinUI::CXmlNode root = markup.GetRootNode();
  ASSERT_TRUE(root.IsBound());
  EXPECT_STREQ(root.GetName(), L"Window");
  SkinUI::CXmlNode label = root.GetFirstChild().GetFirstChild();
  EXPECT_STREQ(label.GetName(), L"Label");
  wchar_t text[16] = {};
  ASSERT_TRUE(label.ReadAttribute(L"text", text, 15));
  EXPECT_STREQ(text, L"@title");
}

TEST(XmlMarkupSkinFile, MissingFileFailsAndReleasesTheOldDocument) {
  loadTestSkin();
  SkinUI::CXmlMarkup markup;
  ASSERT_TRUE(markup.ParseText(L"<Old/>"));
  EXPECT_FALSE(markup.ParseSkinFile(L"no-such.xml", SkinUI::MarkupEncoding::Utf8));
  EXPECT_FALSE(markup.GetRootNode().IsBound());
  // An empty file is not kept in the skin, so it cannot be loaded either.
  EXPECT_FALSE(markup.ParseSkinFile(L"layout\\empty.xml", SkinUI::MarkupEncoding::Utf8));
}

std::wstring errorText(const SkinUI::CXmlMarkup& markup) {
  wchar_t text[SkinUI::CXmlMarkup::kErrorTextLength] = {};
  markup.GetErrorText(text, SkinUI::CXmlMarkup::kErrorTextLength - 1);
  return text;
}

std::wstring errorContext(const SkinUI::CXmlMarkup& markup) {
  wchar_t context[SkinUI::CXmlMarkup::kErrorContextLength] = {};
  markup.GetErrorContext(context, SkinUI::CXmlMarkup::kErrorContextLength - 1);
  return context;
}

// The error box must tell why this load failed, not repeat an earlier
// parse error or show nothing.
TEST(XmlMarkupSkinFile, MissingFileReportsItsNameNotAnEarlierError) {
  loadTestSkin();
  const std::wstring longName = L"layout\\" + std::wstring(80, L'n') + L".xml";
  struct Case {
    const wchar_t* before;  // parsed first; null for a fresh markup
    std::wstring name;
    std::wstring context;
  } cases[] = {
      {nullptr, L"no-such.xml", L"no-such.xml"},
      {L"<a><b></a>", L"no-such.xml", L"no-such.xml"},
      {L"<Old/>", L"layout\\empty.xml", L"layout\\empty.xml"},
      {L"<a x=1/>", longName, longName.substr(0, SkinUI::CXmlMarkup::kErrorContextLength - 1)},
  };
  for (const Case& c : cases) {
    SkinUI::CXmlMarkup markup;
    if (c.before != nullptr) markup.ParseText(c.before);
    EXPECT_FALSE(markup.ParseSkinFile(c.name.c_str(), SkinUI::MarkupEncoding::Utf8));
    EXPECT_EQ(errorText(markup), L"Could not load file") << c.name;
    EXPECT_EQ(errorContext(markup), c.context) << c.name;
  }
  SkinUI::CXmlMarkup unnamed;
  EXPECT_FALSE(unnamed.ParseSkinFile(nullptr, SkinUI::MarkupEncoding::Utf8));
  EXPECT_EQ(errorText(unnamed), L"Could not load file");
  EXPECT_EQ(errorContext(unnamed), L"");
}

}  // namespace
