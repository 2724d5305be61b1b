#include "app/config_imp.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/endpoints.h"
#include "tests/common/log_capture.h"

namespace {

// The configuration is one object for the whole process: every test restores
// the variant and language it found, so each test starts from the initial
// state whatever the order.
class ConfigImpTest : public testing::Test {
 protected:
  void SetUp() override {
    savedLanguage_ = config().getLanguage();
    saved4_ = config().isPlayer4();
    saved64_ = config().isPlayer64();
    saved9_ = config().isPlayer9();
  }

  void TearDown() override {
    config().setLanguage(savedLanguage_);
    if (saved4_) {
      config().setPlayer4();
    } else if (saved64_) {
      config().setPlayer64();
    } else if (saved9_) {
      config().setPlayer9();
    } else {
      config().setPlayer3();
    }
  }

  static ConfigImp& config() { return ConfigImp::instance(); }

 private:
  std::wstring savedLanguage_;
  bool saved4_ = false;
  bool saved64_ = false;
  bool saved9_ = false;
};

bool startsWith(const std::wstring& text, const std::wstring& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool endsWith(const std::wstring& text, const std::wstring& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// An absolute URL of the scheme with a non-empty host.
bool isUrl(const std::wstring& url, const std::wstring& scheme) {
  const std::wstring prefix = scheme + L"://";
  return startsWith(url, prefix) && url.size() > prefix.size() && url[prefix.size()] != L'/';
}

bool isMeasurementId(const std::wstring& id) {
  if (id.size() != 12 || !startsWith(id, L"G-")) return false;
  for (size_t i = 2; i < id.size(); ++i) {
    if (!std::iswdigit(id[i]) && !(id[i] >= L'A' && id[i] <= L'Z')) return false;
  }
  return true;
}

bool isApiSecret(const std::wstring& secret) {
  if (secret.size() != 22) return false;
  for (wchar_t c : secret) {
    const bool base64Url =
        (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'-' || c == L'_';
    if (!base64Url) return false;
  }
  return true;
}

TEST_F(ConfigImpTest, StartsWithVariant9EnglishAndOffers) {
  EXPECT_FALSE(config().isPlayer4());
  EXPECT_FALSE(config().isPlayer64());
  EXPECT_TRUE(config().isPlayer9());
  EXPECT_TRUE(config().offersEnabled());
  EXPECT_EQ(config().getLanguage(), L"en");
  EXPECT_EQ(config().getRegistryKey(), L"Software\\Morvast\\Vandorix9");
  EXPECT_EQ(&ConfigImp::instance(), &config());
}

struct VariantCase {
  const char* name;
  void (ConfigImp::*select)();
  bool player4;
  bool player64;
  bool player9;
  const wchar_t* registryKey;
  const wchar_t* installSubDir;
  const wchar_t* packagePath;
};

const VariantCase kVariants[] = {
    {"4", &ConfigImp::setPlayer4, true, false, false, L"Software\\Morvast\\Vandorix", L"Vandorix\\Vandorix4.0\\",
     L"/download/package/Vandorix4.0.exe"},
    {"64", &ConfigImp::setPlayer64, false, true, false, L"Software\\Morvast\\Vandorix64", L"Vandorix\\Vandorix64\\",
     L"/download/package/Vandorix64.exe"},
    {"9", &ConfigImp::setPlayer9, false, false, true, L"Software\\Morvast\\Vandorix9", L"Vandorix\\Vandorix9\\",
     L"/download/package/Vandorix9.0.exe"},
    {"3", &ConfigImp::setPlayer3, false, false, false, L"Software\\Teldrani\\Vandorix", L"Vandorix\\Vandorix3.0\\",
     L"/download/package/Vandorix3.0.exe"},
};

// Every switch from one variant to another, so a flag left over from the
// earlier choice shows.
TEST_F(ConfigImpTest, EachVariantSelectsItsFlagsAndAnswers) {
  for (const VariantCase& from : kVariants) {
    for (const VariantCase& to : kVariants) {
      SCOPED_TRACE(std::string("from ") + from.name + " to " + to.name);
      (config().*from.select)();
      (config().*to.select)();
      EXPECT_EQ(config().isPlayer4(), to.player4);
      EXPECT_EQ(config().isPlayer64(), to.player64);
      EXPECT_EQ(config().isPlayer9(), to.player9);
      EXPECT_TRUE(config().offersEnabled());
      EXPECT_EQ(config().getRegistryKey(), to.registryKey);
      EXPECT_EQ(config().getInstallSubDir(), to.installSubDir);
      EXPECT_EQ(config().getPackageUrl(), endpoints::kPackageCdnBase + std::wstring(to.packagePath));
    }
  }
}

TEST_F(ConfigImpTest, PackageUrlsShareOneHttpsHost) {
  for (const VariantCase& variant : kVariants) {
    (config().*variant.select)();
    const std::wstring url = config().getPackageUrl();
    EXPECT_TRUE(isUrl(url, L"https")) << url;
    EXPECT_TRUE(endsWith(url, variant.packagePath)) << url;
    EXPECT_EQ(url.substr(0, url.size() - std::wcslen(variant.packagePath)), endpoints::kPackageCdnBase);
  }
}

TEST_F(ConfigImpTest, OnlyVariants4And64LogTheirSelection) {
  std::vector<std::wstring> logged;
  {
    vxtest::LogCapture log;
    config().setPlayer4();
    config().setPlayer64();
    config().setPlayer3();
    config().setPlayer9();
    logged = log.lines();
  }
  const std::vector<std::wstring> expected = {
      L"ConfigImp::setPlayer4: version 4",
      L"ConfigImp::setPlayer64: version 64",
  };
  EXPECT_EQ(logged, expected);
}

TEST_F(ConfigImpTest, FixedAnswersDoNotDependOnVariantOrLanguage) {
  const std::wstring backup = config().getBackupDownloadUrl();
  EXPECT_TRUE(isUrl(backup, L"https")) << backup;
  const size_t query = backup.find(L'?');
  ASSERT_NE(query, std::wstring::npos) << backup;
  const std::wstring params = L"&" + backup.substr(query + 1) + L"&";
  EXPECT_NE(params.find(L"&export=download&"), std::wstring::npos) << backup;
  const size_t id = params.find(L"&id=");
  ASSERT_NE(id, std::wstring::npos) << backup;
  EXPECT_NE(params[id + 4], L'&') << "empty id in " << backup;

  for (const VariantCase& variant : kVariants) {
    for (const wchar_t* language : {L"en", L"kr", L"cn"}) {
      (config().*variant.select)();
      config().setLanguage(language);
      EXPECT_EQ(config().getBackupDownloadUrl(), backup);
      EXPECT_EQ(config().getProductName(), L"Vandorix");
      EXPECT_EQ(config().getInstallerPath(L"D:\\Games\\Vandorix"), L"D:\\Games\\Vandorix\\Vandorix.exe");
    }
  }
}

const wchar_t* const kSiteLanguages[] = {L"cn", L"tw", L"kr", L"vn", L"th", L"ru", L"pt",
                                         L"id", L"es", L"fr", L"jp", L"ar", L"fa", L"de"};

TEST_F(ConfigImpTest, EveryLanguageRowHasItsOwnPages) {
  const std::wstring defaultHome = endpoints::kDefaultSite.homepage;
  const std::wstring defaultSocial = endpoints::kDefaultSite.socialPage;
  std::set<std::wstring> homepages;
  for (const wchar_t* language : kSiteLanguages) {
    SCOPED_TRACE(testing::Message() << "language " << language);
    config().setLanguage(language);
    const std::wstring home = config().getHomepage();
    const std::wstring social = config().getSocialPage();
    homepages.insert(home);
    EXPECT_NE(home, defaultHome);
    if (language == std::wstring(L"cn")) {
      // The Chinese home site is served over plain http and is its own social page.
      EXPECT_TRUE(isUrl(home, L"http")) << home;
      EXPECT_EQ(social, home);
    } else if (language == std::wstring(L"es")) {
      EXPECT_TRUE(isUrl(home, L"https")) << home;
      EXPECT_EQ(social, defaultSocial);
    } else {
      EXPECT_TRUE(isUrl(home, L"https")) << home;
      EXPECT_TRUE(isUrl(social, L"https")) << social;
      EXPECT_NE(social, defaultSocial);
      EXPECT_NE(social, home);
    }
  }
  EXPECT_EQ(homepages.size(), std::size(kSiteLanguages));
}

TEST_F(ConfigImpTest, FourteenAnalyticsPropertiesWithChineseShared) {
  std::set<std::wstring> ids;
  std::set<std::wstring> secrets;
  std::set<std::pair<std::wstring, std::wstring>> properties;
  for (const wchar_t* language : kSiteLanguages) {
    config().setLanguage(language);
    const std::wstring id = config().getMeasurementId();
    const std::wstring secret = config().getApiSecret();
    EXPECT_TRUE(isMeasurementId(id)) << language << ": " << id;
    EXPECT_TRUE(isApiSecret(secret)) << language << ": " << secret;
    ids.insert(id);
    secrets.insert(secret);
    properties.emplace(id, secret);
  }
  config().setLanguage(L"en");
  EXPECT_TRUE(isMeasurementId(config().getMeasurementId())) << config().getMeasurementId();
  EXPECT_TRUE(isApiSecret(config().getApiSecret())) << config().getApiSecret();
  ids.insert(config().getMeasurementId());
  secrets.insert(config().getApiSecret());
  properties.emplace(config().getMeasurementId(), config().getApiSecret());

  EXPECT_EQ(properties.size(), 14u);
  EXPECT_EQ(ids.size(), 14u);
  EXPECT_EQ(secrets.size(), 14u);

  config().setLanguage(L"cn");
  const std::pair<std::wstring, std::wstring> chinese{config().getMeasurementId(), config().getApiSecret()};
  config().setLanguage(L"tw");
  EXPECT_EQ(std::make_pair(config().getMeasurementId(), config().getApiSecret()), chinese);
}

// Languages without a row of their own, including case variants of rows
// (the key is compared exactly) and a code known only to the locale table.
TEST_F(ConfigImpTest, OtherLanguagesTakeTheDefaultRow) {
  for (const wchar_t* language : {L"en", L"ua", L"it", L"CN", L"Tw", L"kr ", L"", L"english"}) {
    SCOPED_TRACE(testing::Message() << "language '" << language << "'");
    config().setLanguage(language);
    EXPECT_EQ(config().getLanguage(), language);
    EXPECT_EQ(config().getHomepage(), endpoints::kDefaultSite.homepage);
    EXPECT_EQ(config().getSocialPage(), endpoints::kDefaultSite.socialPage);
    EXPECT_EQ(config().getMeasurementId(), endpoints::kDefaultSite.analytics.measurementId);
    EXPECT_EQ(config().getApiSecret(), endpoints::kDefaultSite.analytics.apiSecret);
  }
  EXPECT_TRUE(isUrl(endpoints::kDefaultSite.homepage, L"https"));
  EXPECT_TRUE(isUrl(endpoints::kDefaultSite.socialPage, L"https"));
}

}  // namespace
