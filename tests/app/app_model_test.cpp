// The application model driven without its window: real registry, real
// files, the loopback package server and collector, the package installer
// and product fixtures, and a real message loop on this (the UI) thread.
#include <windows.h>

#include <curl/curl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/app_model.h"
#include "app/config_imp.h"
#include "app/endpoints.h"
#include "app/file_name_params.h"
#include "app/locale_table.h"
#include "app/ui_locale.h"
#include "app/ui_task_queue.h"
#include "net/curl_settings.h"
#include "tests/common/log_capture.h"
#include "tests/common/message_pump.h"
#include "tests/common/temp_dir.h"
#include "tests/common/wine_path.h"
#include "tests/fixtures/child_helper_client.h"
#include "tests/fixtures/child_record.h"
#include "tests/fixtures/package_installer_record.h"
#include "tests/net/loopback.h"
#include "utility/usystem_drives.h"
#include "utility/usystem_os.h"

namespace {

const std::wstring kTestRoot = L"Software\\vx_model_test_" + std::to_wstring(::GetCurrentProcessId());
constexpr wchar_t kVariant9Key[] = L"Software\\Morvast\\Vandorix9";
constexpr char kPackagePath[] = "/download/package/Vandorix9.0.exe";

std::wstring widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += static_cast<char>(c);
  return out;
}

// Reads a fixture record of UTF-16 "key=value" lines.
std::map<std::wstring, std::wstring> readRecord(const std::wstring& path) {
  std::map<std::wstring, std::wstring> values;
  const std::string bytes = vxtest::readFile(path);
  const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    const std::wstring line = text.substr(start, end - start);
    const std::size_t equals = line.find(L'=');
    if (equals != std::wstring::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
    start = end + 1;
  }
  return values;
}

std::map<std::wstring, std::wstring> waitForRecord(const std::wstring& path) {
  vxtest::pumpMessagesUntil([&] { return std::filesystem::exists(path); }, 30000);
  return readRecord(path);
}

std::wstring regString(HKEY root, const std::wstring& key, const wchar_t* name) {
  wchar_t buffer[2048] = {};
  DWORD size = sizeof(buffer);
  if (::RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) return L"";
  return buffer;
}

bool fileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Refuses like the runtime does when no thread can be made.
std::uintptr_t noThread(void*, unsigned, unsigned(__stdcall*)(void*), void*, unsigned, unsigned*) {
  errno = EAGAIN;
  return 0;
}

// What the model's callbacks delivered, and whether all came on the UI thread.
struct Seen {
  std::vector<std::string> order;
  std::vector<std::vector<int>> progress;
  std::vector<int> percents;
  std::optional<bool> installStarted;
  int offThread = 0;
  bool downloadEnded() const {
    return std::count(order.begin(), order.end(), "success") + std::count(order.begin(), order.end(), "error") > 0;
  }
};

void bind(CAppModel& model, Seen& seen) {
  const std::thread::id ui = std::this_thread::get_id();
  auto note = [&seen, ui](const char* what) {
    if (std::this_thread::get_id() != ui) ++seen.offThread;
    seen.order.push_back(what);
  };
  model.onDownloadProgress = [&seen, note](int percent, int received, int total) {
    note("progress");
    seen.progress.push_back({percent, received, total});
  };
  model.onDownloadPercent = [&seen, note](int percent) {
    note("percent");
    seen.percents.push_back(percent);
  };
  model.onDownloadSuccess = [note] { note("success"); };
  model.onDownloadError = [note] { note("error"); };
  model.onInstallFinish = [&seen, note](bool started) {
    note("install");
    seen.installStarted = started;
  };
}

class AppModelTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    static const bool once = [] {
      utility::UITaskQueue::create();
      CCurlSettings::setPlainHttpAllowed(true);  // the loopback CDN and collector speak http
      return curl_global_init(CURL_GLOBAL_ALL) == CURLE_OK;
    }();
    ASSERT_TRUE(once);
  }

  void SetUp() override {
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kTestRoot.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_,
                                nullptr),
              ERROR_SUCCESS);
    resetConfig();
  }

  void TearDown() override {
    resetConfig();
    ::RegCloseKey(root_);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot.c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kTestRoot.c_str());
  }

  static void resetConfig() {
    ConfigImp::instance().setPlayer9();
    ConfigImp::instance().setLanguage(L"en");
  }

  // Waits until a log line holding every part was written (the worker may
  // still be logging after its result reached the UI thread).
  bool logged(std::initializer_list<const wchar_t*> parts) {
    return vxtest::pumpMessagesUntil([&] { return log_.anyLineHas(parts); }, 20000);
  }

  ModelSettings settingsFor(const std::wstring& baseName) const {
    ModelSettings settings;
    settings.programPath = L"C:\\users\\Downloads\\" + baseName + L".exe";
    settings.registryRoot = root_;
    // Never the real collector: an unused loopback port.
    settings.collectorBase = L"http://127.0.0.1:9";
    return settings;
  }

  HKEY root_ = nullptr;
  vxtest::LogCapture log_;
};

