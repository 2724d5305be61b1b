// Opening a window like the installer's main window (688 x 458, about sixty
// controls built from markup held in memory, 9-slice PNG images in a skin
// folder) next to a bare Win32 window that paints a gradient background: the
// time from Create to the end of the first WM_PAINT for each, and the time
// the skin's images take to decode on their own. Prints medians and p90 of
// kRuns runs (after one warm-up run each); asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_figures.h"
#include "bench/bench_images.h"

#include "skinui/control/gdiplus_session.h"
#include "skinui/core/control_ui.h"
#include "skinui/core/resources/resources.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/core/window/window_handles.h"
#include "skinui/core/window/window_impl_base.h"
#include "skinui/layout/container_interface.h"
#include "skinui/render/render_ui.h"
#include "utility/scoped_handle.h"

namespace {

using SkinUI::CControlUI;
using SkinUI::CRenderUI;

constexpr int kWidth = 688;
constexpr int kHeight = 458;
constexpr int kRuns = 20;
constexpr COLORREF kTop = RGB(0x1E, 0x5A, 0xA8);
constexpr COLORREF kBottom = RGB(0x0B, 0x2E, 0x5C);

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f{};
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER counter{};
  ::QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / frequency;
}

// The options page and two pages the tab layout holds but does not show.
std::wstring PagesMarkup() {
  std::wstring pages =
      LR"(<TabLayout><VerticalLayout inset="24,12,24,0" childpadding="4">
<Label height="34" font="2" text="Choose what to install"/>
<Text height="40" showhtml="true" multiline="true" textcolor="#FFDDE6F0" text="Vandorix keeps your files in sync on &lt;b&gt;every device&lt;/b&gt;. Read the &lt;a https://example.invalid/notes&gt;release notes&lt;/a&gt; or &lt;c #FFFFD166&gt;compare editions&lt;/c&gt;."/>
)";
  const wchar_t* options[] = {L"Desktop shortcut",       L"Start menu entry",        L"Open files of known types",
                              L"Sync in the background", L"Check for updates",       L"Send anonymous usage figures",
                              L"Start after sign-in",    L"Add a context-menu entry"};
  for (int i = 0; i < 8; ++i) {
    pages +=
        LR"(<HorizontalLayout height="22" childvalign="vcenter"><Control width="16" height="16" bkimage="check.png"/>)";
    pages += std::wstring(LR"(<Label padding="8,0,0,0" text=")") + options[i] + LR"("/>)";
    pages += std::wstring(LR"(<Label width="90" align="right" textcolor="#FFB8C7D9" text=")") +
             (i % 2 == 0 ? L"12.4 MB" : L"0.3 MB") +
             LR"("/></HorizontalLayout>
)";
  }
  pages +=
      LR"(<HorizontalLayout height="30" childpadding="8">
<Label textcolor="#FF333333" textpadding="6,0,6,0" bkimage="file='edit.png' corner='3,3,3,3'" bordersize="1" bordercolor="#FF5A6B7D" text="C:\Program Files\Vandorix"/>
<Button width="96" align="center" font="1" bkimage="file='button_gray.png' corner='6,6,6,6'" text="Browse..."/>
</HorizontalLayout>
<HorizontalLayout height="12" padding="0,6,0,0" bkimage="file='progress_bg.png' corner='5,5,5,5'">
<Control width="380" bkimage="file='progress_fg.png' corner='5,5,5,5'"/>
</HorizontalLayout></VerticalLayout>
)";
  for (const wchar_t* heading : {L"Installing", L"Done"}) {
    pages += std::wstring(LR"(<VerticalLayout inset="24,12,24,0"><Label height="34" font="2" text=")") + heading +
             LR"("/><Label height="22" text="Downloading the package..."/>
<Control height="12" bkimage="file='progress_bg.png' corner='5,5,5,5'"/></VerticalLayout>
)";
  }
  return pages + L"</TabLayout>\n";
}

// The main window's skin: title bar, pages, version line and button bar.
std::wstring SkinMarkup() {
  return LR"(<Window size="688,458" caption="0,0,0,36" roundcorner="4,4" defaultfontcolor="#FFFFFFFF">
<Font id="0" name="Tahoma" size="12" default="true"/>
<Font id="1" name="Tahoma" size="13" bold="true"/>
<Font id="2" name="Tahoma" size="20" bold="true"/>
<VerticalLayout bkcolor="#FF1E5AA8" bkcolor2="#FF0B2E5C">
<HorizontalLayout height="36" inset="12,0,6,0" childvalign="vcenter">
<Control width="24" height="24" bkimage="logo.png"/>
<Label width="220" padding="8,0,0,0" font="1" text="Vandorix Setup"/>
<Control/>
<Control name="minbtn" width="30" height="30" bkimage="file='sysbtn.png' source='0,0,30,30'"/>
<Control name="closebtn" width="30" height="30" bkimage="file='sysbtn.png' source='30,0,60,30'"/>
</HorizontalLayout>
)" + PagesMarkup() +
         LR"(<Label height="18" padding="0,0,24,0" align="right" textcolor="#FF9FB3C8" text="Version 9.2033.1"/>
