#include "skinui/control/gif_anim_ui.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "skinui/core/control_factory.h"
#include "skinui/core/resources/resources.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/layout/container_ui.h"
#include "tests/common/temp_dir.h"
#include "tests/skinui/control/gif_test_file.h"
#include "tests/skinui/core/window_test_support.h"
#include "tests/skinui/render/render_test_support.h"

namespace {

using SkinUI::CGifAnimUI;
using vxtest::GifFrame;
using vxtest::PumpUiFor;
using vxtest::PumpUiUntil;
using vxtest::TestWindow;

// Three frames of 50, 200 and (delay 0) 100 ms.
const std::vector<GifFrame> kFrames = {{vxtest::kGifRed, 5}, {vxtest::kGifGreen, 20}, {vxtest::kGifBlue, 0}};
constexpr unsigned kFrameMs[] = {50, 200, 100};
constexpr int kGifSide = 16;

// A folder with the test GIF as "anim.gif".
class GifFolder {
 public:
  GifFolder() { EXPECT_TRUE(vxtest::writeFile(Path(), vxtest::MakeGif(kGifSide, kGifSide, kFrames))); }
  std::wstring Path() const { return dir_.file(L"anim.gif"); }
  const std::wstring& Folder() const { return dir_.path(); }

 private:
  vxtest::TempDir dir_;
};

std::wstring Skin(const std::wstring& gifAttributes) {
  return LR"(<Window size="200,120"><HorizontalLayout name="root" bkcolor="#FFFFFFFF">)"
         LR"(<GifAnim name="gif" )" +
         gifAttributes + LR"(/><Control name="rest"/></HorizontalLayout></Window>)";
}

// Tests with a white window whose left part is the test GIF in a control named "gif".
class GifAnimWindow : public testing::Test {
 protected:
  // Opens the window titled title with more attributes of the GIF control;
  // false when it does not open.
  bool Open(const wchar_t* title, const std::wstring& attributes = L"") {
    window = std::make_unique<TestWindow>(Skin(L"bkimage=\"" + folder.Path() + L"\" " + attributes));
    if (!window->Open(title, 100, 100)) return false;
    gif = static_cast<CGifAnimUI*>(window->Find(L"gif")->FindInterface(L"GifAnim"));
    return gif != nullptr;
  }
  void TearDown() override {
    if (window != nullptr) {
      EXPECT_TRUE(window->CloseAndWait());
    }
  }

