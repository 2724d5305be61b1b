#include "app/config_imp.h"

#include "app/endpoints.h"
#include "utility/log.h"

namespace {

struct Variant {
  const wchar_t* registryKey;
  const wchar_t* installSubDir;
  const wchar_t* packagePath;
};

constexpr Variant kVariant4{L"Software\\Morvast\\Vandorix", L"Vandorix\\Vandorix4.0\\",
                            L"/download/package/Vandorix4.0.exe"};
constexpr Variant kVariant64{L"Software\\Morvast\\Vandorix64", L"Vandorix\\Vandorix64\\",
                             L"/download/package/Vandorix64.exe"};
constexpr Variant kVariant9{L"Software\\Morvast\\Vandorix9", L"Vandorix\\Vandorix9\\",
                            L"/download/package/Vandorix9.0.exe"};
constexpr Variant kVariant3{L"Software\\Teldrani\\Vandorix", L"Vandorix\\Vandorix3.0\\",
                            L"/download/package/Vandorix3.0.exe"};

constexpr const wchar_t* kProductName = L"Vandorix";
constexpr const wchar_t* kInstallerFileName = L"\\Vandorix.exe";

// The first flag set, in the order 4, 64, 9, wins; none set means variant 3.
const Variant& variantOf(const ConfigImp& config) {
  if (config.isPlayer4()) return kVariant4;
  if (config.isPlayer64()) return kVariant64;
  if (config.isPlayer9()) return kVariant9;
  return kVariant3;
}

// The row of the language, compared exactly; the default row otherwise.
const endpoints::LanguageSite& siteOf(const std::wstring& language) {
  for (const endpoints::LanguageSite& row : endpoints::kLanguageSites) {
    if (language == row.language) return row;
  }
  return endpoints::kDefaultSite;
}

}  // namespace

ConfigImp& ConfigImp::instance() {
  // Never destroyed: workers may still read it while the process exits.
  static ConfigImp* const config = new ConfigImp();
  return *config;
}

void ConfigImp::setPlayer4() {
  writeLog("ConfigImp::setPlayer4", __LINE__, L"version 4");
  setFlags(true, false, false);
}

void ConfigImp::setPlayer64() {
  writeLog("ConfigImp::setPlayer64", __LINE__, L"version 64");
  setFlags(false, true, false);
}

void ConfigImp::setPlayer3() { setFlags(false, false, false); }

void ConfigImp::setPlayer9() { setFlags(false, false, true); }

void ConfigImp::setFlags(bool player4, bool player64, bool player9) {
  isPlayer4_ = player4;
  isPlayer64_ = player64;
  isPlayer9_ = player9;
}

std::wstring ConfigImp::getRegistryKey() const { return variantOf(*this).registryKey; }

std::wstring ConfigImp::getInstallSubDir() const { return variantOf(*this).installSubDir; }

std::wstring ConfigImp::getPackageUrl() const {
  return std::wstring(endpoints::kPackageCdnBase) + variantOf(*this).packagePath;
}

std::wstring ConfigImp::getInstallerPath(const std::wstring& directory) const { return directory + kInstallerFileName; }

std::wstring ConfigImp::getProductName() const { return kProductName; }

std::wstring ConfigImp::getHomepage() const { return siteOf(language_).homepage; }

std::wstring ConfigImp::getSocialPage() const {
  const wchar_t* page = siteOf(language_).socialPage;
  return page != nullptr ? page : endpoints::kDefaultSite.socialPage;
}

std::wstring ConfigImp::getBackupDownloadUrl() const { return endpoints::kBackupDownloadUrl; }

std::wstring ConfigImp::getMeasurementId() const { return siteOf(language_).analytics.measurementId; }

std::wstring ConfigImp::getApiSecret() const { return siteOf(language_).analytics.apiSecret; }