// ---- set-up from the file name and the registry ----

struct InitCase {
  const wchar_t* baseName;
  int variant;              // 4, 64, 9 or 3
  const wchar_t* language;  // ConfigImp language
  const wchar_t* langCode;  // empty: from the system
  const wchar_t* locale;    // empty: from the system
  const wchar_t* channel;
  const wchar_t* package;
};

class AppModelInit : public AppModelTest, public testing::WithParamInterface<InitCase> {};

int selectedVariant() {
  const ConfigImp& config = ConfigImp::instance();
  if (config.isPlayer4()) return 4;
  if (config.isPlayer64()) return 64;
  if (config.isPlayer9()) return 9;
  return 3;
}

TEST_P(AppModelInit, FileNamePiecesSetVariantLanguageChannelAndPackage) {
  const InitCase& c = GetParam();
  // A tag must select its variant itself; without pieces the default stays.
  if (parseFileNameParams(c.baseName).present) ConfigImp::instance().setPlayer3();
  CAppModel model(settingsFor(c.baseName));
  model.init(L"", nullptr);
  const std::wstring systemLocale = detectUiLocale(L"en_US");
  EXPECT_EQ(selectedVariant(), c.variant);
  EXPECT_EQ(ConfigImp::instance().getLanguage(), c.language);
  EXPECT_EQ(model.getLangCode(), *c.langCode ? std::wstring(c.langCode) : localeToCode(systemLocale));
  EXPECT_EQ(model.getLocale(), *c.locale ? std::wstring(c.locale) : systemLocale);
  EXPECT_EQ(model.getChannelId(), c.channel);
  EXPECT_EQ(model.getPackage(), c.package);
  EXPECT_TRUE(logged({L"CAppModel::applyFileNameParams: namne: ", c.baseName}));
  EXPECT_TRUE(logged({L"CAppModel::init: id is ", model.getChannelId().c_str(), L", package is "}));
}

INSTANTIATE_TEST_SUITE_P(Names,
                         AppModelInit,
                         testing::Values(InitCase{L"setup", 9, L"en", L"", L"", L"100", L""},
                                         InitCase{L"Vandorix9_kr_2033_x", 9, L"kr", L"kr", L"ko_KR", L"2033", L""},
                                         InitCase{L"vandorix9_kr_2033_x (1)", 9, L"kr", L"kr", L"ko_KR", L"2033", L""},
                                         InitCase{L"vandorix64_ens_1200_a", 64, L"en", L"", L"", L"1200", L""},
                                         InitCase{L"VANDORIX64_kr_1200_a", 64, L"kr", L"kr", L"ko_KR", L"1200", L""},
                                         InitCase{L"vandorix4_tw_5_a", 4, L"tw", L"tw", L"zh_TW", L"5", L""},
                                         InitCase{L"vandorix3_vn_5_a", 3, L"vn", L"vn", L"vi_VN", L"5", L""},
                                         InitCase{L"vandorix9_vn_com.game.app_1500_x", 9, L"vn", L"vn", L"vi_VN",
                                                  L"1500", L"com.game.app"},
                                         InitCase{L"vandorix9_th_abc_1500_x", 9, L"th", L"th", L"th_TH", L"1500", L""},
                                         InitCase{L"vandorix9_english_77_x", 9, L"en", L"", L"", L"77", L""},
                                         InitCase{L"vandorix9_kr_1234", 9, L"en", L"", L"", L"100", L""},
                                         InitCase{L"vandorix9_kr__77", 9, L"kr", L"kr", L"ko_KR", L"100", L""},
                                         // Unknown codes reach the installer; the UI falls back.
                                         InitCase{L"vandorix9_xx_7_a", 9, L"xx", L"xx", L"en_US", L"7", L""}));