<HorizontalLayout height="60" inset="24,12,24,12" childpadding="12" childvalign="vcenter" bkcolor="#40000000">
<Control width="16" height="16" bkimage="check.png"/>
<Text showhtml="true" text="I accept the &lt;a licence&gt;licence terms&lt;/a&gt; and the &lt;a privacy&gt;privacy statement&lt;/a&gt;."/>
<Button width="100" align="center" font="1" bkimage="file='button_gray.png' corner='6,6,6,6'" text="Cancel"/>
<Button width="120" align="center" font="1" bkimage="file='button.png' corner='6,6,6,6'" text="Install"/>
</HorizontalLayout></VerticalLayout></Window>)";
}

// Dispatches messages until done() or a guard of 10 s against hangs; returns done().
template <class Done>
bool PumpUntil(Done done) {
  const DWORD start = ::GetTickCount();
  while (!done() && ::GetTickCount() - start < 10000) {
    MSG message{};
    if (!::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      continue;
    }
    if (SkinUI::CManagerUI::PreDispatchMessage(&message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return done();
}

// Dispatches what is already queued, so one run's leftovers do not reach the next.
void Drain() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (SkinUI::CManagerUI::PreDispatchMessage(&message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

int CountControls(CControlUI* control) {
  if (control == nullptr) return 0;
  int count = 1;
  if (auto* container = static_cast<SkinUI::IContainerUI*>(control->FindInterface(L"IContainer"))) {
    for (int i = 0; i < container->GetCount(); ++i) count += CountControls(container->GetChildAt(i));
  }
  return count;
}

// The skinned window: records the time its first paint finished.
class BenchWindow final : public SkinUI::WindowImplBase {
 public:
  explicit BenchWindow(const std::wstring& skin) : skin_(skin) {}
  double paintedAt = 0;
  int controls = 0;      // in the tree at the first paint
  int loadedImages = 0;  // of the skin's images, in the manager's table at the first paint
  const std::vector<std::wstring>* images = nullptr;

 protected:
  const wchar_t* GetRegisteredClassName() const override { return L"VxWindowBenchSkinned"; }
  const wchar_t* GetSkinDirectoryName() const override { return L""; }
  const wchar_t* GetSkinFileName() const override { return skin_.c_str(); }
  LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    const LRESULT result = WindowImplBase::ProcessMessage(message, wParam, lParam);
    if (message == WM_PAINT && paintedAt == 0) {
      ::GdiFlush();
      paintedAt = Now();
      controls = CountControls(manager_.GetRoot());
      loadedImages = static_cast<int>(std::count_if(images->begin(), images->end(), [this](const std::wstring& name) {
        return manager_.GetImage(name.c_str()) != nullptr;
      }));
    }
    return result;
  }

 private:
  const std::wstring& skin_;
};

struct SkinnedRun {
  double seconds = -1;  // Create to the end of the first paint; negative when it did not paint
  double create = 0;    // of that, Create itself: the markup built into the tree
  int controls = 0;
  int loadedImages = 0;
};

// Opens the skinned window built from skin, whose images are images, and destroys it.
SkinnedRun OpenSkinned(const std::wstring& skin, const std::vector<std::wstring>& images) {
  BenchWindow window(skin);
  window.images = &images;
  SkinnedRun run;
  const double start = Now();
  if (window.Create(nullptr, L"vx window bench", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                    RECT{100, 100, 100 + kWidth, 100 + kHeight}) == nullptr) {
    return run;
  }
  run.create = Now() - start;
  window.ShowWindow(true, false);
  const bool painted = PumpUntil([&] { return window.paintedAt != 0; });
  ::DestroyWindow(window.GetHWND());
  Drain();
  if (painted) run.seconds = window.paintedAt - start;
  run.controls = window.controls;
  run.loadedImages = window.loadedImages;
  return run;
}

double g_barePaintedAt = 0;

// The skin's background: a vertical gradient over the client area.
void PaintGradient(HWND window, HDC dc) {
  RECT client{};
  ::GetClientRect(window, &client);
  TRIVERTEX corners[2] = {
      {0, 0, static_cast<COLOR16>(GetRValue(kTop) << 8), static_cast<COLOR16>(GetGValue(kTop) << 8),
       static_cast<COLOR16>(GetBValue(kTop) << 8), 0xFF00},
      {client.right, client.bottom, static_cast<COLOR16>(GetRValue(kBottom) << 8),
       static_cast<COLOR16>(GetGValue(kBottom) << 8), static_cast<COLOR16>(GetBValue(kBottom) << 8), 0xFF00}};
  GRADIENT_RECT rect{0, 1};
  ::GradientFill(dc, corners, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return ::DefWindowProcW(window, message, wParam, lParam);
  {
    SkinUI::ScopedPaint paint(window);
    PaintGradient(window, paint.dc());
  }
  if (g_barePaintedAt == 0) {
    ::GdiFlush();
    g_barePaintedAt = Now();
  }
  return 0;
}

struct BareRun {
  double seconds = -1;  // CreateWindowEx to the end of the first paint; negative when it did not paint
  double create = 0;    // of that, CreateWindowEx itself
};

// Opens the bare window and destroys it.
BareRun OpenBare() {
  static const ATOM kClass = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = BareProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"VxWindowBenchBare";
    return ::RegisterClassW(&windowClass);
  }();
  BareRun run;
  if (kClass == 0) return run;
  g_barePaintedAt = 0;
  const double start = Now();
  utility::ScopedWindow window(::CreateWindowExW(0, L"VxWindowBenchBare", L"vx window bench", WS_POPUP | WS_SYSMENU,
                                                 100, 100, kWidth, kHeight, nullptr, nullptr,
                                                 ::GetModuleHandleW(nullptr), nullptr));
  if (!window.valid()) return run;
  run.create = Now() - start;
  ::ShowWindow(window.get(), SW_SHOWNOACTIVATE);
  const bool painted = PumpUntil([] { return g_barePaintedAt != 0; });
  window.reset();
  Drain();
  if (painted) run.seconds = g_barePaintedAt - start;
  return run;
}

// Seconds to load and decode every skin image alone, as the window's manager does; negative when one fails.
double DecodeImages(const std::vector<std::wstring>& images) {
  const double start = Now();
  for (const std::wstring& name : images) {
    if (!CRenderUI::LoadImage(name.c_str(), L"", 0)) return -1;
  }
  return Now() - start;
}

using vxbench::Figures;
using vxbench::Summarise;

void PrintMs(const char* what, const std::vector<double>& seconds) {
  const Figures f = Summarise(seconds);
  std::printf("%-34s median %8.3f ms   p90 %8.3f ms\n", what, f.median * 1e3, f.p90 * 1e3);
}

// Opens the windows and prints the figures; false when a run could not be set up.
bool Run() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vx_window_bench_" + std::to_string(::GetCurrentProcessId()));
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const std::vector<std::wstring> images = error ? std::vector<std::wstring>{} : vxbench::WriteImages(folder);
  if (images.empty()) {
    std::printf("the benchmark images could not be written to %s\n", folder.string().c_str());
    return false;
  }
  SkinUI::CResourceContext::Instance().SetSkinDirectory(folder.wstring().c_str());
  const std::wstring skin = SkinMarkup();
  // The program keeps the imaging library started for its whole run, so no window pays for starting it.
  const SkinUI::CGdiplusUse gdiplus;

  std::vector<double> bare, bareCreate, skinned, create, decoding, ratio;
  SkinnedRun last;
  bool ok = true;
  // Run 0 warms up class registration, fonts and the code paths; it is not counted.
  for (int run = 0; run <= kRuns && ok; ++run) {
    const BareRun b = OpenBare();
    const double d = DecodeImages(images);
    last = OpenSkinned(skin, images);
    // A window that painted without all its images would not be the one meant.
    ok = b.seconds > 0 && d > 0 && last.seconds > 0 && last.loadedImages == static_cast<int>(images.size());
    if (run == 0 || !ok) continue;
    bare.push_back(b.seconds);
    bareCreate.push_back(b.create);
    decoding.push_back(d);
    skinned.push_back(last.seconds);
    create.push_back(last.create);
    ratio.push_back((last.seconds - d) / b.seconds);
  }
  std::filesystem::remove_all(folder, error);
  if (!ok) {
    std::printf("a window did not open and paint with all %zu images (%d loaded), or an image did not decode\n",
                images.size(), last.loadedImages);
    return false;
  }
  std::printf("%d x %d window, Create to the end of the first WM_PAINT, %d runs after a warm-up run\n", kWidth, kHeight,
              kRuns);
  std::printf("skinned window: %d controls, %d of %zu images loaded at the first paint\n", last.controls,
              last.loadedImages, images.size());
  PrintMs("bare Win32 window:", bare);
  PrintMs("  of which CreateWindowEx:", bareCreate);
  PrintMs("skinned window from markup:", skinned);
  PrintMs("  of which Create (markup, tree):", create);
  PrintMs("image decoding alone:", decoding);
  const Figures r = Summarise(ratio);
  std::printf("%-34s median %8.3f      p90 %8.3f      (goal: at most 1.25)\n", "(skinned - decoding) / bare:", r.median,
              r.p90);
  return true;
}

}  // namespace

int main() { return Run() ? 0 : 1; }
