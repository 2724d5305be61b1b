#include "skinui/core/resources/language_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kHeader[] = "Code\tlanguage_code\ten_US\tko_KR\nName\tlanguage_name\tEnglish\tKorean\n";

SkinUI::CLanguageTable load(const std::string& text, const std::wstring& language, bool* ok = nullptr) {
  SkinUI::CLanguageTable table;
  bool loaded = table.Load(text.data(), text.size(), language);
  if (ok != nullptr) *ok = loaded;
  return table;
}

std::wstring textOf(const SkinUI::CLanguageTable& table, const std::wstring& key) {
  const wchar_t* text = table.Find(key);
  return text == nullptr ? L"<none>" : text;
}

TEST(LanguageTable, HeaderRowsMustNameCodeAndNameColumns) {
  const std::string row = "Label\tok\tyes\n";
  const struct {
    const char* header;
    bool loads;
  } cases[] = {
      {"C\tlanguage_code\ten_US\nN\tlanguage_name\tEnglish\n", true},
      {"C\tlanguage_code\nN\tlanguage_name\n", true},
      {"C\tlanguage_code\ten_US\n", false},
      // An empty first cell vanishes with the TABs before a line.
      {"\tlanguage_code\ten_US\n\tlanguage_name\tEnglish\n", false},
      {"C\tLanguage_code\ten_US\nN\tlanguage_name\tEnglish\n", false},
      {"C\tlanguage_code\ten_US\nN\tlanguage_names\tEnglish\n", false},
      {"C\tlanguage_name\ten_US\nN\tlanguage_code\tEnglish\n", false},
      {"", false},
  };
  for (const auto& c : cases) {
    bool ok = false;
    SkinUI::CLanguageTable table = load(std::string(c.header) + row, L"en_US", &ok);
    EXPECT_EQ(ok, c.loads) << c.header;
    EXPECT_EQ(table.Size(), c.loads ? 1u : 0u) << c.header;
  }
}

TEST(LanguageTable, ColumnOfTheLanguageOrColumnTwo) {
  const std::string text = std::string(kHeader) + "Label\tbtn\tInstall\tSeolchi\n";
  const std::pair<std::wstring, std::wstring> cases[] = {{L"ko_KR", L"Seolchi"},
                                                         {L"en_US", L"Install"},
                                                         {L"fr_FR", L"Install"},
                                                         {L"KO_kr", L"Install"},
                                                         {L"", L"Install"}};
  for (const auto& [language, expected] : cases) {
    EXPECT_EQ(textOf(load(text, language), L"btn"), expected) << std::string(language.begin(), language.end());
  }
}

TEST(LanguageTable, LaterRowsWinAndShortRowsArePassedOver) {
  const std::string text = std::string(kHeader) +
                           "Label\tbtn\tInstall\tFirst\n"
                           "Label\tbtn\tInstall\tSecond\n"
                           "Label\tbtn\tOnly three cells\n"
                           "Label\tshort\n"
                           "Label\n";
  SkinUI::CLanguageTable korean = load(text, L"ko_KR");
  EXPECT_EQ(textOf(korean, L"btn"), L"Second");
  EXPECT_EQ(textOf(korean, L"short"), L"<none>");
  EXPECT_EQ(textOf(load(text, L"en_US"), L"btn"), L"Only three cells");
}

TEST(LanguageTable, KeysWithOtherCharactersArePassedOver) {
  const std::string text = std::string(kHeader) +
                           "Label\tok_Key_09\ta\n"
                           "Label\tbad key\tb\n"
                           "Label\tbad-key\tc\n"
                           "Label\tkl\xc3\xa4\x64\td\n"
                           "Label\t\tempty key\n";
  SkinUI::CLanguageTable table = load(text, L"en_US");
  EXPECT_EQ(table.Size(), 2u);
  EXPECT_EQ(textOf(table, L"ok_Key_09"), L"a");
  EXPECT_EQ(textOf(table, L""), L"empty key");
}

TEST(LanguageTable, LinesAndCellsSplitOnBreaksAndTabs) {
  using namespace std::string_literals;
  const std::string text =
      "\xef\xbb\xbf"
      "Code\tlanguage_code\ten_US\r\n\r\n\t\tName\tlanguage_name\tEnglish\t\r\n"
      "\n\nLabel\tcrlf\tone\r\n"
      "Label\ttrailing\ttwo\t\n"
      "Label\tutf8\t\xed\x95\x9c\xea\xb8\x80\n"
      "Label\tgap\t\tafter gap\n"
      "\x00Label\tafter_nul\tthree\n"s;
  bool ok = false;
  SkinUI::CLanguageTable table = load(text, L"en_US", &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(table.Header().codes.size(), 3u);
  EXPECT_EQ(table.Header().codes[0], L"\uFEFFCode");  // the byte-order mark stays
  EXPECT_EQ(table.Header().names, (std::vector<std::wstring>{L"Name", L"language_name", L"English"}));
  EXPECT_EQ(textOf(table, L"crlf"), L"one");
  EXPECT_EQ(textOf(table, L"trailing"), L"two");
  EXPECT_EQ(textOf(table, L"utf8"), L"\uD55C\uAE00");
  EXPECT_EQ(textOf(table, L"gap"), L"");
  EXPECT_EQ(textOf(table, L"after_nul"), L"<none>");
}

TEST(LanguageTable, CellLongerThan512UnitsReadsAsEmpty) {
  const std::string text =
      std::string(kHeader) + "Label\tfits\t" + std::string(512, 'a') + "\nLabel\tlong\t" + std::string(513, 'b') + "\n";
  SkinUI::CLanguageTable table = load(text, L"en_US");
  EXPECT_EQ(textOf(table, L"fits"), std::wstring(512, L'a'));
  EXPECT_EQ(textOf(table, L"long"), L"");
}

// A language code equal to the first header cell selects column 0; a row
// of one cell then has no key cell and must be passed over, not read past.
TEST(LanguageTable, ColumnZeroStillNeedsTheKeyCell) {
  const std::string text = "xx\tlanguage_code\ten_US\nN\tlanguage_name\tEnglish\nonly\nLabel\tk\tv\n";
  SkinUI::CLanguageTable table = load(text, L"xx");
  EXPECT_EQ(table.Size(), 1u);
  EXPECT_EQ(textOf(table, L"k"), L"Label");
}

TEST(LanguageTable, SetReplacesAndReturnsTheStoredText) {
  SkinUI::CLanguageTable table;
  EXPECT_EQ(table.Find(L"k"), nullptr);
  EXPECT_EQ(std::wstring(table.Set(L"k", L"one")), L"one");
  const wchar_t* second = table.Set(L"k", L"two");
  EXPECT_EQ(table.Find(L"k"), second);
  EXPECT_EQ(std::wstring(second), L"two");
}

}  // namespace
