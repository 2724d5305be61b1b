#include <windows.h>

#include <gtest/gtest.h>

#include "skinui/core/resources.h"
#include "skinui/core/xml_markup.h"

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

}  // namespace