  GifFolder folder;
  std::unique_ptr<TestWindow> window;
  CGifAnimUI* gif = nullptr;
};

TEST(GifAnim, TheFactoryMakesItAndItAnswersItsNames) {
  SkinUI::ControlPtr control(SkinUI::CreateControl(L"GifAnim"));
  ASSERT_NE(control, nullptr);
  EXPECT_STREQ(control->GetTypeName(), L"GifAnim");
  EXPECT_EQ(control->FindInterface(L"GifAnim"), control.get());
  EXPECT_EQ(control->FindInterface(L"Control"), control.get());
  EXPECT_EQ(control->FindInterface(L"Label"), nullptr);
}

TEST(GifAnim, EachControlHoldsItsOwnUseOfTheImagingLibrary) {
  ASSERT_FALSE(SkinUI::CGdiplusUse::IsStarted());
  {
    const CGifAnimUI first;
    const CGifAnimUI second;
    EXPECT_TRUE(SkinUI::CGdiplusUse::IsStarted()) << "no label needed";
    EXPECT_EQ(SkinUI::CGdiplusUse::UseCount(), 2);
  }
  EXPECT_FALSE(SkinUI::CGdiplusUse::IsStarted());
}

TEST(GifAnim, AttributesSetTheFileAndTheSwitches) {
  CGifAnimUI gif;
  EXPECT_TRUE(gif.IsAutoPlay());
  EXPECT_FALSE(gif.IsAutoSize());
  gif.ApplyAttributes(L"bkimage=\"anim.gif\" autoplay=\"false\" autosize=\"true\" width=\"30\"");
  EXPECT_EQ(gif.GetFileName(), L"anim.gif");
  EXPECT_TRUE(gif.GetBackImage().description.IsEmpty()) << "the name is the GIF's, not a background image description";
  EXPECT_FALSE(gif.IsAutoPlay());
  EXPECT_TRUE(gif.IsAutoSize());
  EXPECT_EQ(gif.GetAssignedWidth(), 30);
  gif.ApplyAttributes(L"autoplay=\"true\" autosize=\"1\"");
  EXPECT_TRUE(gif.IsAutoPlay());
  EXPECT_FALSE(gif.IsAutoSize()) << "only \"true\" switches on";
}

TEST(GifAnim, DecodesTheFramesTheirDelaysAndTheSize) {
  GifFolder folder;
  CGifAnimUI gif;
  gif.SetFileName(folder.Path().c_str());
  gif.Init();
  ASSERT_TRUE(gif.IsLoaded());
  EXPECT_EQ(gif.GetFrameCount(), 3u);
  EXPECT_EQ(gif.GetFrameDelay(0), 5u);
  EXPECT_EQ(gif.GetFrameDelay(1), 20u);
  EXPECT_EQ(gif.GetFrameDelay(2), 0u);
  EXPECT_EQ(gif.GetImageSize().cx, kGifSide);
  EXPECT_EQ(gif.GetImageSize().cy, kGifSide);
  EXPECT_FALSE(gif.IsPlaying()) << "no window, no timer";
  EXPECT_EQ(gif.GetAssignedWidth(), 0) << "without autosize";
}

TEST(GifAnim, ASkinFileComesFromTheSkinDirectoryBeforeTheDiskPath) {
  GifFolder folder;
  SkinUI::SetSkinDirectory(folder.Folder().c_str());
  CGifAnimUI fromSkin;
  fromSkin.SetFileName(L"anim.gif");
  fromSkin.Init();
  SkinUI::SetSkinDirectory(L"");
  EXPECT_TRUE(fromSkin.IsLoaded());
  CGifAnimUI missing;
  missing.SetFileName(L"anim.gif");
  missing.Init();
  EXPECT_FALSE(missing.IsLoaded()) << "neither a skin file nor a file in the current folder";
}

TEST(GifAnim, BrokenOrMissingFilesLeaveTheControlEmpty) {
  vxtest::TempDir dir;
  const std::string gif = vxtest::MakeGif(kGifSide, kGifSide, kFrames);
  struct Case {
    const char* name;
    std::string bytes;  // empty: no file
  } cases[] = {
      {"no file", ""},
      {"not a GIF", "GIF? no, just text"},
      {"a GIF cut after its header", gif.substr(0, 13)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring path = dir.file(std::wstring(c.name, c.name + std::strlen(c.name)) + L".gif");
    if (!c.bytes.empty()) {
      ASSERT_TRUE(vxtest::writeFile(path, c.bytes));
    }
    CGifAnimUI control;
    control.SetFileName(path.c_str());
    control.Init();
    EXPECT_FALSE(control.IsLoaded());
    control.StartAnimation();
    EXPECT_FALSE(control.IsPlaying());
    vxtest::Surface surface(20, 20, 0xFF808080);
    control.SetBounds(RECT{0, 0, 20, 20}, false);
    EXPECT_TRUE(control.Paint(surface.dc(), surface.rect(), nullptr));
    EXPECT_EQ(surface.CountNotRgb(0x808080), 0);
  }
}

// The times at which the current frame changed, with the frame it became.
struct FrameChange {
  ULONGLONG at;
  UINT frame;
};

std::vector<FrameChange> WatchFrames(CGifAnimUI* gif, size_t changes) {
  std::vector<FrameChange> seen;
  UINT last = gif->GetCurrentFrame();
  PumpUiUntil(
      [&] {
        if (gif->GetCurrentFrame() != last) {
          last = gif->GetCurrentFrame();
          seen.push_back({::GetTickCount64(), last});
        }
        return seen.size() >= changes;
      },
      10000);
  return seen;
}

TEST_F(GifAnimWindow, FramesAdvanceOnTheirOwnDelaysAndDelayZeroMeans100Ms) {
  ASSERT_TRUE(Open(L"vx gif timing"));
  ASSERT_TRUE(gif->IsPlaying()) << "autoplay";
  // Two passes and more: the first change only marks the start.
  const std::vector<FrameChange> seen = WatchFrames(gif, 8);
  ASSERT_EQ(seen.size(), 8u);
  std::vector<unsigned> spans[3];
  for (size_t i = 1; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].frame, (seen[i - 1].frame + 1) % 3) << "frames go in order and wrap";
    spans[seen[i - 1].frame].push_back(static_cast<unsigned>(seen[i].at - seen[i - 1].at));
  }
  for (int frame = 0; frame < 3; ++frame) {
    ASSERT_FALSE(spans[frame].empty());
    const unsigned shortest = *std::min_element(spans[frame].begin(), spans[frame].end());
    SCOPED_TRACE(testing::Message() << "frame " << frame << " shown for at least " << shortest << " ms");
    // Timers never fire early by more than the tick granularity, and a busy machine makes them late.
    EXPECT_GE(shortest + 20, kFrameMs[frame]);
    EXPECT_LE(shortest, kFrameMs[frame] + 150);
  }
}

