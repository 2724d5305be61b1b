// Painting a control tree like the installer's main window (688 x 458, about
// sixty controls: layouts, a tab layout, labels, a heading drawn with the
// label effects, 9-slice buttons, formatted text with links, a running GIF,
// a gradient background) into a 32-bit memory surface: the time of a full
// frame (median, p99) and the heap allocations of a frame once images are
// loaded. Prints figures; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "bench/bench_images.h"
#include "tests/skinui/control/gif_test_file.h"

#include "skinui/control/button_ui.h"
#include "skinui/control/gdiplus_session.h"
#include "skinui/control/gif_anim_ui.h"
#include "skinui/control/label_ui.h"
#include "skinui/control/text_ui.h"
#include "skinui/core/control_ui.h"
#include "skinui/core/gdi_handles.h"
#include "skinui/core/resources/resources.h"
#include "skinui/core/ui_event.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/layout/horizontal_layout_ui.h"
#include "skinui/layout/tab_layout_ui.h"
#include "skinui/layout/vertical_layout_ui.h"
#include "skinui/render/render_ui.h"

namespace {

size_t g_allocations = 0;

void* Allocate(size_t size) {
  ++g_allocations;
  return std::malloc(size == 0 ? 1 : size);
}

using SkinUI::CControlUI;
using SkinUI::CRenderUI;

constexpr int kWidth = 688;
constexpr int kHeight = 458;
constexpr int kFrames = 300;
enum Font { kBody = 0, kBold = 1, kHeading = 2 };

template <class T>
T* Add(SkinUI::CContainerUI* parent, T* control, const std::wstring& attributes, const wchar_t* text = nullptr) {
  control->ApplyAttributes(attributes.c_str());
  if (text != nullptr) control->SetText(text);
  parent->Add(control);
  return control;
}

SkinUI::CLabelUI* Label() { return new SkinUI::CLabelUI; }
SkinUI::CButtonUI* Button() { return new SkinUI::CButtonUI; }

constexpr wchar_t kButtonStyle[] = L"font=\"1\" align=\"center\" textcolor=\"#FFFFFFFF\" ";
constexpr wchar_t kBodyStyle[] = L"font=\"0\" textcolor=\"#FFFFFFFF\" endellipsis=\"true\" ";

void AddTitleBar(SkinUI::CContainerUI* root) {
  auto* bar = Add(root, new SkinUI::CHorizontalLayoutUI, L"height=\"36\" inset=\"12,0,6,0\" childvalign=\"vcenter\"");
  Add(bar, new CControlUI, L"width=\"24\" height=\"24\" bkimage=\"logo.png\"");
  Add(bar, Label(), L"width=\"220\" padding=\"8,0,0,0\" font=\"1\" textcolor=\"#FFFFFFFF\"", L"Vandorix Setup");
  Add(bar, new CControlUI, L"");
  Add(bar, new CControlUI, L"width=\"30\" height=\"30\" bkimage=\"file='sysbtn.png' source='0,0,30,30'\"");
  Add(bar, new CControlUI, L"width=\"30\" height=\"30\" bkimage=\"file='sysbtn.png' source='30,0,60,30'\"");
}

SkinUI::CLabelUI* AddOptionsPage(SkinUI::CTabLayoutUI* tabs) {
  auto* page = Add(tabs, new SkinUI::CVerticalLayoutUI, L"inset=\"24,12,24,0\" childpadding=\"4\"");
  // The heading with the label effects: gradient text, a stroke and a shadow.
  auto* heading =
      Add(page, Label(),
          L"height=\"34\" font=\"2\" textcolor=\"#FFFFFFFF\" textcolor1=\"#FFFFD166\" enabledeffect=\"true\" "
          L"enabledstroke=\"true\" strokecolor=\"#FF0B2E5C\" enabledshadow=\"true\" shadowoffset=\"2,45\"",
          L"Choose what to install");
  Add(page, new SkinUI::CTextUI, L"height=\"40\" showhtml=\"true\" multiline=\"true\" textcolor=\"#FFDDE6F0\"",
      L"Vandorix keeps your files in sync on <b>every device</b>. Read the "
      L"<a https://example.invalid/notes>release notes</a> or <c #FFFFD166>compare editions</c>.");
  const wchar_t* options[] = {L"Desktop shortcut",       L"Start menu entry",        L"Open files of known types",
                              L"Sync in the background", L"Check for updates",       L"Send anonymous usage figures",
                              L"Start after sign-in",    L"Add a context-menu entry"};
  for (int i = 0; i < 8; ++i) {
    auto* row = Add(page, new SkinUI::CHorizontalLayoutUI, L"height=\"22\" childvalign=\"vcenter\"");
    Add(row, new CControlUI, L"width=\"16\" height=\"16\" bkimage=\"check.png\"");
    Add(row, Label(), std::wstring(kBodyStyle) + L"padding=\"8,0,0,0\"", options[i]);
    Add(row, Label(), L"width=\"90\" align=\"right\" textcolor=\"#FFB8C7D9\"", i % 2 == 0 ? L"12.4 MB" : L"0.3 MB");
  }
  auto* path = Add(page, new SkinUI::CHorizontalLayoutUI, L"height=\"30\" childpadding=\"8\"");
  Add(path, Label(),
      L"textcolor=\"#FF333333\" textpadding=\"6,0,6,0\" bkimage=\"file='edit.png' corner='3,3,3,3'\" bordersize=\"1\" "
      L"bordercolor=\"#FF5A6B7D\"",
      L"C:\\Program Files\\Vandorix");
  Add(path, Button(), std::wstring(kButtonStyle) + L"width=\"96\" bkimage=\"file='button_gray.png' corner='6,6,6,6'\"",
      L"Browse...");
  auto* progress = Add(page, new SkinUI::CHorizontalLayoutUI,
                       L"height=\"12\" padding=\"0,6,0,0\" bkimage=\"file='progress_bg.png' corner='5,5,5,5'\"");
  Add(progress, new CControlUI, L"width=\"380\" bkimage=\"file='progress_fg.png' corner='5,5,5,5'\"");
  return heading;
}

// Pages the tab layout holds but does not show.
void AddHiddenPage(SkinUI::CTabLayoutUI* tabs, const wchar_t* heading) {
  auto* page = Add(tabs, new SkinUI::CVerticalLayoutUI, L"inset=\"24,12,24,0\"");
  Add(page, Label(), L"height=\"34\" font=\"2\" textcolor=\"#FFFFFFFF\"", heading);
  Add(page, Label(), L"height=\"22\" textcolor=\"#FFFFFFFF\"", L"Downloading the package...");
  Add(page, new CControlUI, L"height=\"12\" bkimage=\"file='progress_bg.png' corner='5,5,5,5'\"");
}

SkinUI::CGifAnimUI* AddButtonBar(SkinUI::CContainerUI* root) {
  auto* bar = Add(root, new SkinUI::CHorizontalLayoutUI,
                  L"height=\"60\" inset=\"24,12,24,12\" childpadding=\"12\" childvalign=\"vcenter\" "
                  L"bkcolor=\"#40000000\"");
  auto* gif = Add(bar, new SkinUI::CGifAnimUI, L"width=\"16\" height=\"16\" bkimage=\"busy.gif\" autoplay=\"false\"");
  Add(bar, new SkinUI::CTextUI, L"showhtml=\"true\" textcolor=\"#FFFFFFFF\"",
      L"I accept the <a licence>licence terms</a> and the <a privacy>privacy statement</a>.");
  Add(bar, Button(), std::wstring(kButtonStyle) + L"width=\"100\" bkimage=\"file='button_gray.png' corner='6,6,6,6'\"",
      L"Cancel");
  Add(bar, Button(), std::wstring(kButtonStyle) + L"width=\"120\" bkimage=\"file='button.png' corner='6,6,6,6'\"",
      L"Install");
  return gif;
}

// The controls whose cost the benchmark also prints alone.
struct Featured {
  SkinUI::CLabelUI* heading = nullptr;  // drawn with the label effects
  SkinUI::CGifAnimUI* gif = nullptr;
};

// The main window's tree: title bar, pages, version line and button bar.
Featured BuildTree(SkinUI::CVerticalLayoutUI* root) {
  root->ApplyAttributes(L"bkcolor=\"#FF1E5AA8\" bkcolor2=\"#FF0B2E5C\"");
  AddTitleBar(root);
  auto* tabs = Add(root, new SkinUI::CTabLayoutUI, L"");
  Featured featured;
  featured.heading = AddOptionsPage(tabs);
  AddHiddenPage(tabs, L"Installing");
  AddHiddenPage(tabs, L"Done");
  Add(root, Label(), L"height=\"18\" padding=\"0,0,24,0\" align=\"right\" textcolor=\"#FF9FB3C8\"",
      L"Version 9.2033.1");
  featured.gif = AddButtonBar(root);
  return featured;
}

int CountControls(CControlUI* control) {
  int count = 1;
  if (auto* container = static_cast<SkinUI::IContainerUI*>(control->FindInterface(L"IContainer"))) {
    for (int i = 0; i < container->GetCount(); ++i) count += CountControls(container->GetChildAt(i));
  }
  return count;
}

// Links recorded by the formatted texts of the tree in the last frame.
int LinkCount(CControlUI* control) {
  int count = 0;
  if (auto* text = dynamic_cast<SkinUI::CTextUI*>(control)) count += text->GetLinkCount();
  if (auto* container = static_cast<SkinUI::IContainerUI*>(control->FindInterface(L"IContainer"))) {
    for (int i = 0; i < container->GetCount(); ++i) count += LinkCount(container->GetChildAt(i));
  }
  return count;
}

// A 32-bit top-down surface selected into its own memory DC.
struct Surface {
  SkinUI::ScopedMemoryDC dc{::CreateCompatibleDC(nullptr)};
  SkinUI::ScopedBitmap bitmap;
  HGDIOBJ original = nullptr;

