#include "app/app_model.h"

#include <cerrno>
#include <cwchar>
#include <optional>
#include <utility>

#include "app/async_run.h"
#include "app/config_imp.h"
#include "app/file_name_params.h"
#include "app/install_command.h"
#include "app/locale_table.h"
#include "app/ui_locale.h"
#include "app/ui_task_queue.h"
#include "net/curl_downloader.h"
#include "utility/instance_mutex.h"
#include "utility/log.h"
#include "utility/process.h"
#include "utility/process_token.h"
#include "utility/runable.h"
#include "utility/scoped_handle.h"
#include "utility/text.h"
#include "utility/ufile.h"
#include "utility/usystem_drives.h"
#include "utility/usystem_os.h"
#include "utility/window_ipc.h"

namespace {

constexpr DWORD kProgressIntervalMs = 1000;
constexpr std::int64_t kMinCurlDownloadBytes = 1048576;
constexpr DWORD kInstallDirBufferBytes = 2048;
constexpr const wchar_t* kProductFile = L"\\vxrunner.exe";
constexpr const wchar_t* kStopList[] = {L"vxrunner.exe", L"vxmultirunner.exe", L"vxmultirunnerex.exe",
                                        L"bugreport.exe"};

// The program's own path, at most MAX_PATH characters.
std::wstring ownProgramPath() {
  wchar_t path[MAX_PATH + 1] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

// Windows 8 and later (6.2 as reported to a program that declares no OS).
bool canRunUnelevated() {
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof(version);
  if (!::GetVersionExW(&version)) return false;
  return version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion >= 2);
}

// The exit code of an ended package installer, logged unless it is 0; the
// error instead when it cannot be read.
bool readExitCode(HANDLE process, DWORD& exitCode, DWORD& error) {
  if (!::GetExitCodeProcess(process, &exitCode)) {
    error = ::GetLastError();
    writeLog("CAppModel::reportWaitResult", __LINE__, L"installer exit code not read, lastError = %d",
             static_cast<int>(error));
    return false;
  }
  if (exitCode != 0) {
    writeLog("CAppModel::reportWaitResult", __LINE__, L"installer exit code = %d", static_cast<int>(exitCode));
  }
  return true;
}

// What the process-wide model is made with.
ModelSettings& InstanceSettings() {
  static ModelSettings settings;
  return settings;
}

}  // namespace

void CAppModel::setInstanceSettings(ModelSettings settings) { InstanceSettings() = std::move(settings); }

CAppModel& CAppModel::instance() {
  // Never destroyed: workers may still run while the process exits.
  static CAppModel* const model = new CAppModel(InstanceSettings());
  return *model;
}

CAppModel::CAppModel(ModelSettings settings)
    : settings_(std::move(settings)), downloadWorker_(settings_.threadStarter) {}

CAppModel::~CAppModel() {
  alive_.reset();
  std::unique_lock<std::mutex> lock(jobsLock_);
  jobsDone_.wait(lock, [this] { return runningJobs_ == 0; });
  lock.unlock();
  downloadWorker_.requestStop();
  downloadWorker_.stop(INFINITE);
}

void CAppModel::init(const wchar_t* /*commandLine*/, HINSTANCE instance) {
  instance_ = instance;
  applyFileNameParams();
  setUpLocale();
  const ConfigImp& config = ConfigImp::instance();
  // The property follows the file name's language, not the UI language.
  reporter_.init(config.getMeasurementId(), config.getApiSecret(), settings_.collectorBase);
  writeLog("CAppModel::init", __LINE__, L"id is %s, package is %s", channelId_.c_str(), package_.c_str());
  _calcInstallPath();
}

