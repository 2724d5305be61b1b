#pragma once
// The bridge to the offer module: unpacks "ds.dll" from the program's
// "ZIPRES" resource into a fresh protected folder, loads it from there and
// sends it the numbered commands through its InvokeW entry. Commands 1 and
// 2 run on the pool thread of the start-up job, the others on the UI
// thread, never at the same time.

#include <windows.h>

#include <string>

#include "ui/protected_folder.h"
#include "utility/scoped_handle.h"

class SDKWrapper final {
 public:
  // moduleState values besides a command number.
  static constexpr int kStateNormal = 0;
  static constexpr int kStateRefused = 1;
  static constexpr int kStateUserClosed = 100;
  // moduleStatus values.
  enum Status : int {
    kStatusNothing = 0,
    kStatusStarted = 1,
    kStatusWindowGiven = 2,
    kStatusButtonsGiven = 3,
    kStatusScreenOver = 4,
    kStatusInstalling = 5,
    kStatusReleased = 7,
    kStatusFailed = 8,
  };
  // The offer module's archive in the program's resources.
  static constexpr int kArchiveId = 134;

  // The process-wide bridge over the program's own resources.
  static SDKWrapper& instance();

  // A bridge that unpacks resource archiveId of resourceModule (null: the
  // program) into a new folder under parent (empty: the user's local
  // application data + "\Temp\").
  explicit SDKWrapper(HMODULE resourceModule = nullptr, int archiveId = kArchiveId, std::wstring parent = {});
  SDKWrapper(const SDKWrapper&) = delete;
  SDKWrapper& operator=(const SDKWrapper&) = delete;
  // Unloads the module and removes its folder (the process-wide bridge is
  // never destroyed; release() does that for it).
  ~SDKWrapper() = default;

  // Loads the module and sends commands 1 and 2; 1 when it started, 8 otherwise.
  virtual int init(const std::wstring& locale, const std::wstring& channel);
  // Sends command 9 as the state allows, unloads the module and deletes the
  // unpacked files; 1, or 0 when building a command failed.
  virtual int release();
  // Unpacks and loads the module and finds InvokeW; false when any step fails.
  virtual bool loadModule();
  // Unpacks the archive into directory; true when the resource was found,
  // loaded and not empty (the unpacking's result is not examined).
  virtual bool unpackModule(const std::wstring& directory);

  // Command 3: the host window and the module's area in it.
  void setWindow(HWND host, int x, int y, int width, int height);
  // Command 4: the button windows; non-zero when an offer is on screen.
  int showOffers(HWND acceptButton, HWND declineButton);
  // Command 5; 0 when the offer screen is over.
  int acceptOffer();
  // Command 6; 0 when the offer screen is over.
  int declineOffer();
  // Command 7; always 1.
  int installOffers();

  // 0 normal, 1 refused or not loaded, 100 closed by the user, else the
  // number of the command that failed.
  int moduleState() const { return moduleState_; }
  // Records that the user closed the popup (kStateUserClosed).
  void setModuleState(int state) { moduleState_ = state; }
  // One of Status.
  int moduleStatus() const { return moduleStatus_; }
  // The folder the module was unpacked into, ending with "\"; empty before.
  const std::wstring& setupDirectory() const { return setupDirectory_; }
  // The access list the setup directory was made with.
  const std::wstring& setupAccess() const { return folder_.access(); }
  // setupDirectory() + "ds.dll".
  const std::wstring& modulePath() const { return modulePath_; }

 private:
  using InvokeFunction = int(WINAPI*)(int command, const wchar_t* text);

  int Send(int command, const std::wstring& text);
  int EndScreen(int command);
  void Fail(int command);
  std::wstring FolderParent() const;

  HMODULE resourceModule_;
  int archiveId_;
  std::wstring parent_;
  // Declared before the module so that the module is unloaded first.
  offer::ProtectedFolder folder_;
  utility::ScopedModule module_;
  InvokeFunction invoke_ = nullptr;
  std::wstring setupDirectory_;
  std::wstring modulePath_;
  int moduleState_ = kStateNormal;
  int moduleStatus_ = kStatusNothing;
};