  Surface() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    original = ::SelectObject(dc.get(), bitmap.get());
  }
  ~Surface() { ::SelectObject(dc.get(), original); }
};

// Times and allocation counts of the frames after the first.
struct FrameFigures {
  std::vector<double> seconds;
  size_t firstAllocations = 0;  // image loading, fonts, temporary surfaces
  size_t allocations = 0;
  size_t worstAllocations = 0;
};

// The animation's frame timer firing, as the window's manager delivers it, so every frame shows the next GIF frame.
void AdvanceFrame(SkinUI::CGifAnimUI* gif) {
  SkinUI::UIEvent tick;
  tick.type = SkinUI::kEventTimer;
  tick.sender = gif;
  tick.wParam = SkinUI::kGifFrameTimerId;
  gif->DispatchEvent(tick);
}

// Paints the whole tree kFrames + 1 times; the first frame loads the images
// and makes the temporary surfaces, so it is not counted.
FrameFigures PaintFrames(CControlUI* root, SkinUI::CGifAnimUI* gif, HDC dc) {
  const RECT all{0, 0, kWidth, kHeight};
  FrameFigures figures;
  figures.seconds.reserve(kFrames);
  for (int frame = 0; frame <= kFrames; ++frame) {
    const size_t before = g_allocations;
    const auto start = std::chrono::steady_clock::now();
    AdvanceFrame(gif);
    root->Paint(dc, all, nullptr);
    ::GdiFlush();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const size_t made = g_allocations - before;
    if (frame == 0) {
      figures.firstAllocations = made;
      continue;
    }
    figures.seconds.push_back(seconds);
    figures.allocations += made;
    figures.worstAllocations = std::max(figures.worstAllocations, made);
  }
  return figures;
}