void CAppModel::applyFileNameParams() {
  const std::wstring path = settings_.programPath.empty() ? ownProgramPath() : settings_.programPath;
  const std::wstring name = utility::ufile::getFileName(path, false);
  writeLog("CAppModel::applyFileNameParams", __LINE__, L"namne: %s", name.c_str());
  const FileNameParams params = parseFileNameParams(name);
  if (!params.present) return;
  writeLog("CAppModel::applyFileNameParams", __LINE__, L"t:%s, p:%s, p:%s l:%s", params.tag.c_str(),
           params.package.c_str(), params.channel.c_str(), params.language.c_str());
  if (!params.channel.empty() && channelId_ == L"100") channelId_ = params.channel;
  ConfigImp& config = ConfigImp::instance();
  const std::size_t languageLength = params.language.size();
  if (languageLength >= 1 && languageLength <= 3) {
    const bool englishSiteOnly = params.language == L"ens";
    config.setLanguage(englishSiteOnly ? L"en" : params.language);
    if (!englishSiteOnly) langCode_ = config.getLanguage();
  }
  if (params.package.size() > 5) package_ = params.package;
  const std::wstring tag = utility::text::toLower(params.tag);
  if (tag == L"vandorix4") config.setPlayer4();
  else if (tag == L"vandorix64") config.setPlayer64();
  else if (tag == L"vandorix3") config.setPlayer3();
  else if (tag == L"vandorix9") config.setPlayer9();
}

void CAppModel::setUpLocale() {
  if (!langCode_.empty()) {
    locale_ = codeToLocale(langCode_);
    return;
  }
  locale_ = detectUiLocale(L"en_US");
  langCode_ = localeToCode(locale_);
}

void CAppModel::_calcInstallPath() {
  if (installPath_.empty()) installPath_ = readRegistryInstallDir();
  writeLog("CAppModel::_calcInstallPath", __LINE__, L"reg path: %s", installPath_.c_str());
  if (!installPath_.empty()) return;
  installPath_ = utility::usystem::getMaxFreeSpaceDrive() + ConfigImp::instance().getInstallSubDir();
  writeLog("CAppModel::_calcInstallPath", __LINE__, L"space path: %s", installPath_.c_str());
}

