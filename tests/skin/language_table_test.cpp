// The packed language table: its header, every key in every language, the
// English texts the screens show, the rows that repeat a key, the keys the
// screens use without a row, and the column a language without one takes.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skinui/core/resources/lang_text.h"
#include "skinui/core/resources/language_table.h"
#include "skinui/core/resources/resources.h"
#include "tests/skin/skin_test_support.h"

namespace {

using vxtest::kLanguageCodes;

// Every key of the table: those the screens show and those kept for
// texts that are shown nowhere.
const wchar_t* const kKeys[] = {L"window_title",
                                L"facebook_tip",
                                L"minimize_tip",
                                L"download_close",
                                L"browser",
                                L"Label_path_error",
                                L"protocol_accept",
                                L"protocol_accept_btn",
                                L"Button_install_define",
                                L"Button_install_back",
                                L"install_now",
                                L"install_fast",
                                L"choice_path",
                                L"error",
                                L"accept_protocol",
                                L"error_path",
                                L"disk_notEnough",
                                L"additional_software",
                                L"loading_ad",
                                L"offer_by",
                                L"ironsource_url",
                                L"Accept",
                                L"Reject",
                                L"progress_downloading_label",
                                L"progress_install_label",
                                L"downloading",
                                L"install_waiting",
                                L"Button_start_player",
                                L"noice",
                                L"exit",
                                L"Yes",
                                L"No",
                                L"download_error_tip2",
                                L"download_slowtip",
                                L"downloadBybrowser",
                                L"sure",
                                L"progress_finish_label",
                                L"remomend_ad",
                                L"remomend_ad_conent",
                                L"homepage",
                                L"version_info",
                                L"cancel",
                                L"progress_downloading_label2",
                                L"progress_download_label",
                                L"Label_installingapp_waiting",
                                L"download_error_content",
                                L"go_homePage",
                                L"installing_exit_tip",
                                L"titlename",
                                L"installSucess",
                                L"googleDriver_downloadingPage",
                                L"googleDriver_downloadLow",
                                L"googleDriver_downloadError",
                                L"install_error_tip",
                                L"download_error_tip",
                                L"reDownload"};

SkinUI::CLanguageTable TableOf(const std::wstring& code) {
  const std::string bytes = vxtest::PackedFile(L"language.tsv");
  SkinUI::CLanguageTable table;
  EXPECT_TRUE(table.Load(bytes.data(), bytes.size(), code));
  return table;
}

TEST(LanguageTable, HeaderRowsNameTheNineteenLanguagesInOrder) {
  vxtest::OpenPackedSkin(L"en_US");
  const SkinUI::CLanguageTable table = TableOf(L"en_US");
  const SkinUI::LanguageHeader& header = table.Header();
  ASSERT_EQ(header.codes.size(), 21u);
  ASSERT_EQ(header.names.size(), 21u);
  EXPECT_EQ(header.codes[1], L"language_code");
  EXPECT_EQ(header.names[1], L"language_name");
  for (size_t i = 0; i < kLanguageCodes.size(); ++i) {
    EXPECT_EQ(header.codes[i + 2], kLanguageCodes[i]);
    EXPECT_FALSE(header.names[i + 2].empty()) << i;
  }
}

TEST(LanguageTable, FiftyEightLabelRowsOfAKeyAndNineteenTexts) {
  vxtest::OpenPackedSkin(L"en_US");
  const auto rows = vxtest::LanguageRows();
  ASSERT_EQ(rows.size(), 58u);
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 21u) << (row.size() > 1 ? std::string(row[1].begin(), row[1].end()) : "");
    EXPECT_EQ(row[0], L"Label");
  }
}

TEST(LanguageTable, EveryKeyHasATextInEveryLanguage) {
  vxtest::OpenPackedSkin(L"en_US");
  for (const std::wstring& code : kLanguageCodes) {
    const SkinUI::CLanguageTable table = TableOf(code);
    EXPECT_EQ(table.Size(), std::size(kKeys)) << std::string(code.begin(), code.end());
    for (const wchar_t* key : kKeys) {
      const wchar_t* text = table.Find(key);
      ASSERT_NE(text, nullptr) << std::string(code.begin(), code.end()) << " " << testing::PrintToString(key);
      EXPECT_NE(text[0], L'\0') << std::string(code.begin(), code.end()) << " " << testing::PrintToString(key);
    }
  }
}