// The median time of painting control alone, over kFrames paints.
double MedianPaint(CControlUI* control, HDC dc) {
  std::vector<double> seconds;
  seconds.reserve(kFrames);
  for (int frame = 0; frame < kFrames; ++frame) {
    const auto start = std::chrono::steady_clock::now();
    control->Paint(dc, control->GetBounds(), nullptr);
    ::GdiFlush();
    seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(seconds.begin(), seconds.end());
  return seconds[seconds.size() / 2];
}

// Paints and measures the tree; returns false when it could not be set up.
bool Run() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vx_paint_bench_" + std::to_string(::GetCurrentProcessId()));
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const std::vector<std::wstring> images = error ? std::vector<std::wstring>{} : vxbench::WriteImages(folder);
  const bool gifWritten =
      !images.empty() &&
      vxbench::WriteFile(
          folder / "busy.gif",
          vxtest::MakeGif(
              16, 16, {{vxtest::kGifRed, 8}, {vxtest::kGifGreen, 8}, {vxtest::kGifBlue, 8}, {vxtest::kGifBlack, 8}}));
  if (!gifWritten) {
    std::printf("the benchmark images could not be written to %s\n", folder.string().c_str());
    return false;
  }
  SkinUI::CResourceContext::Instance().SetSkinDirectory(folder.wstring().c_str());
  // The program keeps the imaging library started for its whole run.
  const SkinUI::CGdiplusUse gdiplus;

  Surface surface;
  SkinUI::CManagerUI manager;
  manager.SetPaintDC(surface.dc.get());
  manager.RegisterFont(kBody, L"Tahoma", 12, false, false, false, false);
  manager.RegisterFont(kBold, L"Tahoma", 13, true, false, false, false);
  manager.RegisterFont(kHeading, L"Tahoma", 20, true, false, false, false);
  SkinUI::CVerticalLayoutUI root;
  root.AttachManager(&manager, nullptr, true);
  const Featured featured = BuildTree(&root);
  root.SetBounds({0, 0, kWidth, kHeight}, false);
  const FrameFigures figures = PaintFrames(&root, featured.gif, surface.dc.get());
  const double heading = MedianPaint(featured.heading, surface.dc.get());
  std::filesystem::remove_all(folder, error);

  const auto loaded = std::count_if(images.begin(), images.end(), [&](const std::wstring& name) {
    return manager.GetImage(name.c_str()) != nullptr;
  });
  std::vector<double> frames = figures.seconds;
  std::sort(frames.begin(), frames.end());
  const double median = frames[frames.size() / 2];
  const double p99 = frames[frames.size() * 99 / 100];
  std::printf("control tree: %d controls, %d x %d, 32-bit memory surface; %d of %zu images loaded, %d links\n",
              CountControls(&root), kWidth, kHeight, static_cast<int>(loaded), images.size(), LinkCount(&root));
  std::printf("full frame over %d frames: median %.3f ms, p99 %.3f ms, best %.3f ms\n", kFrames, median * 1e3,
              p99 * 1e3, frames.front() * 1e3);
  std::printf("of which the heading with the label effects alone: median %.3f ms\n", heading * 1e3);
  std::printf("heap allocations: %zu in the first frame, then %.2f per frame (most in one frame: %zu)\n",
              figures.firstAllocations, static_cast<double>(figures.allocations) / kFrames, figures.worstAllocations);
  return true;
}

}  // namespace

// The replacement pair is malloc and free by design.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }

int main() { return Run() ? 0 : 1; }