TEST_F(GifAnimWindow, AutoSizeTakesTheImageSizeAndAutoPlayOffWaits) {
  ASSERT_TRUE(Open(L"vx gif autosize", L"autosize=\"true\" autoplay=\"false\""));
  EXPECT_EQ(gif->GetAssignedWidth(), kGifSide);
  EXPECT_EQ(gif->GetAssignedHeight(), kGifSide);
  EXPECT_EQ(gif->GetWidth(), kGifSide) << "the layout gives it its image's width";
  EXPECT_FALSE(gif->IsPlaying());
  PumpUiFor(150);
  EXPECT_EQ(gif->GetCurrentFrame(), 0u);
  gif->StartAnimation();
  EXPECT_TRUE(gif->IsPlaying());
  EXPECT_TRUE(PumpUiUntil([&] { return gif->GetCurrentFrame() == 1; }, 2000));
}

TEST_F(GifAnimWindow, PauseHoldsTheFrameStopRewindsStartGoesOn) {
  ASSERT_TRUE(Open(L"vx gif controls"));
  ASSERT_TRUE(PumpUiUntil([&] { return gif->GetCurrentFrame() == 1; }, 2000));
  gif->PauseAnimation();
  EXPECT_FALSE(gif->IsPlaying());
  PumpUiFor(400);
  EXPECT_EQ(gif->GetCurrentFrame(), 1u) << "paused";
  gif->StartAnimation();
  EXPECT_TRUE(gif->IsPlaying());
  EXPECT_TRUE(PumpUiUntil([&] { return gif->GetCurrentFrame() == 2; }, 2000)) << "goes on from the paused frame";
  gif->StopAnimation();
  EXPECT_FALSE(gif->IsPlaying());
  EXPECT_EQ(gif->GetCurrentFrame(), 0u);
  PumpUiFor(300);
  EXPECT_EQ(gif->GetCurrentFrame(), 0u) << "stopped";
}

// A frame timer event as the manager delivers it.
void Tick(CGifAnimUI* gif, UINT id = SkinUI::kGifFrameTimerId) {
  SkinUI::UIEvent event;
  event.type = SkinUI::kEventTimer;
  event.sender = gif;
  event.wParam = id;
  gif->DispatchEvent(event);
}