TEST(LanguageTable, EnglishTextsAreTheOnesTheScreensShow) {
  const std::wstring nb = L"\u00a0";
  const struct {
    const wchar_t* key;
    std::wstring text;
  } cases[] = {
      {L"window_title", L"Vandorix Installer"},
      {L"facebook_tip", L"Facebook"},
      {L"minimize_tip", L"Minimize"},
      {L"download_close", L"Close"},
      {L"browser", L"Browse..."},
      {L"Label_path_error", L"File path error!"},
      {L"protocol_accept", L"Read and agree to Vandorix"},
      {L"protocol_accept_btn", L"Licensing Protocol"},
      {L"Button_install_define", L"Setup path"},
      {L"Button_install_back", L"Back"},
      {L"install_now", L"Install"},
      {L"install_fast", L"Install"},
      {L"choice_path", L"Please select file path"},
      {L"error", L"Error"},
      {L"accept_protocol", L"Accept"},
      {L"error_path", L"Error file path"},
      {L"disk_notEnough", L"Disk space not enough"},
      {L"additional_software", L"Optional" + nb + L"Offers"},
      {L"loading_ad", L"Loading Optional Offers..."},
      {L"offer_by", L"Offer" + nb + L"provided" + nb + L"by"},
      {L"Accept", L"Accept"},
      {L"Reject", L"Reject"},
      {L"progress_downloading_label", L"Downloading"},
      {L"progress_install_label", L"Install"},
      {L"downloading", L"Downloading..."},
      {L"install_waiting", L"Installing, please wait"},
      {L"Button_start_player", L"Start"},
      {L"noice", L"Prompt"},
      {L"exit", L"Do you want to stop the installation?"},
      {L"Yes", L"Yes"},
      {L"No", L"No"},
      {L"download_error_tip2", L"Failed to download simulator kernel, please use browser to try"},
      {L"download_slowtip", L"Slow download? Download faster with browser"},
      {L"downloadBybrowser", L"Download by browser"},
      {L"sure", L"Sure"},
      {L"progress_finish_label", L"Complete"},
      {L"remomend_ad", L"Optional" + nb + L"Offers" + nb + L"Consent"},
      {L"homepage", L"Home page:"},
  };
  vxtest::OpenPackedSkin(L"en_US");
  for (const auto& c : cases) {
    const wchar_t* text = SkinUI::GetLanguageText(c.key);
    ASSERT_NE(text, nullptr) << testing::PrintToString(c.key);
    EXPECT_EQ(std::wstring(text), c.text) << testing::PrintToString(c.key);
  }
}

TEST(LanguageTable, TheOffersExplanationIsThreeParagraphsMostlyWithNoBreakSpaces) {
  vxtest::OpenPackedSkin(L"en_US");
  const std::wstring text = SkinUI::GetLanguageText(L"remomend_ad_conent");
  const size_t first = text.find(L"<n><n>");
  ASSERT_NE(first, std::wstring::npos);
  const size_t second = text.find(L"<n><n>", first + 6);
  ASSERT_NE(second, std::wstring::npos);
  EXPECT_EQ(text.find(L"<n><n>", second + 6), std::wstring::npos);
  const auto count = [&text](wchar_t c) { return std::count(text.begin(), text.end(), c); };
  EXPECT_GT(count(L'\u00a0'), count(L' '));
}

// Both repeated keys: the later row's text wins in every language, and it
// is not the earlier row's.
TEST(LanguageTable, RepeatedKeysTakeTheLaterRowInEveryColumn) {
  vxtest::OpenPackedSkin(L"en_US");
  const auto rows = vxtest::LanguageRows();
  for (const wchar_t* key : {L"error", L"accept_protocol"}) {
    std::vector<const std::vector<std::wstring>*> seen;
    for (const auto& row : rows) {
      if (row.size() > 1 && row[1] == key) seen.push_back(&row);
    }
    ASSERT_EQ(seen.size(), 2u) << testing::PrintToString(key);
    for (size_t i = 0; i < kLanguageCodes.size(); ++i) {
      const SkinUI::CLanguageTable table = TableOf(kLanguageCodes[i]);
      ASSERT_NE(table.Find(key), nullptr);
      EXPECT_EQ(std::wstring(table.Find(key)), (*seen[1])[i + 2]) << testing::PrintToString(key) << " " << i;
      EXPECT_NE((*seen[0])[i + 2], (*seen[1])[i + 2]) << testing::PrintToString(key) << " " << i;
    }
  }
}

TEST(LanguageTable, KeysTheScreensUseWithoutARowShowAsTheirKey) {
  for (const wchar_t* code : {L"en_US", L"ko_KR", L"ar_IL"}) {
    vxtest::OpenPackedSkin(code);
    const SkinUI::CLanguageTable table = TableOf(code);
    for (const wchar_t* key : {L"confirm", L"Button_install_fast", L"prompt", L"close_tip"}) {
      EXPECT_EQ(table.Find(key), nullptr) << testing::PrintToString(key);
    }
    EXPECT_EQ(std::wstring(SkinUI::LangText("confirm")), L"confirm");
    SkinUI::CUIString tip(L"@close_tip");
    SkinUI::TranslateText(tip);
    EXPECT_EQ(std::wstring(tip.GetData()), L"@close_tip");
  }
}

TEST(LanguageTable, ALanguageWithoutAColumnShowsTheFirstColumnsTexts) {
  vxtest::OpenPackedSkin(L"zh_CN");
  std::vector<std::wstring> chinese;
  for (const wchar_t* key : kKeys) chinese.emplace_back(SkinUI::GetLanguageText(key));
  vxtest::OpenPackedSkin(L"hi_IN");
  for (size_t i = 0; i < std::size(kKeys); ++i) {
    ASSERT_NE(SkinUI::GetLanguageText(kKeys[i]), nullptr);
    EXPECT_EQ(std::wstring(SkinUI::GetLanguageText(kKeys[i])), chinese[i]) << testing::PrintToString(kKeys[i]);
  }
  EXPECT_EQ(std::wstring(SkinUI::GetLanguageText(L"exit")), L"确定要停止安装吗？");
}

TEST(LanguageTable, EachLanguageHasItsOwnTexts) {
  std::vector<std::wstring> exits;
  for (const std::wstring& code : kLanguageCodes) {
    vxtest::OpenPackedSkin(code.c_str());
    exits.emplace_back(SkinUI::GetLanguageText(L"exit"));
  }
  std::sort(exits.begin(), exits.end());
  EXPECT_EQ(std::unique(exits.begin(), exits.end()), exits.end());
}

}  // namespace
