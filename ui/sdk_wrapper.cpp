#include "ui/sdk_wrapper.h"

#include <knownfolders.h>
#include <shlobj.h>

#include "skinui/core/resources/archive_directory.h"
#include "ui/offer_commands.h"
#include "utility/system_library.h"

namespace {

using KnownFolderPathFunction = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);

// The user's local application-data folder, or empty.
std::wstring LocalAppDataFolder() {
  utility::ScopedModule shell = utility::usystem::loadSystemLibrary(L"Shell32.dll");
  if (!shell) return {};
  auto knownFolderPath = reinterpret_cast<KnownFolderPathFunction>(
      reinterpret_cast<void*>(::GetProcAddress(shell.get(), "SHGetKnownFolderPath")));
  if (knownFolderPath == nullptr) return {};
  PWSTR folder = nullptr;
  std::wstring path;
  if (SUCCEEDED(knownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder))) path = folder;
  ::CoTaskMemFree(folder);
  return path;
}

}  // namespace

SDKWrapper& SDKWrapper::instance() {
  static SDKWrapper* wrapper = new SDKWrapper();
  return *wrapper;
}

SDKWrapper::SDKWrapper(HMODULE resourceModule, int archiveId, std::wstring parent)
    : resourceModule_(resourceModule), archiveId_(archiveId), parent_(std::move(parent)) {}

int SDKWrapper::init(const std::wstring& locale, const std::wstring& channel) {
  moduleStatus_ = kStatusNothing;
  if (loadModule() && Send(offer::kCommandStart, offer::StartText(locale, channel)) != 0) {
    Send(offer::kCommandBlocking, offer::BlockingText());
    moduleStatus_ = kStatusStarted;
    return 1;
  }
  moduleState_ = kStateRefused;
  moduleStatus_ = kStatusFailed;
  return 8;
}

std::wstring SDKWrapper::FolderParent() const {
  if (!parent_.empty()) return parent_;
  const std::wstring local = LocalAppDataFolder();
  return local.empty() ? local : local + L"\\Temp\\";
}

bool SDKWrapper::loadModule() {
  const std::wstring parent = FolderParent();
  if (parent.empty()) return false;
  ::CreateDirectoryW(parent.c_str(), nullptr);
  // Never the shared "Setup\" folder: a folder of its own that the user
  // cannot write keeps the module from being swapped before it is loaded.
  if (!folder_.Create(parent)) return false;
  setupDirectory_ = folder_.path();
  modulePath_ = setupDirectory_ + L"ds.dll";
  if (!unpackModule(setupDirectory_)) return false;
  // Its own imports, too, come only from that folder and the system folder,
  // never from the program's folder or the current directory.
  module_.reset(
      ::LoadLibraryExW(modulePath_.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!module_) return false;
  invoke_ = reinterpret_cast<InvokeFunction>(reinterpret_cast<void*>(::GetProcAddress(module_.get(), "InvokeW")));
  if (invoke_ == nullptr) module_.reset();
  return invoke_ != nullptr;
}

bool SDKWrapper::unpackModule(const std::wstring& directory) {
  HMODULE program = resourceModule_ != nullptr ? resourceModule_ : ::GetModuleHandleW(nullptr);
  HRSRC found = ::FindResourceW(program, MAKEINTRESOURCEW(archiveId_), L"ZIPRES");
  if (found == nullptr) return false;
  HGLOBAL loaded = ::LoadResource(program, found);
  const DWORD size = ::SizeofResource(program, found);
  const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (bytes == nullptr || size == 0) return false;
  SkinUI::ExtractArchiveToDirectory(static_cast<const unsigned char*>(bytes), size, directory.c_str());
  return true;
}

int SDKWrapper::Send(int command, const std::wstring& text) {
  return invoke_ != nullptr ? invoke_(command, text.c_str()) : 0;
}

void SDKWrapper::Fail(int command) {
  moduleState_ = command;
  moduleStatus_ = kStatusFailed;
}

void SDKWrapper::setWindow(HWND host, int x, int y, int width, int height) {
  if (moduleState_ != kStateNormal) return;
  try {
    const int handle = static_cast<int>(reinterpret_cast<INT_PTR>(host));
    if (Send(offer::kCommandWindow, offer::WindowText(handle, x, y, width, height)) != 0) {
      moduleStatus_ = kStatusWindowGiven;
    }
  } catch (...) {
    Fail(offer::kCommandWindow);
  }
}

int SDKWrapper::showOffers(HWND acceptButton, HWND declineButton) {
  if (moduleState_ != kStateNormal) return 0;
  try {
    const int accept = static_cast<int>(reinterpret_cast<INT_PTR>(acceptButton));
    const int decline = static_cast<int>(reinterpret_cast<INT_PTR>(declineButton));
    const int answer = Send(offer::kCommandButtons, offer::ButtonsText(accept, decline));
    moduleStatus_ = kStatusButtonsGiven;
    return answer;
  } catch (...) {
    Fail(offer::kCommandButtons);
    return 0;
  }
}

int SDKWrapper::EndScreen(int command) {
  if (moduleState_ != kStateNormal) {
    moduleStatus_ = kStatusScreenOver;
    return 0;
  }
  try {
    const int answer = Send(command, std::wstring());
    if (answer != 0) return answer;
    moduleStatus_ = kStatusScreenOver;
    return 0;
  } catch (...) {
    Fail(command);
    return 0;
  }
}

int SDKWrapper::acceptOffer() { return EndScreen(offer::kCommandAccept); }

int SDKWrapper::declineOffer() { return EndScreen(offer::kCommandDecline); }

int SDKWrapper::installOffers() {
  if (moduleState_ != kStateNormal) return 1;
  try {
    if (Send(offer::kCommandInstall, std::wstring()) != 0) {
      moduleStatus_ = kStatusInstalling;
    } else {
      Fail(offer::kCommandInstall);
    }
    return 1;
  } catch (...) {
    Fail(offer::kCommandInstall);
    return 0;
  }
}

int SDKWrapper::release() {
  try {
    if (moduleState_ == kStateUserClosed || moduleState_ == kStateNormal) {
      Send(offer::kCommandRelease, offer::ReleaseText(moduleState_ == kStateUserClosed));
    }
  } catch (...) {
    moduleState_ = offer::kCommandRelease;
    moduleStatus_ = kStatusFailed;
    return 0;
  }
  invoke_ = nullptr;
  module_.reset();
  moduleStatus_ = kStatusReleased;
  folder_.Remove();
  return 1;
}