TEST_F(AppModelTest, InstallDirComesFromTheRegistryAsStoredElseFromThePreferredDrive) {
  {
    CAppModel model(settingsFor(L"vandorix9_kr_2033_x"));
    model.init(L"", nullptr);
    EXPECT_EQ(model.getInstallPath(), utility::usystem::getMaxFreeSpaceDrive() + L"Vandorix\\Vandorix9\\");
    // The variant's key exists after the first run.
    HKEY key = nullptr;
    EXPECT_EQ(::RegOpenKeyExW(root_, kVariant9Key, 0, KEY_READ, &key), ERROR_SUCCESS);
    ::RegCloseKey(key);
    EXPECT_TRUE(logged({L"CAppModel::_calcInstallPath: reg path: "}));
    EXPECT_TRUE(logged({L"CAppModel::_calcInstallPath: space path: ", L"Vandorix\\Vandorix9\\"}));
  }
  const std::wstring stored = L"E:\\Games\\Vandorix";
  ASSERT_EQ(::RegSetKeyValueW(root_, kVariant9Key, L"InstallDir", REG_SZ, stored.c_str(),
                              static_cast<DWORD>((stored.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  CAppModel model(settingsFor(L"vandorix9_kr_2033_x"));
  model.init(L"", nullptr);
  EXPECT_EQ(model.getInstallPath(), stored);
}

TEST_F(AppModelTest, InstallDirReadStaysInsideItsBuffer) {
  struct Case {
    std::size_t characters;  // stored without a NUL, as raw bytes
    bool taken;
  };
  // 1023 characters fill the buffer but its last unit; 1024 do not fit, and
  // the default applies.
  for (const Case c : {Case{1023, true}, Case{1024, false}}) {
    const std::wstring value(c.characters, L'A');
    ASSERT_EQ(::RegSetKeyValueW(root_, kVariant9Key, L"InstallDir", REG_BINARY, value.data(),
                                static_cast<DWORD>(value.size() * sizeof(wchar_t))),
              ERROR_SUCCESS);
    CAppModel model(settingsFor(L"vandorix9_kr_2033_x"));
    model.init(L"", nullptr);
    EXPECT_EQ(model.getInstallPath(),
              c.taken ? value : utility::usystem::getMaxFreeSpaceDrive() + L"Vandorix\\Vandorix9\\")
        << c.characters;
  }
}

// ---- download, install and launch against the loopback servers ----

class AppModelFlow : public AppModelTest {
 protected:
  void SetUp() override {
    AppModelTest::SetUp();
    ASSERT_TRUE(vxtest::loadLoopbackState(state_));
    prefix_ = vxtest::uniquePrefix();
    installer_ = vxtest::winePath(std::wstring(VX_PACKAGE_INSTALLER_PATH));
    ::SetEnvironmentVariableW(vxtest::kInstallerRecordVariable, folder_.file(L"installer.rec").c_str());
    ::SetEnvironmentVariableW(vxtest::kInstallerProductVariable, vxtest::childHelperPath().c_str());
    ::SetEnvironmentVariableW(vxtest::kInstallerRegKeyVariable, (kTestRoot + L"\\" + kVariant9Key).c_str());
    ::SetEnvironmentVariableW(vxtest::kInstallerModeVariable, L"");
    ::SetEnvironmentVariableW(L"VX_CHILD_RECORD", folder_.file(L"product.rec").c_str());
  }

  // Puts bytes where /served/ finds them and returns the CDN base whose
  // variant path reaches them: the first fails requests get 500.
  std::wstring serve(const std::string& bytes, int fails, bool withLength) {
    std::string files = state_.recordsDir.substr(0, state_.recordsDir.rfind('\\')) + "\\files";
    std::string relative = prefix_ + kPackagePath;
    std::filesystem::path target = files + relative;
    std::filesystem::create_directories(target.parent_path());
    if (!bytes.empty()) vxtest::writeFile(target.wstring(), bytes);
    return widen(
        vxtest::httpUrl(state_, "/served/" + std::to_string(fails) + (withLength ? "/length" : "/nolength") + prefix_));
  }

  ModelSettings flowSettings(const std::wstring& baseName, const std::wstring& cdnBase) const {
    ModelSettings settings = settingsFor(baseName);
    settings.packageCdnBase = cdnBase;
    settings.collectorBase = widen(vxtest::httpUrl(state_, prefix_));
    settings.urlWaitTickMs = 20;
    return settings;
  }

  // The model as the main window has it: set up, callbacks bound, the
  // directory chosen.
  std::unique_ptr<CAppModel> makeModel(const ModelSettings& settings, Seen& seen) {
    auto model = std::make_unique<CAppModel>(settings);
    model->init(L"", nullptr);
    model->setInstallPath(installPath());
    bind(*model, seen);
    return model;
  }

  std::wstring installPath() const { return folder_.path() + L"\\"; }
  std::wstring installerPath() const { return installPath() + L"\\Vandorix.exe"; }

  bool download(CAppModel& model, Seen& seen) {
    model.startDownloadPlayer();
    return vxtest::pumpMessagesUntil([&] { return seen.downloadEnded(); }, 120000);
  }

  bool install(CAppModel& model, Seen& seen) {
    model.startInstall();
    return vxtest::pumpMessagesUntil([&] { return seen.installStarted.has_value(); }, 60000);
  }

  std::vector<vxtest::CollectorRecord> fileRequests() const {
    std::vector<vxtest::CollectorRecord> mine;
    for (const auto& record : vxtest::readRecords(state_, "/served/")) {
      if (record.path.find(prefix_ + kPackagePath) != std::string::npos) mine.push_back(record);
    }
    return mine;
  }

  // The collector's record of the event with that label, once it has one.
  std::optional<vxtest::CollectorRecord> collectedRecord(const std::string& name, const std::string& label) const {
    const std::string nameField = "\"name\":\"" + name + "\"";
    const std::string labelField = "\"event_label\":\"" + label + "\"";
    std::optional<vxtest::CollectorRecord> found;
    vxtest::pumpMessagesUntil(
        [&] {
          for (const auto& record : vxtest::readRecords(state_, prefix_ + "/mp/collect")) {
            if (record.body.find(nameField) != std::string::npos && record.body.find(labelField) != std::string::npos) {
              found = record;
              return true;
            }
          }
          return false;
        },
        20000);
    return found;
  }

  // True once the collector has the event with that label.
  bool collected(const std::string& name, const std::string& label) const {
    return collectedRecord(name, label).has_value();
  }

  vxtest::LoopbackState state_;
  std::string prefix_;
  std::wstring installer_;
  vxtest::TempDir folder_;
};

TEST_F(AppModelFlow, WholeRoadFromFileNameToLaunchedProduct) {
  const std::string installerBytes = vxtest::readFile(installer_);
  ASSERT_GE(installerBytes.size(), 1048576u);
  Seen seen;
  ModelSettings settings = flowSettings(L"vandorix9_kr_com.game.app_2033_x (1)", serve(installerBytes, 0, true));
  settings.urlWaitTickMs = 100;
  auto model = makeModel(settings, seen);
  log_.clear();

  const ULONGLONG started = ::GetTickCount64();
  ASSERT_TRUE(download(*model, seen));
  // A lower bound, not a speed check: nothing is fetched before the 8th tick.
  EXPECT_GE(::GetTickCount64() - started, 7u * 100u);
  ASSERT_FALSE(seen.order.empty());
  EXPECT_EQ(seen.order.back(), "success");
  EXPECT_EQ(seen.order.front(), "progress");
  EXPECT_EQ(std::count(seen.order.begin(), seen.order.end(), "success"), 1);
  EXPECT_EQ(seen.offThread, 0);
  for (const auto& p : seen.progress) EXPECT_EQ(p[2], static_cast<int>(installerBytes.size()));
  EXPECT_EQ(vxtest::readFile(installerPath()), installerBytes);
  EXPECT_FALSE(fileExists(installerPath() + L".tmp"));
  EXPECT_EQ(fileRequests().size(), 1u);
  EXPECT_TRUE(logged({L"CAppModel::startDownloadPlayer: start. current in get palyer url"}));
  EXPECT_TRUE(logged({L"CAppModel::_threadDownloadPlayer: download player"}));
  EXPECT_TRUE(
      logged({L"CAppModel::_downloadByNet: start. url: http://127.0.0.1:", L"/download/package/Vandorix9.0.exe"}));
  EXPECT_TRUE(logged({L"CAppModel::_downloadByNet: download file success ", L"Vandorix.exe"}));
  EXPECT_TRUE(logged({L"CAppModel::_threadDownloadPlayer: download end, success = 1, elapse = "}));
  EXPECT_FALSE(log_.anyLineHas({L"download by curl"}));

  // The download runs once per model: a second start fetches nothing.
  model->startDownloadPlayer();
  vxtest::pumpMessagesFor(500);
  EXPECT_EQ(fileRequests().size(), 1u);
  EXPECT_EQ(std::count(seen.order.begin(), seen.order.end(), "success"), 1);

  ASSERT_TRUE(install(*model, seen));
  EXPECT_TRUE(*seen.installStarted);
  EXPECT_EQ(seen.offThread, 0);
  const auto record = waitForRecord(folder_.file(L"installer.rec"));
  EXPECT_EQ(
      record.at(vxtest::kKeyInstallerCommandLine),
      L"\"" + installerPath() + L"\" -silence -downloader -openid=2033 -language=kr -path=\"" + installPath() + L"\"");
  EXPECT_EQ(record.at(vxtest::kKeySilence), L"1");
  EXPECT_EQ(record.at(vxtest::kKeyDownloader), L"1");
  EXPECT_EQ(record.at(vxtest::kKeyOpenId), L"2033");
  EXPECT_EQ(record.at(vxtest::kKeyLanguage), L"kr");
  EXPECT_EQ(record.at(vxtest::kKeyPath), installPath());
  EXPECT_TRUE(fileExists(installPath() + L"\\vxrunner.exe"));
  EXPECT_TRUE(fileExists(installPath() + L"data\\"));
  EXPECT_EQ(regString(root_, kVariant9Key, L"InstallDir"), installPath());
  EXPECT_TRUE(
      logged({L"CAppModel::_threadInsPlayer: install:  -silence -downloader -openid=2033 "
              L"-language=kr -path=\""}));
  // Wine's taskkill refuses "/T" (exit code 1) and stops nothing; the flow
  // goes on.
  EXPECT_TRUE(logged({L"utility::process::execute", L"execute exitcode = 1"}));
  EXPECT_TRUE(logged({L"utility::process::create", L"taskkill", L"/F /IM vxrunner.exe /T"}));
  EXPECT_TRUE(logged({L"utility::process::create", L"taskkill", L"/F /IM bugreport.exe /T"}));
  EXPECT_TRUE(collected("ad_download_sucess", "2033"));
  EXPECT_TRUE(collected("ad_installSucess", "2033"));

  model->startPlayer();
  const auto product = waitForRecord(folder_.file(L"product.rec"));
  EXPECT_NE(product.at(L"commandline").find(L"vxrunner.exe"), std::wstring::npos);
  EXPECT_NE(product.at(L"commandline").find(L"downloadpackage=com.game.app|package=com.game.app"), std::wstring::npos);
  // Wine's shell is not explorer.exe, so no shell token is found and the
  // elevated shell start takes over.
  EXPECT_TRUE(logged({L"CAppModel::runPlayer: run by amdin"}));
  EXPECT_TRUE(logged({L"CAppModel::runPlayer: run by amdin error: "}));
  // Under Wine every process counts as elevated; recorded for the report.
  RecordProperty("product_elevated", narrow(product.at(L"elevated")));
  std::printf("product command line: %s, elevated: %s\n", narrow(product.at(L"commandline")).c_str(),
              narrow(product.at(L"elevated")).c_str());

  // Without a package the product gets no arguments.
  std::filesystem::remove(folder_.file(L"product.rec"));
  Seen other;
  auto plain = makeModel(flowSettings(L"vandorix9_kr_2033_x", L""), other);
  plain->startPlayer();
  const auto plainProduct = waitForRecord(folder_.file(L"product.rec"));
  EXPECT_NE(plainProduct.at(L"commandline").find(L"vxrunner.exe"), std::wstring::npos);
  EXPECT_EQ(plainProduct.at(L"commandline").find(L"package="), std::wstring::npos);
}

struct FallbackCase {
  const char* name;
  std::size_t bytes;  // 0: no file on the server
  int fails;          // requests answered 500 before the file
  bool success;
};

class AppModelFallback : public AppModelFlow, public testing::WithParamInterface<FallbackCase> {};

TEST_P(AppModelFallback, LibcurlTakesOverAfterTwoPlatformFailures) {
  const FallbackCase& c = GetParam();
  Seen seen;
  const std::string bytes = c.bytes ? vxtest::patternBytes(c.bytes) : std::string();
  auto model = makeModel(flowSettings(L"vandorix9_kr_2033_x", serve(bytes, c.fails, true)), seen);
  ASSERT_TRUE(download(*model, seen));
  EXPECT_EQ(seen.order.back(), c.success ? "success" : "error");
  EXPECT_EQ(seen.offThread, 0);
  for (int percent : seen.percents) EXPECT_LE(percent, 99);
  // Two platform attempts, then one libcurl transfer.
  EXPECT_EQ(fileRequests().size(), 3u);
  EXPECT_TRUE(logged({L"CAppModel::_downloadByNet: download error. file = ", L"Vandorix.exe"}));
  EXPECT_TRUE(logged({L"CAppModel::_downloadByCurl: download by curl"}));
  EXPECT_TRUE(logged({c.success ? L"download end, success = 1, elapse = " : L"download end, success = 0, elapse = "}));
  // Nothing partial is left where the installer would be run from.
  EXPECT_FALSE(fileExists(installerPath() + L".tmp"));
  if (c.success) {
    EXPECT_EQ(vxtest::readFile(installerPath()), bytes);
    EXPECT_TRUE(collected("ad_download_sucess", "2033"));
  } else {
    EXPECT_FALSE(fileExists(installerPath()));
    EXPECT_TRUE(collected("ad_download_error", "2033"));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         AppModelFallback,
                         testing::Values(FallbackCase{"OneMiB", 1048576, 2, true},
                                         FallbackCase{"OneByteShortOfOneMiB", 1048575, 2, false},
                                         FallbackCase{"BothPathsRefused", 1048576, 3, false},
                                         FallbackCase{"NoFile", 0, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppModelFlow, AnInstallerThatCannotBePutInPlaceIsAFailedDownload) {
  // A folder where the installer belongs: both paths fetch the file, and
  // neither can move it there.
  ASSERT_TRUE(::CreateDirectoryW(installerPath().c_str(), nullptr));
  Seen seen;
  auto model = makeModel(flowSettings(L"vandorix9_kr_2033_x", serve(vxtest::patternBytes(1048576), 0, true)), seen);
  ASSERT_TRUE(download(*model, seen));
  EXPECT_EQ(seen.order.back(), "error");
  EXPECT_EQ(fileRequests().size(), 2u);
  EXPECT_TRUE(logged({L"utility::ufile::moveFile"}));
  EXPECT_TRUE(logged({L"CAppModel::_downloadByNet: download error. file = ", L"Vandorix.exe"}));
  EXPECT_TRUE(logged({L"CAppModel::_downloadByCurl: download by curl"}));
  EXPECT_TRUE(logged({L"download end, success = 0, elapse = "}));
  EXPECT_FALSE(fileExists(installerPath() + L".tmp"));
  EXPECT_TRUE(collected("ad_download_error", "2033"));
}

TEST_F(AppModelFlow, ADownloadWorkerThatCannotStartIsAFailedDownload) {
  Seen seen;
  ModelSettings settings = flowSettings(L"vandorix9_kr_2033_x", serve(vxtest::patternBytes(1048576), 0, true));
  settings.threadStarter = &noThread;
  auto model = makeModel(settings, seen);
  ASSERT_TRUE(download(*model, seen));
  EXPECT_EQ(seen.order, std::vector<std::string>{"error"});
  EXPECT_EQ(seen.offThread, 0);
  EXPECT_TRUE(logged({L"utility::CTaskThread::start: thread start failed, error = 11"}));
  EXPECT_TRUE(logged({L"CAppModel::startDownloadPlayer: download thread not started, download failed"}));
  EXPECT_TRUE(collected("ad_download_error", "2033"));
  EXPECT_TRUE(fileRequests().empty());
  // Failed for good: a later start tries nothing.
  model->startDownloadPlayer();
  vxtest::pumpMessagesFor(300);
  EXPECT_EQ(seen.order, std::vector<std::string>{"error"});
}

TEST_F(AppModelFlow, WithoutLengthPercentIsAgainstTenMebibytes) {
  Seen seen;
  const std::string bytes = vxtest::patternBytes(3 * 1048576);
  auto model = makeModel(flowSettings(L"vandorix9_kr_2033_x", serve(bytes, 0, false)), seen);
  ASSERT_TRUE(download(*model, seen));
  EXPECT_EQ(seen.order.back(), "success");
  ASSERT_FALSE(seen.progress.empty());
  for (const auto& p : seen.progress) {
    EXPECT_EQ(p[2], 10485760);
    EXPECT_EQ(p[0], static_cast<int>(static_cast<double>(p[1]) / 10485760 * 100));
  }
  EXPECT_EQ(vxtest::readFile(installerPath()), bytes);
}

struct InstallCase {
  const char* name;
  const wchar_t* mode;  // nullptr: no installer file at all
  DWORD waitMs;
  bool started;
  const char* label;
  const wchar_t* logPart;
  unsigned settleMs;  // lets an installer left running end before clean-up
};

class AppModelInstall : public AppModelFlow, public testing::WithParamInterface<InstallCase> {};

TEST_P(AppModelInstall, OutcomeReachesCallbackEventAndLog) {
  const InstallCase& c = GetParam();
  if (c.mode != nullptr) {
    ASSERT_TRUE(::CopyFileW(installer_.c_str(), installerPath().c_str(), FALSE));
    ::SetEnvironmentVariableW(vxtest::kInstallerModeVariable, c.mode);
  }
  Seen seen;
  ModelSettings settings = flowSettings(L"vandorix9_kr_2033_x", L"");
  settings.installerWaitMs = c.waitMs;
  auto model = makeModel(settings, seen);
  ASSERT_TRUE(install(*model, seen));
  EXPECT_EQ(*seen.installStarted, c.started);
  EXPECT_EQ(seen.order, std::vector<std::string>{"install"});
  EXPECT_EQ(seen.offThread, 0);
  EXPECT_TRUE(fileExists(installPath() + L"data\\"));
  EXPECT_TRUE(collected(c.started && std::string(c.label) == "2033" ? "ad_installSucess" : "ad_installError", c.label));
  if (c.logPart != nullptr) {
    EXPECT_TRUE(logged({c.logPart}));
  }
  vxtest::pumpMessagesFor(c.settleMs);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         AppModelInstall,
                         testing::Values(InstallCase{"EndsAtOnce", L"nothing", 180000, true, "2033", nullptr, 0},
                                         InstallCase{"ExitsWithAnError", L"exit=3", 180000, true, "2033_errExitCode_3",
                                                     L"CAppModel::reportWaitResult: installer exit code = 3", 0},
                                         InstallCase{"NeedsARestart", L"exit=3010", 180000, true, "2033",
                                                     L"CAppModel::reportWaitResult: installer exit code = 3010", 0},
                                         InstallCase{"StartedARestart", L"exit=1641", 180000, true, "2033",
                                                     L"CAppModel::reportWaitResult: installer exit code = 1641", 0},
                                         InstallCase{"RunsPastTheWait", L"sleep=1500", 300, true, "2033_errWaitTimeout",
                                                     nullptr, 1500},
                                         InstallCase{"NotStartable", nullptr, 180000, false, "2033_errCreateProcess_2",
                                                     L"createProcess failed!!! lastError = 2", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the flow's rules one at a time ----

// Dispatches this thread's messages until done() or limitMs, counting the
// timer ticks among them (the URL wait's timer is this thread's only one).
int pumpCountingTicks(const std::function<bool()>& done, unsigned limitMs) {
  int ticks = 0;
  const ULONGLONG end = ::GetTickCount64() + limitMs;
  while (!done() && ::GetTickCount64() < end) {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_TIMER) ++ticks;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  return ticks;
}

TEST_F(AppModelFlow, TheDownloadStartsOnTheLastTickOfTheUrlWaitNotLater) {
  Seen seen;
  auto model = makeModel(flowSettings(L"vandorix9_kr_2033_x", serve(vxtest::patternBytes(1048576), 0, true)), seen);
  log_.clear();
  model->startDownloadPlayer();
  const int ticks =
      pumpCountingTicks([&] { return log_.anyLineHas({L"CAppModel::_threadDownloadPlayer: download player"}); }, 20000);
  EXPECT_EQ(ticks, 8);
  ASSERT_TRUE(vxtest::pumpMessagesUntil([&] { return seen.downloadEnded(); }, 120000));
  EXPECT_EQ(seen.order.back(), "success");
  // The tick that started the download was the last one.
  EXPECT_EQ(pumpCountingTicks([] { return false; }, 200), 0);
}

TEST_F(AppModelFlow, PlatformProgressIsPostedAtMostOnceASecond) {
  Seen seen;
  auto model = makeModel(flowSettings(L"vandorix9_kr_2033_x", L""), seen);
  constexpr int kTotal = 1000000;
  int reports = 0;
  bool alwaysGoOn = true;
  const ULONGLONG started = ::GetTickCount64();
  // Reported from a thread of its own, as the platform download does, and
  // far more often than once a second.
  std::thread downloader([&] {
    for (; ::GetTickCount64() - started < 2500; ++reports) {
      alwaysGoOn = model->onProgress(nullptr, 0, reports + 1, kTotal) && alwaysGoOn;
      ::Sleep(1);
    }
  });
  downloader.join();
  const ULONGLONG elapsed = ::GetTickCount64() - started;
  vxtest::pumpMessagesFor(300);
  EXPECT_TRUE(alwaysGoOn);
  EXPECT_GT(reports, 100);
  ASSERT_FALSE(seen.progress.empty());
  EXPECT_LE(seen.progress.size(), elapsed / 1000 + 1) << reports << " reports in " << elapsed << " ms";
  for (const auto& p : seen.progress) {
    EXPECT_EQ(p[2], kTotal);
    EXPECT_EQ(p[0], static_cast<int>(static_cast<double>(p[1]) / kTotal * 100));
  }
}

// A program file put in place for the length of a test.
class PlantedProgram {
 public:
  PlantedProgram(const std::wstring& source, std::wstring path)
      : path_(std::move(path)), planted_(::CopyFileW(source.c_str(), path_.c_str(), FALSE) != FALSE) {}
  ~PlantedProgram() { ::DeleteFileW(path_.c_str()); }
  PlantedProgram(const PlantedProgram&) = delete;
  PlantedProgram& operator=(const PlantedProgram&) = delete;
  bool planted() const { return planted_; }

 private:
  const std::wstring path_;
  const bool planted_;
};

// The process's current directory for the length of a scope.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::wstring& path) {
    wchar_t before[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, before);
    before_ = before;
    changed_ = ::SetCurrentDirectoryW(path.c_str()) != FALSE;
  }
  ~CurrentDirectory() { ::SetCurrentDirectoryW(before_.c_str()); }
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;
  bool changed() const { return changed_; }

 private:
  std::wstring before_;
  bool changed_ = false;
};

std::wstring ownFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring own = path;
  return own.substr(0, own.rfind(L'\\'));
}

// The program runs elevated: a taskkill.exe that anyone put beside it or in
// the current directory must never run. Each stop command names the system's
// own taskkill, in the stop list's order.
TEST_F(AppModelFlow, StopCommandsRunTheSystemTaskkillNeverAPlantedOne) {
  vxtest::TempDir current;
  const PlantedProgram besideTheProgram(vxtest::childHelperPath(), ownFolder() + L"\\taskkill.exe");
  const PlantedProgram inTheCurrentDirectory(vxtest::childHelperPath(), current.file(L"taskkill.exe"));
  ASSERT_TRUE(besideTheProgram.planted());
  ASSERT_TRUE(inTheCurrentDirectory.planted());
  const std::wstring plantedRecord = folder_.file(L"planted.rec");
  ::SetEnvironmentVariableW(vxtest::kRecordVariable, plantedRecord.c_str());
  ASSERT_TRUE(::CopyFileW(installer_.c_str(), installerPath().c_str(), FALSE));
  ::SetEnvironmentVariableW(vxtest::kInstallerModeVariable, L"nothing");
  Seen seen;
  auto model = makeModel(flowSettings(L"vandorix9_kr_2033_x", L""), seen);
  log_.clear();
  {
    const CurrentDirectory inside(current.path());
    ASSERT_TRUE(inside.changed());
    ASSERT_TRUE(install(*model, seen));
  }
  EXPECT_TRUE(*seen.installStarted);
  EXPECT_FALSE(fileExists(plantedRecord));

  const std::wstring taskkill = utility::usystem::systemProgramPath(L"taskkill.exe");
  std::vector<std::wstring> expected;
  for (const wchar_t* name : {L"vxrunner.exe", L"vxmultirunner.exe", L"vxmultirunnerex.exe", L"bugreport.exe"}) {
    expected.push_back(L"createProcess filename = [" + taskkill + L"], param = [/F /IM " + name + L" /T], show = 0");
  }
  std::vector<std::wstring> started;
  int refused = 0;
  for (const vxtest::LogMessage& message : log_.messages()) {
    if (message.function == "utility::process::create" && message.text.find(L"taskkill") != std::wstring::npos) {
      started.push_back(message.text);
    }
    if (message.text.starts_with(L"execute exitcode = 1 ")) ++refused;
  }
  EXPECT_EQ(started, expected);
  // Wine's own taskkill ran each time: it refuses "/T" with exit code 1,
  // where the planted program would have ended with 0.
  EXPECT_EQ(refused, 4);
  EXPECT_EQ(taskkill.rfind(ownFolder(), 0), std::wstring::npos) << taskkill;
}

// The measurement id of the site language's analytics property.
std::string measurementIdOf(const std::wstring& language) {
  for (const endpoints::LanguageSite& site : endpoints::kLanguageSites) {
    if (site.language == language) return narrow(site.analytics.measurementId);
  }
  return std::string();
}

TEST_F(AppModelFlow, TheFileNamesLanguageChoosesTheAnalyticsProperty) {
  std::set<std::string> ids;
  for (const wchar_t* language : {L"kr", L"vn"}) {
    const std::string id = measurementIdOf(language);
    ASSERT_FALSE(id.empty());
    ids.insert(id);
    Seen seen;
    auto model = makeModel(flowSettings(L"vandorix9_" + std::wstring(language) + L"_2033_x", L""), seen);
    model->reportEvent(L"ad_run", language);
    const auto record = collectedRecord("ad_run", narrow(language));
    ASSERT_TRUE(record.has_value()) << narrow(language);
    EXPECT_NE(record->query.find("measurement_id=" + id + "&"), std::string::npos) << record->query;
  }
  EXPECT_EQ(ids.size(), 2u);
}

// The model is destroyed at the end: its destructor must not wait for a job
// that never ran.
TEST_F(AppModelFlow, AnInstallJobThatCannotStartEndsAsNotStarted) {
  ASSERT_TRUE(::CopyFileW(installer_.c_str(), installerPath().c_str(), FALSE));
  Seen seen;
  ModelSettings settings = flowSettings(L"vandorix9_kr_2033_x", L"");
  settings.threadStarter = &noThread;
  auto model = makeModel(settings, seen);
  ASSERT_TRUE(install(*model, seen));
  EXPECT_FALSE(*seen.installStarted);
  EXPECT_EQ(seen.order, std::vector<std::string>{"install"});
  EXPECT_EQ(seen.offThread, 0);
  EXPECT_TRUE(logged({L"CAppModel::_reportInstallNotStarted: install job not started, error = 11"}));
  EXPECT_TRUE(collected("ad_installError", "2033_errCreateThread_11"));
  EXPECT_FALSE(fileExists(folder_.file(L"installer.rec")));
}

TEST_F(AppModelFlow, AModelDestroyedDuringTheInstallJobIsNotTouchedAfterwards) {
  ASSERT_TRUE(::CopyFileW(installer_.c_str(), installerPath().c_str(), FALSE));
  ::SetEnvironmentVariableW(vxtest::kInstallerModeVariable, L"sleep=1000");
  Seen seen;
  auto model = makeModel(flowSettings(L"vandorix9_kr_2033_x", L""), seen);
  model->startInstall();
  // The destructor waits for the job; the job's result task then finds the
  // model gone and does nothing.
  model.reset();
  vxtest::pumpMessagesFor(500);
  EXPECT_TRUE(seen.order.empty());
}

}  // namespace
