#pragma once
// An animated GIF played with the imaging library: the skin file is decoded
// from memory, each frame shows for its own delay, and the animation loops
// a fixed number of times before a completion callback runs.

#include <cstdint>
#include <functional>
#include <vector>

#include "skinui/control/gdiplus_objects.h"
#include "skinui/control/gdiplus_session.h"
#include "skinui/core/control_ui.h"

namespace SkinUI {

// The id of the control timer that advances the frames.
inline constexpr UINT kGifFrameTimerId = 100;
// Passes over the frames before the animation ends.
inline constexpr int kGifLoops = 9999;

class CGifAnimUI : public CControlUI {
 public:
  CGifAnimUI() = default;
  // Stops the timer; the image and the delays go with the control.
  ~CGifAnimUI() override;

  const wchar_t* GetTypeName() const override { return L"GifAnim"; }
  // This control for "GifAnim", else as the control.
  void* FindInterface(const wchar_t* name) override;
  // "bkimage" (the GIF's file name), "autoplay", "autosize", then the control's attributes.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  // Loads the animation, takes its size with autosize and plays with autoplay.
  void InitSelf() override;
  // Frame timer ticks advance the animation; every other event is ignored.
  void HandleEvent(UIEvent& event) override;
  // Draws the current frame stretched over the item rectangle.
  bool PaintSelf(HDC dc, const RECT& area, CControlUI* stop) override;

  // The GIF's file name: a skin file, else a disk path. Drops a loaded animation.
  void SetFileName(const wchar_t* name);
  const CUIString& GetFileName() const { return fileName_; }
  void SetAutoPlay(bool on) { autoPlay_ = on; }
  bool IsAutoPlay() const { return autoPlay_; }
  void SetAutoSize(bool on) { autoSize_ = on; }
  bool IsAutoSize() const { return autoSize_; }

  // Plays from the current frame (from the first after the loops ran out);
  // nothing without a loaded animation that has frame delays.
  void StartAnimation();
  // Stops and rewinds to the first frame with all loops ahead.
  void StopAnimation();
  // Stops at the current frame; StartAnimation goes on from there.
  void PauseAnimation();
  bool IsPlaying() const { return playing_; }

  // Runs once when the last loop has passed the last frame.
  void SetCompletionCallback(std::function<void()> callback) { onComplete_ = std::move(callback); }
  // The number of passes over the frames (kGifLoops by default); applies
  // from the next stop or completion.
  void SetLoopCount(int loops) { loopCount_ = loops; }
  // Passes still to go, the current one included.
  int GetRemainingLoops() const { return remainingLoops_; }

  // True once an animation is decoded.
  bool IsLoaded() const { return static_cast<bool>(image_); }
  UINT GetFrameCount() const { return frameCount_; }
  UINT GetCurrentFrame() const { return currentFrame_; }
  // The delay of frame in hundredths of a second (0 past the known delays).
  UINT GetFrameDelay(UINT frame) const;
  // The size of the decoded image; empty when none.
  SIZE GetImageSize() const { return imageSize_; }

 private:
  bool LoadAnimation();
  bool Decode(const unsigned char* bytes, size_t size);
  void ReadFrames();
  void ReadDelays();
  void StartFrameTimer();
  void StopFrameTimer();
  void AdvanceFrame();
  void FreeAnimation();

  CGdiplusUse gdiplus_;  // first member: outlives the image
  ScopedStream stream_;  // before the image: outlives it
  ScopedGdipImage image_;
  GUID frameDimension_{};
  UINT frameCount_ = 0;
  UINT currentFrame_ = 0;
  UINT activeFrame_ = 0;
  std::vector<uint32_t> delays_;
  SIZE imageSize_{};
  CUIString fileName_;
  bool autoPlay_ = true;
  bool autoSize_ = false;
  bool playing_ = false;
  int loopCount_ = kGifLoops;
  int remainingLoops_ = kGifLoops;
  std::function<void()> onComplete_;
};

}  // namespace SkinUI