std::wstring CAppModel::readRegistryInstallDir() const {
  utility::ScopedRegKey key;
  const std::wstring keyName = ConfigImp::instance().getRegistryKey();
  if (::RegCreateKeyExW(settings_.registryRoot, keyName.c_str(), 0, nullptr, 0, KEY_QUERY_VALUE, nullptr, key.receive(),
                        nullptr) != ERROR_SUCCESS) {
    return std::wstring();
  }
  wchar_t buffer[kInstallDirBufferBytes / sizeof(wchar_t)] = {};
  // One unit short of the buffer, so a value stored without its NUL still
  // ends inside it.
  DWORD size = kInstallDirBufferBytes - sizeof(wchar_t);
  if (::RegQueryValueExW(key.get(), L"InstallDir", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
      ERROR_SUCCESS) {
    return std::wstring();
  }
  return buffer;
}

void CAppModel::startDownloadPlayer() {
  if (packageUrl_.empty()) {
    writeLog("CAppModel::startDownloadPlayer", __LINE__, L"start. current in get palyer url");
    urlWaitTimer_.start(settings_.urlWaitTickMs, new MemberFuncRunable<CAppModel>(this, &CAppModel::onUrlWaitTick));
    return;
  }
  // The download runs once per model; one whose worker did not start has
  // failed for good.
  if (downloadRequested_) return;
  downloadRequested_ = true;
  RunablePtr task(new MemberFuncRunable<CAppModel>(this, &CAppModel::_threadDownloadPlayer));
  if (downloadWorker_.start(task.get())) {
    task.release();
    return;
  }
  writeLog("CAppModel::startDownloadPlayer", __LINE__, L"download thread not started, download failed");
  _reportDownloadEnd(false);
}

void CAppModel::onUrlWaitTick() {
  ++urlWaitTickCount_;
  if (urlWaitTickCount_ < settings_.urlWaitTicks && packageUrl_.empty()) return;
  if (packageUrl_.empty()) {
    const std::wstring url = ConfigImp::instance().getPackageUrl();
    // The variant's path on the configured CDN.
    packageUrl_ = settings_.packageCdnBase + url.substr(std::wcslen(endpoints::kPackageCdnBase));
  }
  startDownloadPlayer();
  urlWaitTimer_.stop();
}

void CAppModel::_threadDownloadPlayer() {
  writeLog("CAppModel::_threadDownloadPlayer", __LINE__, L"download player");
  if (!utility::ufile::fileExists(installPath_)) utility::ufile::makeDir(installPath_);
  lastProgressTick_ = 0;
  const std::wstring destination = ConfigImp::instance().getInstallerPath(installPath_);
  const DWORD start = ::GetTickCount();
  bool success = _downloadByNet(destination);
  if (!success) success = _downloadByCurl(destination);
  const unsigned elapsed = install_command::roundedElapsedSeconds(::GetTickCount() - start);
  _reportDownloadEnd(success);
  writeLog("CAppModel::_threadDownloadPlayer", __LINE__, L"download end, success = %d, elapse = %d", success ? 1 : 0,
           static_cast<int>(elapsed));
}

void CAppModel::_reportDownloadEnd(bool success) {
  if (success) {
    postToModel([this] {
      if (onDownloadSuccess) onDownloadSuccess();
    });
    reportEvent(L"ad_download_sucess", channelId_);
  } else {
    postToModel([this] {
      if (onDownloadError) onDownloadError();
    });
    reportEvent(L"ad_download_error", channelId_);
  }
}

bool CAppModel::_downloadByNet(const std::wstring& destination) {
  lastProgressTick_ = 0;
  writeLog("CAppModel::_downloadByNet", __LINE__, L"start. url: %s", packageUrl_.c_str());
  const std::wstring temporary = destination + L".tmp";
  utility::ufile::removeFile(temporary);
  bool success = httpDownloader_.download(packageUrl_, temporary, this);
  if (!success) {
    httpDownloader_.cancel();
    success = httpDownloader_.download(packageUrl_, temporary, this);
  }
  // A file that is not in place is no download: the fallback must run.
  if (success) {
    success = utility::ufile::moveFile(temporary, destination, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
  }
  if (success) {
    writeLog("CAppModel::_downloadByNet", __LINE__, L"download file success %s", destination.c_str());
    return true;
  }
  writeLog("CAppModel::_downloadByNet", __LINE__, L"download error. file = %s", destination.c_str());
  return false;
}

bool CAppModel::_downloadByCurl(const std::wstring& destination) {
  writeLog("CAppModel::_downloadByCurl", __LINE__, L"download by curl");
  // Downloaded aside and moved into place only when whole, so a failed
  // transfer never leaves a partial installer to run.
  const std::wstring temporary = destination + L".tmp";
  const bool transferred =
      CCurlDownloader::downloadFile(temporary, utility::text::wideToAnsi(packageUrl_), [this](int percent) {
        postToModel([this, percent] {
          if (onDownloadPercent) onDownloadPercent(percent);
        });
      });
  std::int64_t size = 0;
  const bool whole = transferred && utility::ufile::getFileSize(temporary, size) && size >= kMinCurlDownloadBytes;
  if (whole && utility::ufile::moveFile(temporary, destination, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
    return true;
  }
  if (utility::ufile::fileExists(temporary)) utility::ufile::removeFile(temporary);
  return false;
}

bool CAppModel::onProgress(const char* /*data*/, int /*length*/, int received, int total) {
  const DWORD now = ::GetTickCount();
  if (now < lastProgressTick_ + kProgressIntervalMs) return true;
  lastProgressTick_ = now;
  postToModel([this, received, total] {
    // Not capped: without a length the total is a guess and may be passed.
    downloadPercent_ = total > 0 ? static_cast<int>(static_cast<double>(received) / total * 100.0) : 0;
    if (onDownloadProgress) onDownloadProgress(downloadPercent_, received, total);
  });
  return true;
}

void CAppModel::startInstall() {
  {
    std::lock_guard<std::mutex> lock(jobsLock_);
    ++runningJobs_;
  }
  const bool started = asyncRun(
      [this] {
        _threadInsPlayer();
        jobEnded();
      },
      settings_.threadStarter);
  if (started) return;
  const int error = errno;
  jobEnded();
  _reportInstallNotStarted(error);
}

void CAppModel::_reportInstallNotStarted(int error) {
  writeLog("CAppModel::_reportInstallNotStarted", __LINE__, L"install job not started, error = %d", error);
  const std::wstring reason = L"errCreateThread_" + std::to_wstring(error);
  reportEvent(L"ad_installError", install_command::installErrorLabel(channelId_, reason));
  postToModel([this] {
    if (onInstallFinish) onInstallFinish(false);
  });
}

void CAppModel::jobEnded() {
  // Notified under the lock: the destructor may free the model right after.
  std::lock_guard<std::mutex> lock(jobsLock_);
  --runningJobs_;
  jobsDone_.notify_all();
}

void CAppModel::_threadInsPlayer() {
  const std::wstring arguments = install_command::installerArguments(channelId_, langCode_, installPath_);
  writeLog("CAppModel::_threadInsPlayer", __LINE__, L"install:  %s", arguments.c_str());
  const std::wstring installer = ConfigImp::instance().getInstallerPath(installPath_);
  _killPlayerProcesses();
  const bool started = _runInstaller(installer, arguments);
  utility::ufile::makeDir(installPath_ + L"data\\");
  postToModel([this, started] {
    if (onInstallFinish) onInstallFinish(started);
  });
}

void CAppModel::_killPlayerProcesses() {
  // By full path: this program runs elevated, and a bare name would be
  // searched in its own folder and the current directory first.
  const std::wstring taskkill = utility::usystem::systemProgramPath(L"taskkill.exe");
  for (const wchar_t* name : kStopList) {
    utility::process::execute(taskkill, install_command::killArguments(name), false, settings_.killWaitMs);
  }
}

bool CAppModel::_runInstaller(const std::wstring& path, const std::wstring& arguments) {
  utility::ScopedHandle process = utility::process::create(path, arguments, true);
  if (!process) {
    const std::wstring reason = L"errCreateProcess_" + std::to_wstring(::GetLastError());
    reportEvent(L"ad_installError", install_command::installErrorLabel(channelId_, reason));
    return false;
  }
  reportWaitResult(::WaitForSingleObject(process.get(), settings_.installerWaitMs), process.get());
  return true;
}

void CAppModel::reportWaitResult(DWORD waitResult, HANDLE process) {
  DWORD exitCode = 0;
  DWORD readError = 0;
  const bool exitCodeRead = waitResult == WAIT_OBJECT_0 && readExitCode(process, exitCode, readError);
  const std::wstring reason = install_command::installerEndReason(waitResult, exitCodeRead, exitCode, readError);
  if (reason.empty()) {
    reportEvent(L"ad_installSucess", channelId_);
    return;
  }
  reportEvent(L"ad_installError", install_command::installErrorLabel(channelId_, reason));
}

void CAppModel::startPlayer() { runPlayer(install_command::productArguments(package_)); }

void CAppModel::runPlayer(const std::wstring& arguments) {
  const std::wstring product = installPath_ + kProductFile;
  if (canRunUnelevated()) {
    writeLog("CAppModel::runPlayer", __LINE__, L"run by amdin");
    if (utility::process::runWithoutAdmin(product, std::optional<std::wstring>(arguments)) == 0) return;
    writeLog("CAppModel::runPlayer", __LINE__, L"run by amdin error: %d", static_cast<int>(::GetLastError()));
  }
  utility::process::shell(product, arguments, true, false);
}

void CAppModel::reportEvent(const std::wstring& name, const std::wstring& parameter) {
  reporter_.sendEvent(name, parameter);
}

void CAppModel::reportEventNow(const std::wstring& name, const std::wstring& parameter) {
  reporter_.sendEventNow(name, parameter);
}

void CAppModel::postToModel(std::function<void()> work) {
  std::weak_ptr<int> alive = alive_;
  Runable* task = new FunctionRunable([alive, work = std::move(work)] {
    if (!alive.expired()) work();
  });
  utility::UITaskQueue* queue = utility::UITaskQueue::instance();
  if (queue == nullptr) {
    task->release();
    return;
  }
  queue->post(&ownerKey_, task);
}

bool CAppModel::popupExistPwnd() {
  instanceMutex_ = utility::usystem::createInstanceMutex(utility::CHANNEL_NAME, false, true);
  if (instanceMutex_) {
    writeLog("CAppModel::popupExistPwnd", __LINE__, L"not has");
    return false;
  }
  // The running instance may not have opened its channel yet: then nothing is posted.
  utility::WindowIPC channel;
  if (channel.open(utility::CHANNEL_NAME)) channel.postMessage(utility::SHOW_MAIN_FRAME_MSG, 0, 0);
  writeLog("CAppModel::popupExistPwnd", __LINE__, L"has");
  return true;
}
