#pragma once
// The product variant and site language in force, and every answer that
// depends on them. One process-wide object: set up once by the model on the
// UI thread before any worker exists, only read afterwards (hence no lock).

#include <string>

class ConfigImp {
 public:
  // The process-wide instance: variant 9, language "en", offers on at first.
  static ConfigImp& instance();

  ConfigImp(const ConfigImp&) = delete;
  ConfigImp& operator=(const ConfigImp&) = delete;

  // Selects variant 4 and logs "version 4".
  void setPlayer4();
  // Selects variant 64 and logs "version 64".
  void setPlayer64();
  // Selects variant 3 (all flags off).
  void setPlayer3();
  // Selects variant 9.
  void setPlayer9();

  // True while variant 4 is selected.
  bool isPlayer4() const { return isPlayer4_; }
  // True while variant 64 is selected.
  bool isPlayer64() const { return isPlayer64_; }
  // True while variant 9 is selected.
  bool isPlayer9() const { return isPlayer9_; }
  // Whether the optional-offers screen may be used; always true.
  bool offersEnabled() const { return offersEnabled_; }

  // The site language code (case-sensitive key of the language answers).
  std::wstring getLanguage() const { return language_; }
  // Sets the site language code; done once by the model's set-up.
  void setLanguage(const std::wstring& language) { language_ = language; }

  // Registry key of the variant under HKEY_CURRENT_USER.
  std::wstring getRegistryKey() const;
  // Install sub-directory of the variant, ending with "\".
  std::wstring getInstallSubDir() const;
  // https URL of the variant's package installer on the package CDN.
  std::wstring getPackageUrl() const;
  // directory + "\Vandorix.exe": where the package installer is stored.
  std::wstring getInstallerPath(const std::wstring& directory) const;
  // "Vandorix".
  std::wstring getProductName() const;
  // Home page of the site language.
  std::wstring getHomepage() const;
  // Social page of the site language.
  std::wstring getSocialPage() const;
  // Cloud-drive link that downloads the package installer in a browser.
  std::wstring getBackupDownloadUrl() const;
  // Analytics measurement id of the site language.
  std::wstring getMeasurementId() const;
  // Analytics api secret of the site language.
  std::wstring getApiSecret() const;

 private:
  ConfigImp() = default;
  void setFlags(bool player4, bool player64, bool player9);

  std::wstring language_ = L"en";
  bool isPlayer4_ = false;
  bool isPlayer64_ = false;
  bool isPlayer9_ = true;
  bool offersEnabled_ = true;
};
