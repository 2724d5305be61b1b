#pragma once
// The application model: which variant to fetch, in which language, for
// which channel, from where and into which directory; and the download,
// install and launch flow. Results reach the UI only as tasks on the UI
// task queue, so every callback runs on the UI thread.
//
// Lifetime: the process-wide model is never deleted, so workers still
// running at exit never meet a destroyed object. Any other model (tests)
// waits in its destructor for its download worker and install jobs, and
// tasks it posted that run later do nothing.

#include <windows.h>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "app/model_settings.h"
#include "app/ui_timer.h"
#include "net/analytics_reporter.h"
#include "net/http_downloader.h"
#include "utility/scoped_handle.h"
#include "utility/task_thread.h"

class CAppModel : public utility::CHttpDownloader::IHttpDownloadSink {
 public:
  // The process-wide model, made on first use with the settings given last
  // to setInstanceSettings (the shipping settings when none were given).
  static CAppModel& instance();
  // Settings of the process-wide model; takes effect only before its first use.
  static void setInstanceSettings(ModelSettings settings);

  // A model whose outside world is settings.
  explicit CAppModel(ModelSettings settings = ModelSettings());
  // Waits for the download worker and the install jobs (see above).
  ~CAppModel() override;
  CAppModel(const CAppModel&) = delete;
  CAppModel& operator=(const CAppModel&) = delete;

  // Platform download progress; posts at most once a second. Always true.
  bool onProgress(const char* data, int length, int received, int total) override;

  // One-time set-up from the program's file name, the registry and the
  // system. UI thread, before any window; commandLine is not read.
  void init(const wchar_t* commandLine, HINSTANCE instance);

  // The UI locale, e.g. "en_US".
  std::wstring getLocale() const { return locale_; }
  // The distribution channel id.
  std::wstring getChannelId() const { return channelId_; }
  // The install directory.
  std::wstring getInstallPath() const { return installPath_; }
  // The package name from the file name, or empty.
  std::wstring getPackage() const { return package_; }
  // The short language code, e.g. "kr".
  std::wstring getLangCode() const { return langCode_; }
  // The package URL, known once the URL wait has ended; empty before.
  std::wstring getPackageUrl() const { return packageUrl_; }
  // The program's module handle stored by init.
  HINSTANCE getInstance() const { return instance_; }
  // The directory the user chose; UI thread, before the download starts.
  void setInstallPath(const std::wstring& path) { installPath_ = path; }

  // Begins the download, after the URL wait when no URL is known yet; runs
  // at most once per model. UI thread.
  void startDownloadPlayer();
  // Starts the install job on a thread of its own; when no thread can be
  // started, reports the install as not started. UI thread.
  void startInstall();
  // Launches the installed product with the package arguments. UI thread.
  void startPlayer();
  // Launches the installed product with arguments, unelevated where the
  // system allows, else through the shell. UI thread.
  void runPlayer(const std::wstring& arguments);
  // True when another instance runs (it was asked to come forward); false
  // when this process now holds the instance mutex for the rest of its life.
  bool popupExistPwnd();
  // Queues an analytics event; any thread.
  void reportEvent(const std::wstring& name, const std::wstring& parameter);
  // Posts an analytics event on this thread; returns when the post has ended.
  void reportEventNow(const std::wstring& name, const std::wstring& parameter);

  // percent, bytes received, total (platform download).
  std::function<void(int, int, int)> onDownloadProgress;
  // percent 0..99 (libcurl download).
  std::function<void(int)> onDownloadPercent;
  std::function<void()> onDownloadSuccess;
  std::function<void()> onDownloadError;
  // Argument: the package installer was started.
  std::function<void(bool)> onInstallFinish;

 private:
  void _calcInstallPath();
  std::wstring readRegistryInstallDir() const;
  void applyFileNameParams();
  void setUpLocale();
  void onUrlWaitTick();
  void _threadDownloadPlayer();
  void _reportDownloadEnd(bool success);
  bool _downloadByNet(const std::wstring& destination);
  bool _downloadByCurl(const std::wstring& destination);
  void _threadInsPlayer();
  void _killPlayerProcesses();
  bool _runInstaller(const std::wstring& path, const std::wstring& arguments);
  void reportWaitResult(DWORD waitResult, HANDLE process);
  // Runs work on the UI thread under the owner key, unless this model is gone.
  void postToModel(std::function<void()> work);
  void jobEnded();
  void _reportInstallNotStarted(int error);

  const ModelSettings settings_;
  utility::CTaskThread downloadWorker_;
  utility::CHttpDownloader httpDownloader_;
  int ownerKey_ = 0;
  std::wstring installPath_;
  std::wstring channelId_ = L"100";
  std::wstring packageUrl_;
  std::wstring langCode_;
  std::wstring locale_;
  std::wstring package_;
  // Set by the first start of the download, whether or not its worker ran.
  bool downloadRequested_ = false;
  UITimer urlWaitTimer_;
  unsigned urlWaitTickCount_ = 0;
  DWORD lastProgressTick_ = 0;
  int downloadPercent_ = 0;
  HINSTANCE instance_ = nullptr;
  utility::ScopedHandle instanceMutex_;
  AnalyticsReporter reporter_;
  // Expires with the model; posted tasks check it on the UI thread.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
  std::mutex jobsLock_;
  std::condition_variable jobsDone_;
  int runningJobs_ = 0;
};
