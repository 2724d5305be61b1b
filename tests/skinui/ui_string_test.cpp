#include "skinui/core/markup/ui_string.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using SkinUI::CUIString;

bool StoredInside(const CUIString& s) {
  auto* begin = reinterpret_cast<const char*>(&s);
  auto* data = reinterpret_cast<const char*>(s.GetData());
  return data >= begin && data < begin + sizeof(s);
}

TEST(UIString, ShortStringsLiveInsideTheObject) {
  std::wstring text(CUIString::kInlineLength, L'a');
  CUIString s(text.c_str());
  EXPECT_TRUE(StoredInside(s));
  s += L'b';
  EXPECT_FALSE(StoredInside(s));
  EXPECT_EQ(s.GetLength(), 64u);
  EXPECT_EQ(std::wstring(s.GetData()), text + L"b");
  s = L"short";
  EXPECT_STREQ(s.GetData(), L"short");
}

TEST(UIString, NullAndEmpty) {
  CUIString fromNull(nullptr);
  EXPECT_TRUE(fromNull.IsEmpty());
  EXPECT_STREQ(fromNull.GetData(), L"");
  CUIString s(L"abc");
  s += static_cast<const wchar_t*>(nullptr);
  EXPECT_EQ(s, L"abc");
  EXPECT_EQ(s.GetAt(2), L'c');
  EXPECT_EQ(s.GetAt(3), L'\0');
  s.Empty();
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(s.Compare(nullptr), 0);
}

TEST(UIString, CopiesAndMovesKeepTheirOwnStorage) {
  std::wstring longText(200, L'x');
  for (const std::wstring& text : {std::wstring(L"short"), longText}) {
    CUIString original(text.c_str());
    CUIString copy(original);
    copy += L"!";
    EXPECT_EQ(std::wstring(original.GetData()), text);
    CUIString moved(std::move(copy));
    EXPECT_EQ(std::wstring(moved.GetData()), text + L"!");
    CUIString assigned;
    assigned = std::move(moved);
    EXPECT_EQ(std::wstring(assigned.GetData()), text + L"!");
    assigned = assigned;
    EXPECT_EQ(assigned.GetLength(), text.size() + 1);
  }
}

TEST(UIString, AppendingOrAssigningItselfAcrossGrowth) {
  CUIString s(std::wstring(40, L'a').c_str());
  s += s;  // 80 characters: grows while reading from its own storage
  EXPECT_EQ(std::wstring(s.GetData()), std::wstring(80, L'a'));
  s.Append(s.GetData() + 70, 10);
  EXPECT_EQ(s.GetLength(), 90u);
  s.Assign(s.GetData() + 85, 5);
  EXPECT_EQ(std::wstring(s.GetData()), L"aaaaa");
}

TEST(UIString, Comparisons) {
  CUIString s(L"Window");
  EXPECT_EQ(s.Compare(L"Window"), 0);
  EXPECT_LT(s.Compare(L"window"), 0);
  EXPECT_GT(s.Compare(L"Win"), 0);
  EXPECT_EQ(s.CompareNoCase(L"WINDOW"), 0);
  EXPECT_NE(s.CompareNoCase(L"WINDOWS"), 0);
  EXPECT_TRUE(s == CUIString(L"Window"));
  EXPECT_TRUE(s != L"window");
  EXPECT_TRUE(CUIString(L"a") < CUIString(L"b"));
  // Units above 0x7FFF order after ASCII whatever the sign of wchar_t.
  EXPECT_GT(CUIString(L"\u4E2D").Compare(L"z"), 0);
}

TEST(UIString, SubstringsFindAndReplace) {
  CUIString s(L"common/close.png");
  EXPECT_EQ(s.Left(6), L"common");
  EXPECT_EQ(s.Mid(7, 5), L"close");
  EXPECT_EQ(s.Mid(7), L"close.png");
  EXPECT_EQ(s.Right(3), L"png");
  EXPECT_EQ(s.Right(99), s);
  EXPECT_TRUE(s.Mid(99).IsEmpty());
  EXPECT_EQ(s.Find(L'/'), 6u);
  EXPECT_EQ(s.Find(L'/', 7), CUIString::kNotFound);
  EXPECT_EQ(s.Find(L"close"), 7u);
  EXPECT_EQ(s.Find(L"png", 14), CUIString::kNotFound);
  EXPECT_EQ(s.Find(L"x", 99), CUIString::kNotFound);

  CUIString path(L"a\\b\\c");
  EXPECT_EQ(path.Replace(L"\\", L"/"), 2u);
  EXPECT_EQ(path, L"a/b/c");
  EXPECT_EQ(path.Replace(L"/", L"--"), 2u);
  EXPECT_EQ(path, L"a--b--c");
  EXPECT_EQ(path.Replace(L"", L"x"), 0u);
  EXPECT_EQ(path.Replace(L"q", L"x"), 0u);
  EXPECT_EQ(CUIString(L"ab") + L"cd" + CUIString(L"ef"), L"abcdef");
}

}  // namespace