TEST_F(GifAnimWindow, AfterItsLoopsTheAnimationEndsOnTheLastFrameAndCallsBackOnce) {
  ASSERT_TRUE(Open(L"vx gif loops", L"autoplay=\"false\""));
  int completions = 0;
  gif->SetCompletionCallback([&] { ++completions; });
  gif->SetLoopCount(2);
  gif->StopAnimation();
  gif->StartAnimation();
  // Two passes of 350 ms.
  ASSERT_TRUE(PumpUiUntil([&] { return completions > 0; }, 5000));
  EXPECT_FALSE(gif->IsPlaying());
  EXPECT_EQ(gif->GetCurrentFrame(), 2u);
  EXPECT_EQ(gif->GetRemainingLoops(), 0);
  PumpUiFor(300);
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(gif->GetCurrentFrame(), 2u);
  // Started again after the end: a full set of loops from the first frame.
  gif->StartAnimation();
  EXPECT_EQ(gif->GetCurrentFrame(), 0u);
  EXPECT_EQ(gif->GetRemainingLoops(), 2);
}

TEST_F(GifAnimWindow, TheDefaultIs9999PassesOverTheFrames) {
  ASSERT_TRUE(Open(L"vx gif 9999"));
  int completions = 0;
  gif->SetCompletionCallback([&] { ++completions; });
  EXPECT_EQ(gif->GetRemainingLoops(), SkinUI::kGifLoops);
  gif->PauseAnimation();
  Tick(gif, SkinUI::kGifFrameTimerId + 1);  // another timer's event changes nothing
  EXPECT_EQ(gif->GetCurrentFrame(), 0u);
  // The frame timer's ticks, delivered at once: every pass but the last wraps.
  const int ticks = 3 * SkinUI::kGifLoops;
  for (int i = 0; i < ticks - 1; ++i) Tick(gif);
  EXPECT_EQ(completions, 0);
  EXPECT_EQ(gif->GetCurrentFrame(), 2u);
  EXPECT_EQ(gif->GetRemainingLoops(), 1);
  EXPECT_TRUE(gif->IsPlaying()) << "each tick restarts the timer";
  Tick(gif);
  EXPECT_EQ(completions, 1);
  EXPECT_FALSE(gif->IsPlaying());
  EXPECT_EQ(gif->GetCurrentFrame(), 2u);
}

uint32_t PrintedAt(TestWindow& window, POINT point) {
  vxtest::Surface surface(200, 120, 0xFF808080);
  window.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
  ::GdiFlush();
  return surface.At(point.x, point.y) & 0xFFFFFF;
}

TEST_F(GifAnimWindow, ThePaintedFrameIsTheCurrentOneStretchedOverTheControl) {
  ASSERT_TRUE(Open(L"vx gif paint", L"autoplay=\"false\" width=\"64\""));
  ASSERT_EQ(gif->GetWidth(), 64);
  const RECT& item = gif->GetBounds();
  for (UINT frame = 0; frame < 3; ++frame) {
    SCOPED_TRACE(testing::Message() << "frame " << frame);
    ASSERT_EQ(gif->GetCurrentFrame(), frame);
    const uint32_t rgb = vxtest::GifRgb(kFrames[frame].colour);
    // Near the corners and at the centre: the 16-pixel frame is stretched over all of 64 x 120
    // (the library's smoothing blends the last source pixel of the right and bottom edges with
    // the nothing beyond: 4 and 7.5 pixels here).
    for (POINT p : {POINT{item.left + 1, item.top + 1}, POINT{item.right - 5, item.bottom - 9},
                    POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2}}) {
      EXPECT_EQ(PrintedAt(*window, p), rgb) << p.x << "," << p.y << " " << vxtest::Hex(PrintedAt(*window, p));
    }
    EXPECT_EQ(PrintedAt(*window, POINT{item.right + 5, 10}), 0xFFFFFFu) << "beside it the layout's white";
    Tick(gif);
    gif->PauseAnimation();
  }
}

TEST_F(GifAnimWindow, RemovingAPlayingControlStopsItsTimer) {
  ASSERT_TRUE(Open(L"vx gif removed"));
  ASSERT_TRUE(gif->IsPlaying());
  auto* root = static_cast<SkinUI::CContainerUI*>(window->Find(L"root")->FindInterface(L"Container"));
  ASSERT_TRUE(root->Remove(gif));
  PumpUiFor(400);  // a timer left behind would reach freed memory
  EXPECT_EQ(window->Find(L"gif"), nullptr);
}

}  // namespace
