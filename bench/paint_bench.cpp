// Painting a control tree like the installer's main window (688 x 458, about
// sixty controls: layouts, a tab layout, labels, 9-slice buttons, formatted
// text with links, a gradient background) into a 32-bit memory surface: the
// time of a full frame (median, p99) and the heap allocations of a frame once
// images are loaded. Prints figures; asserts nothing.
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

#include "skinui/core/control_ui.h"
#include "skinui/core/gdi_handles.h"
#include "skinui/core/resources/resources.h"
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

// A control that draws its text, like the skin's labels and buttons.
class BenchLabel final : public CControlUI {
 public:
  BenchLabel(DWORD color, int font, UINT format) : color_(color), font_(font), format_(format) {}
  void PaintText(HDC dc) override {
    RECT rect = GetBounds();
    CRenderUI::DrawText(dc, GetManager(), rect, GetText().GetData(), color_, font_, format_);
  }

 private:
  DWORD color_;
  int font_;
  UINT format_;
};

// A control that draws its text as formatted text and keeps its links.
class BenchRichText final : public CControlUI {
 public:
  explicit BenchRichText(DWORD color) : color_(color) {}
  void PaintText(HDC dc) override {
    RECT rect = GetBounds();
    linkCount_ = kLinkSlots;
    CRenderUI::DrawFormattedText(dc, GetManager(), rect, GetText().GetData(), color_, links_, targets_, linkCount_,
                                 kBody, DT_WORDBREAK);
  }
  int LinkCount() const { return linkCount_; }

 private:
  static constexpr int kLinkSlots = 8;
  DWORD color_;
  RECT links_[kLinkSlots] = {};
  SkinUI::CUIString targets_[kLinkSlots];
  int linkCount_ = 0;
};

template <class T>
T* Add(SkinUI::CContainerUI* parent, T* control, const wchar_t* attributes, const wchar_t* text = nullptr) {
  control->ApplyAttributes(attributes);
  if (text != nullptr) control->SetText(text);
  parent->Add(control);
  return control;
}

BenchLabel* Label(DWORD color, int font, UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS) {
  return new BenchLabel(color, font, format);
}
BenchLabel* Button() { return new BenchLabel(0xFFFFFFFF, kBold, DT_SINGLELINE | DT_VCENTER | DT_CENTER); }

void AddTitleBar(SkinUI::CContainerUI* root) {
  auto* bar = Add(root, new SkinUI::CHorizontalLayoutUI, L"height=\"36\" inset=\"12,0,6,0\" childvalign=\"vcenter\"");
  Add(bar, new CControlUI, L"width=\"24\" height=\"24\" bkimage=\"logo.png\"");
  Add(bar, Label(0xFFFFFFFF, kBold), L"width=\"220\" padding=\"8,0,0,0\"", L"Vandorix Setup");
  Add(bar, new CControlUI, L"");
  Add(bar, new CControlUI, L"width=\"30\" height=\"30\" bkimage=\"file='sysbtn.png' source='0,0,30,30'\"");
  Add(bar, new CControlUI, L"width=\"30\" height=\"30\" bkimage=\"file='sysbtn.png' source='30,0,60,30'\"");
}

void AddOptionsPage(SkinUI::CTabLayoutUI* tabs) {
  auto* page = Add(tabs, new SkinUI::CVerticalLayoutUI, L"inset=\"24,12,24,0\" childpadding=\"4\"");
  Add(page, Label(0xFFFFFFFF, kHeading), L"height=\"34\"", L"Choose what to install");
  Add(page, new BenchRichText(0xFFDDE6F0), L"height=\"40\"",
      L"Vandorix keeps your files in sync on <b>every device</b>. Read the "
      L"<a https://example.invalid/notes>release notes</a> or <c #FFFFD166>compare editions</c>.");
  const wchar_t* options[] = {L"Desktop shortcut",       L"Start menu entry",        L"Open files of known types",
                              L"Sync in the background", L"Check for updates",       L"Send anonymous usage figures",
                              L"Start after sign-in",    L"Add a context-menu entry"};
  for (int i = 0; i < 8; ++i) {
    auto* row = Add(page, new SkinUI::CHorizontalLayoutUI, L"height=\"22\" childvalign=\"vcenter\"");
    Add(row, new CControlUI, L"width=\"16\" height=\"16\" bkimage=\"check.png\"");
    Add(row, Label(0xFFFFFFFF, kBody), L"padding=\"8,0,0,0\"", options[i]);
    Add(row, Label(0xFFB8C7D9, kBody, DT_SINGLELINE | DT_VCENTER | DT_RIGHT), L"width=\"90\"",
        i % 2 == 0 ? L"12.4 MB" : L"0.3 MB");
  }
  auto* path = Add(page, new SkinUI::CHorizontalLayoutUI, L"height=\"30\" childpadding=\"8\"");
  Add(path, Label(0xFF333333, kBody),
      L"bkimage=\"file='edit.png' corner='3,3,3,3'\" bordersize=\"1\" bordercolor=\"#FF5A6B7D\"",
      L"C:\\Program Files\\Vandorix");
  Add(path, Button(), L"width=\"96\" bkimage=\"file='button_gray.png' corner='6,6,6,6'\"", L"Browse...");
  auto* progress = Add(page, new SkinUI::CHorizontalLayoutUI,
                       L"height=\"12\" padding=\"0,6,0,0\" bkimage=\"file='progress_bg.png' corner='5,5,5,5'\"");
  Add(progress, new CControlUI, L"width=\"380\" bkimage=\"file='progress_fg.png' corner='5,5,5,5'\"");
}

