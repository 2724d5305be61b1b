#include "tests/skinui/core/window_test_support.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "skinui/core/window/manager_ui.h"
#include "tests/common/wine_path.h"

namespace vxtest {
namespace {

using SkinUI::UIEvent;

const wchar_t* EventName(int type) {
  switch (type) {
    case SkinUI::kEventKeyDown:
      return L"keydown";
    case SkinUI::kEventKeyUp:
      return L"keyup";
    case SkinUI::kEventChar:
      return L"char";
    case SkinUI::kEventMouseMove:
      return L"move";
    case SkinUI::kEventMouseLeave:
      return L"leave";
    case SkinUI::kEventMouseEnter:
      return L"enter";
    case SkinUI::kEventMouseHover:
      return L"hover";
    case SkinUI::kEventButtonDown:
      return L"down";
    case SkinUI::kEventButtonUp:
      return L"up";
    case SkinUI::kEventRightButtonDown:
      return L"rdown";
    case SkinUI::kEventDoubleClick:
      return L"dblclick";
    case SkinUI::kEventContextMenu:
      return L"contextmenu";
    case SkinUI::kEventScrollWheel:
      return L"wheel";
    case SkinUI::kEventKillFocus:
      return L"killfocus";
    case SkinUI::kEventSetFocus:
      return L"setfocus";
    case SkinUI::kEventSetCursor:
      return L"setcursor";
    case SkinUI::kEventTimer:
      return L"timer";
    default:
      return L"other";
  }
}

}  // namespace

int WindowLog::Count(const std::wstring& type) const {
  int count = 0;
  for (const std::wstring& entry : notifications) {
    if (entry.compare(0, type.size() + 1, type + L":") == 0) ++count;
  }
  return count;
}

int WindowLog::CountEvent(const std::wstring& entry) const {
  int count = 0;
  for (const std::wstring& seen : events) count += seen == entry ? 1 : 0;
  return count;
}

void LoggingControl::HandleEvent(UIEvent& event) {
  if (event.type != SkinUI::kEventMouseMove && event.type != SkinUI::kEventSetCursor) {
    log_->events.push_back(std::wstring(GetName().GetData()) + L":" + EventName(event.type));
  }
  if (event.type == SkinUI::kEventButtonDown) pressed_ = true;
  if (event.type == SkinUI::kEventButtonUp) {
    const RECT& bounds = GetBounds();
    if (pressed_ && ::PtInRect(&bounds, event.mousePos)) GetManager()->SendNotification(this, L"click");
    pressed_ = false;
  }
  CControlUI::HandleEvent(event);
}

bool TestWindow::Open(const wchar_t* title, int x, int y) {
  if (Create(nullptr, title, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, RECT{x, y, x + 50, y + 50}) ==
      nullptr) {
    return false;
  }
  ShowWindow(true, true);
  return PumpUiUntil([this] { return log.Count(L"windowinit") > 0; });
}

bool TestWindow::CloseAndWait() {
  if (GetHWND() == nullptr) return destroyed;
  Close(0);
  return PumpUiUntil([this] { return destroyed; });
}

LPARAM TestWindow::CentreOf(const wchar_t* name) {
  const RECT& r = Find(name)->GetBounds();
  return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void TestWindow::PostMouse(UINT message, int x, int y, WPARAM keys) { PostMessage(message, keys, MAKELPARAM(x, y)); }

void TestWindow::Notify(SkinUI::UINotify& notify) {
  const wchar_t* sender = notify.sender != nullptr ? notify.sender->GetName().GetData() : L"";
  log.notifications.push_back(std::wstring(notify.type.GetData()) + L":" + sender + L":" +
                              std::to_wstring(notify.wParam) + L":" + std::to_wstring(notify.lParam));
  WindowImplBase::Notify(notify);
}

SkinUI::CControlUI* TestWindow::CreateCustomControl(const wchar_t* className) {
  struct Kind {
    const wchar_t* element;
    const wchar_t* type;
    uint32_t flags;
  };
  static const Kind kKinds[] = {
      {L"TestButton", L"Button", SkinUI::kInputTabStop | SkinUI::kInputSetCursor},
      {L"TestOption", L"Option", SkinUI::kInputTabStop},
      {L"TestText", L"Text", 0},
      {L"TestLabel", L"Label", 0},
      {L"TestBox", L"Control", 0},
  };
  for (const Kind& kind : kKinds) {
    if (std::wcscmp(className, kind.element) == 0) return new LoggingControl(kind.type, kind.flags, &log);
  }
  return nullptr;
}

LRESULT TestWindow::OnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  closeResult = static_cast<int>(wParam);
  return WindowImplBase::OnClose(message, wParam, lParam, handled);
}

void TestWindow::OnWindowDestroyed(HWND window) {
  WindowImplBase::OnWindowDestroyed(window);
  destroyed = true;
}

bool PumpUiUntil(const std::function<bool()>& done, unsigned limitMs) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > limitMs) return done();
    MSG message{};
    if (!::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      continue;
    }
    if (SkinUI::CManagerUI::PreDispatchMessage(&message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return true;
}

void PumpUiFor(unsigned periodMs) {
  const DWORD start = ::GetTickCount();
  PumpUiUntil([&] { return ::GetTickCount() - start >= periodMs; }, periodMs + 1000);
}

bool StartHostProgram(const std::wstring& linuxPath, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + winePath(linuxPath) + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return false;
  }
  // Wine starts programs of the host without process or thread handles; close any it gives.
  if (info.hThread != nullptr) ::CloseHandle(info.hThread);
  if (info.hProcess != nullptr) ::CloseHandle(info.hProcess);
  return true;
}

namespace {

bool ReadPpm(const std::filesystem::path& path, Screenshot* shot) {
  std::ifstream file(path, std::ios::binary);
  std::string magic;
  int maxValue = 0;
  file >> magic >> shot->width >> shot->height >> maxValue;
  file.get();
  if (!file || magic != "P6" || maxValue != 255 || shot->width <= 0 || shot->height <= 0) return false;
  std::vector<unsigned char> bytes(static_cast<size_t>(shot->width) * shot->height * 3);
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) return false;
  shot->pixels.resize(bytes.size() / 3);
  for (size_t i = 0; i < shot->pixels.size(); ++i) {
    shot->pixels[i] = (uint32_t{bytes[3 * i]} << 16) | (uint32_t{bytes[3 * i + 1]} << 8) | bytes[3 * i + 2];
  }
  return true;
}

}  // namespace

bool CaptureScreen(const std::string& linuxPath, Screenshot* shot, unsigned limitMs) {
  const std::filesystem::path path(winePath(linuxPath));
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  std::filesystem::create_directories(path.parent_path(), ignored);
  // Written aside and renamed, so a file that exists is complete.
  const std::string part = linuxPath + ".part";
  const std::wstring script = L"import -window root -depth 8 ppm:" + std::wstring(part.begin(), part.end()) +
                              L" && mv " + std::wstring(part.begin(), part.end()) + L" " +
                              std::wstring(linuxPath.begin(), linuxPath.end());
  if (!StartHostProgram(L"/bin/sh", L"-c \"" + script + L"\"")) return false;
  // Messages go on meanwhile, so the windows being captured keep painting.
  if (!PumpUiUntil([&] { return std::filesystem::exists(path); }, limitMs)) return false;
  return ReadPpm(path, shot);
}

}  // namespace vxtest
