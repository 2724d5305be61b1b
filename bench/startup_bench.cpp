// The program's start-up as a user meets it: from the process's entry to
// the end of the main window's first paint, measured inside the process,
// next to a process that opens a bare Win32 window of the same size and
// paints a gradient. The parent runs each kind kRuns times (alternating,
// after one warm-up pair), each run a fresh child process, and prints
// medians and p90; the program child also times decoding the main window's
// skin images on their own. Asserts nothing.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/installer_main.h"
#include "bench/bench_figures.h"
#include "skinui/core/resources/resources.h"
#include "skinui/render/render_ui.h"
#include "ui/app_main_frame.h"
#include "utility/scoped_handle.h"

namespace {

constexpr int kRuns = 15;
constexpr int kWidth = 656;
constexpr int kHeight = 428;
// The child's figures travel back in its exit code, in tenths of a millisecond.
constexpr int kFailed = 0x7FFFFFFF;

using Clock = std::chrono::steady_clock;
Clock::time_point g_entry;

double MsSinceEntry() { return std::chrono::duration<double, std::milli>(Clock::now() - g_entry).count(); }

// Milliseconds to decode the images the main window's markup names, read from the skin.
double DecodeMainFrameImages() {
  size_t size = 0;
  unsigned char* markup = SkinUI::LoadSkinFile(L"mainframe.xml", &size);
  if (markup == nullptr) return -1;
  const std::string text(reinterpret_cast<const char*>(markup), size);
  delete[] markup;
  std::set<std::wstring> names;
  const std::regex image(R"(([A-Za-z0-9_]+\.(png|gif|bmp)))");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), image); it != std::sregex_iterator(); ++it) {
    const std::string name = (*it)[1];
    names.insert(std::wstring(name.begin(), name.end()));
  }
  // A name the pack does not carry draws nothing in the window and costs nothing here.
  int loaded = 0;
  const Clock::time_point start = Clock::now();
  for (const std::wstring& name : names) {
    if (SkinUI::CRenderUI::LoadImage(name.c_str(), L"", 0)) ++loaded;
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  return loaded > 0 ? ms : -1;
}

double g_paintedMs = -1;
double g_decodeMs = -1;

// The real main window; records the end of its first completed paint and closes.
class TimedMainFrame final : public CAppMainFrame {
 public:
  using CAppMainFrame::CAppMainFrame;

 protected:
  LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    const LRESULT result = CAppMainFrame::ProcessMessage(message, wParam, lParam);
    // A layered window paints on its timer, so any message may have finished the first paint.
    if (g_paintedMs < 0 && GetManager().GetCompletedPaints() > 0) {
      ::GdiFlush();
      g_paintedMs = MsSinceEntry();
      g_decodeMs = DecodeMainFrameImages();
      ::PostMessageW(GetHWND(), WM_CLOSE, 0, 0);
    }
    return result;
  }
};

int RunProgramChild() {
  RunInstaller(::GetModuleHandleW(nullptr), L"", [](std::function<void()> onDeleted) -> SkinUI::CWindowWnd* {
    return new TimedMainFrame(std::move(onDeleted));
  });
  if (g_paintedMs < 0 || g_decodeMs < 0) return kFailed;
  // Both figures in one code: start-up in the high part, decoding in the low 12 bits (tenths of a ms).
  return (static_cast<int>(g_paintedMs * 10) << 12) | std::min(static_cast<int>(g_decodeMs * 10), 4095);
}

double g_barePaintedMs = -1;

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return ::DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(window, &paint);
  TRIVERTEX corners[2] = {{0, 0, 0x2300, 0x2A00, 0x3F00, 0xFF00}, {kWidth, kHeight, 0x1400, 0x1900, 0x2900, 0xFF00}};
  GRADIENT_RECT rect{0, 1};
  ::GradientFill(dc, corners, 2, &rect, 1, GRADIENT_FILL_RECT_V);
  ::EndPaint(window, &paint);
  if (g_barePaintedMs < 0) {
    ::GdiFlush();
    g_barePaintedMs = MsSinceEntry();
    ::PostQuitMessage(0);
  }
  return 0;
}

int RunBareChild() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = BareProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = L"VxStartupBenchBare";
  if (::RegisterClassW(&windowClass) == 0) return kFailed;
  HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"bare", WS_POPUP | WS_CLIPCHILDREN, 100, 100, kWidth,
                                  kHeight, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) return kFailed;
  ::ShowWindow(window, SW_SHOW);
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
  ::DestroyWindow(window);
  return g_barePaintedMs < 0 ? kFailed : static_cast<int>(g_barePaintedMs * 10) << 12;
}

// Runs this program with mode and returns the child's exit code.
int RunChild(const wchar_t* mode) {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring commandLine = L"\"" + std::wstring(self) + L"\" " + mode;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return kFailed;
  }
  utility::ScopedHandle processHandle(process.hProcess);
  utility::ScopedHandle threadHandle(process.hThread);
  if (::WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.hProcess, 1);
    return kFailed;
  }
  DWORD code = kFailed;
  ::GetExitCodeProcess(process.hProcess, &code);
  return static_cast<int>(code);
}

using vxbench::Figures;
using vxbench::Summarise;

void Print(const char* what, const std::vector<double>& ms) {
  const Figures f = Summarise(ms);
  std::printf("%-44s median %8.1f ms   p90 %8.1f ms\n", what, f.median, f.p90);
}

int RunParent() {
  std::vector<double> bare, program, decoding, ratio;
  for (int run = 0; run <= kRuns; ++run) {
    const int b = RunChild(L"--bare");
    const int p = RunChild(L"--program");
    if (b == kFailed || p == kFailed) {
      std::printf("a child did not start or paint (bare %d, program %d)\n", b, p);
      return 1;
    }
    if (run == 0) continue;  // warms the prefix's caches, not counted
    const double bareMs = (b >> 12) / 10.0;
    const double programMs = (p >> 12) / 10.0;
    const double decodeMs = (p & 4095) / 10.0;
    bare.push_back(bareMs);
    program.push_back(programMs);
    decoding.push_back(decodeMs);
    ratio.push_back((programMs - decodeMs) / bareMs);
  }
  std::printf("process entry to the end of the first completed paint, %d fresh processes each after a warm-up pair\n",
              kRuns);
  Print("bare Win32 window (656 x 428, gradient):", bare);
  Print("installer start-up to the main window painted:", program);
  Print("  skin image decoding of the main window alone:", decoding);
  const Figures r = Summarise(ratio);
  std::printf("%-44s median %8.2f      p90 %8.2f      (goal: at most 1.25)\n",
              "(start-up - decoding) / bare:", r.median, r.p90);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  g_entry = Clock::now();
  if (argc > 1 && std::wcscmp(argv[1], L"--bare") == 0) return RunBareChild();
  if (argc > 1 && std::wcscmp(argv[1], L"--program") == 0) return RunProgramChild();
  return RunParent();
}