// Pages the tab layout holds but does not show.
void AddHiddenPage(SkinUI::CTabLayoutUI* tabs, const wchar_t* heading) {
  auto* page = Add(tabs, new SkinUI::CVerticalLayoutUI, L"inset=\"24,12,24,0\"");
  Add(page, Label(0xFFFFFFFF, kHeading), L"height=\"34\"", heading);
  Add(page, Label(0xFFFFFFFF, kBody), L"height=\"22\"", L"Downloading the package...");
  Add(page, new CControlUI, L"height=\"12\" bkimage=\"file='progress_bg.png' corner='5,5,5,5'\"");
}

void AddButtonBar(SkinUI::CContainerUI* root) {
  auto* bar = Add(root, new SkinUI::CHorizontalLayoutUI,
                  L"height=\"60\" inset=\"24,12,24,12\" childpadding=\"12\" childvalign=\"vcenter\" "
                  L"bkcolor=\"#40000000\"");
  Add(bar, new CControlUI, L"width=\"16\" height=\"16\" bkimage=\"check.png\"");
  Add(bar, new BenchRichText(0xFFFFFFFF), L"",
      L"I accept the <a licence>licence terms</a> and the <a privacy>privacy statement</a>.");
  Add(bar, Button(), L"width=\"100\" bkimage=\"file='button_gray.png' corner='6,6,6,6'\"", L"Cancel");
  Add(bar, Button(), L"width=\"120\" bkimage=\"file='button.png' corner='6,6,6,6'\"", L"Install");
}

// The main window's tree: title bar, pages, version line and button bar.
void BuildTree(SkinUI::CVerticalLayoutUI* root) {
  root->ApplyAttributes(L"bkcolor=\"#FF1E5AA8\" bkcolor2=\"#FF0B2E5C\"");
  AddTitleBar(root);
  auto* tabs = Add(root, new SkinUI::CTabLayoutUI, L"");
  AddOptionsPage(tabs);
  AddHiddenPage(tabs, L"Installing");
  AddHiddenPage(tabs, L"Done");
  Add(root, Label(0xFF9FB3C8, kBody, DT_SINGLELINE | DT_VCENTER | DT_RIGHT), L"height=\"18\" padding=\"0,0,24,0\"",
      L"Version 9.2033.1");
  AddButtonBar(root);
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
  if (auto* text = dynamic_cast<BenchRichText*>(control)) count += text->LinkCount();
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

// Paints the whole tree kFrames + 1 times; the first frame loads the images
// and makes the temporary surfaces, so it is not counted.
FrameFigures PaintFrames(CControlUI* root, HDC dc) {
  const RECT all{0, 0, kWidth, kHeight};
  FrameFigures figures;
  figures.seconds.reserve(kFrames);
  for (int frame = 0; frame <= kFrames; ++frame) {
    const size_t before = g_allocations;
    const auto start = std::chrono::steady_clock::now();
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

// Paints and measures the tree; returns false when it could not be set up.
bool Run() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vx_paint_bench_" + std::to_string(::GetCurrentProcessId()));
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const std::vector<std::wstring> images = error ? std::vector<std::wstring>{} : vxbench::WriteImages(folder);
  if (images.empty()) {
    std::printf("the benchmark images could not be written to %s\n", folder.string().c_str());
    return false;
  }
  SkinUI::CResourceContext::Instance().SetSkinDirectory(folder.wstring().c_str());

  Surface surface;
  SkinUI::CManagerUI manager;
  manager.SetPaintDC(surface.dc.get());
  manager.RegisterFont(kBody, L"Tahoma", 12, false, false, false, false);
  manager.RegisterFont(kBold, L"Tahoma", 13, true, false, false, false);
  manager.RegisterFont(kHeading, L"Tahoma", 20, true, false, false, false);
  SkinUI::CVerticalLayoutUI root;
  root.AttachManager(&manager, nullptr, true);
  BuildTree(&root);
  root.SetBounds({0, 0, kWidth, kHeight}, false);
  const FrameFigures figures = PaintFrames(&root, surface.dc.get());
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
