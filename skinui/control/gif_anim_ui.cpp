#include "skinui/control/gif_anim_ui.h"

#include <objbase.h>

#include <cstring>
#include <cwchar>

#include "skinui/core/markup/attribute_values.h"
#include "skinui/core/resources/resources.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/render/render_clip.h"

namespace SkinUI {

namespace {

// The image property that holds one delay per frame, in hundredths of a second.
constexpr PROPID kFrameDelayProperty = 0x5100;
// The pace of frames whose delay is 0.
constexpr UINT kZeroDelayMs = 100;
// A larger GIF on disk is not read.
constexpr size_t kMaxGifFileSize = size_t{32} << 20;
// The time dimension of an image's frames.
constexpr GUID kFrameDimensionTime = {0x6aedbd6d, 0x3fb5, 0x418a, {0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72}};

struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle invalid() { return nullptr; }
  static bool isValid(Handle h) { return h != nullptr; }
  static void close(Handle h) { ::GlobalFree(h); }
};
using ScopedGlobalMemory = utility::ScopedGeneric<GlobalMemoryTraits>;

bool Is(const wchar_t* name, const wchar_t* known) { return std::wcscmp(name, known) == 0; }

// A stream over a copy of bytes; the stream frees the copy when it is released.
ScopedStream MemoryStream(const unsigned char* bytes, size_t size) {
  ScopedGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, size));
  void* target = memory ? ::GlobalLock(memory.get()) : nullptr;
  if (target == nullptr) return {};
  std::memcpy(target, bytes, size);
  ::GlobalUnlock(memory.get());
  ScopedStream stream;
  if (FAILED(::CreateStreamOnHGlobal(memory.get(), TRUE, stream.receive()))) return {};
  memory.release();
  return stream;
}

SkinFile ReadGifFile(const wchar_t* name) {
  SkinFile file = CResourceContext::Instance().ReadSkinFile(name);
  if (file.data == nullptr) file = ReadDiskFile(name, kMaxGifFileSize);
  return file;
}

}  // namespace

CGifAnimUI::~CGifAnimUI() { StopFrameTimer(); }

void* CGifAnimUI::FindInterface(const wchar_t* name) {
  if (Is(name, L"GifAnim")) return this;
  return CControlUI::FindInterface(name);
}

void CGifAnimUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (Is(name, L"bkimage")) {
    SetFileName(value);
  } else if (Is(name, L"autoplay")) {
    SetAutoPlay(ParseBool(value));
  } else if (Is(name, L"autosize")) {
    SetAutoSize(ParseBool(value));
  } else {
    CControlUI::ApplyAttribute(name, value);
  }
}

void CGifAnimUI::SetFileName(const wchar_t* name) {
  if (fileName_ == name) return;
  FreeAnimation();
  fileName_ = name;
  Invalidate();
}

void CGifAnimUI::InitSelf() {
  if (!LoadAnimation()) return;
  if (autoSize_) {
    SetAssignedWidth(imageSize_.cx);
    SetAssignedHeight(imageSize_.cy);
  }
  if (autoPlay_) StartAnimation();
}

void CGifAnimUI::HandleEvent(UIEvent& event) {
  if (event.type == kEventTimer && event.wParam == kGifFrameTimerId) AdvanceFrame();
}

bool CGifAnimUI::PaintSelf(HDC dc, const RECT& area, CControlUI* stop) {
  static_cast<void>(area);
  static_cast<void>(stop);
  const GdiplusApi* api = CGdiplusUse::Api();
  if (api == nullptr || !LoadAnimation()) return true;
  // The frame is chosen right before it is drawn, so each frame shows for its own delay.
  if (activeFrame_ != currentFrame_ &&
      api->ImageSelectActiveFrame(image_.get(), &frameDimension_, currentFrame_) == Gdiplus::Ok) {
    activeFrame_ = currentFrame_;
  }
  const CRenderClip clip(dc, GetPaintRect());
  ScopedGdipGraphics graphics;
  if (api->CreateFromHDC(dc, graphics.receive()) != Gdiplus::Ok) return true;
  api->DrawImageRectI(graphics.get(), image_.get(), GetX(), GetY(), GetWidth(), GetHeight());
  return true;
}

void CGifAnimUI::StartAnimation() {
  if (!LoadAnimation() || delays_.empty()) return;
  if (remainingLoops_ <= 0) {
    remainingLoops_ = loopCount_;
    currentFrame_ = 0;
    Invalidate();
  }
  StopFrameTimer();
  StartFrameTimer();
}

void CGifAnimUI::StopAnimation() {
  StopFrameTimer();
  currentFrame_ = 0;
  remainingLoops_ = loopCount_;
  Invalidate();
}

void CGifAnimUI::PauseAnimation() { StopFrameTimer(); }

UINT CGifAnimUI::GetFrameDelay(UINT frame) const { return frame < delays_.size() ? delays_[frame] : 0; }

bool CGifAnimUI::LoadAnimation() {
  if (image_) return true;
  if (fileName_.IsEmpty() || CGdiplusUse::Api() == nullptr) return false;
  const SkinFile file = ReadGifFile(fileName_.GetData());
  if (file.data == nullptr || !Decode(file.data.get(), file.size)) return false;
  ReadFrames();
  ReadDelays();
  return true;
}

bool CGifAnimUI::Decode(const unsigned char* bytes, size_t size) {
  const GdiplusApi& api = *CGdiplusUse::Api();
  ScopedStream stream = MemoryStream(bytes, size);
  if (!stream) return false;
  ScopedGdipImage image;
  if (api.LoadImageFromStream(stream.get(), image.receive()) != Gdiplus::Ok) return false;
  UINT width = 0;
  UINT height = 0;
  api.GetImageWidth(image.get(), &width);
  api.GetImageHeight(image.get(), &height);
  imageSize_ = SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
  stream_ = std::move(stream);
  image_ = std::move(image);
  return true;
}

void CGifAnimUI::ReadFrames() {
  const GdiplusApi& api = *CGdiplusUse::Api();
  frameDimension_ = kFrameDimensionTime;
  frameCount_ = 0;
  // An image without a time dimension is one still frame.
  if (api.ImageGetFrameCount(image_.get(), &frameDimension_, &frameCount_) != Gdiplus::Ok || frameCount_ == 0) {
    frameCount_ = 1;
  }
  currentFrame_ = 0;
  activeFrame_ = 0;
}

void CGifAnimUI::ReadDelays() {
  const GdiplusApi& api = *CGdiplusUse::Api();
  delays_.clear();
  UINT size = 0;
  if (api.GetPropertyItemSize(image_.get(), kFrameDelayProperty, &size) != Gdiplus::Ok ||
      size < sizeof(Gdiplus::PropertyItem)) {
    return;
  }
  std::vector<uint64_t> buffer((size + sizeof(uint64_t) - 1) / sizeof(uint64_t));
  auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
  if (api.GetPropertyItem(image_.get(), kFrameDelayProperty, size, item) != Gdiplus::Ok || item->value == nullptr) {
    return;
  }
  delays_.resize(item->length / sizeof(uint32_t));
  std::memcpy(delays_.data(), item->value, delays_.size() * sizeof(uint32_t));
}

void CGifAnimUI::StartFrameTimer() {
  CManagerUI* manager = GetManager();
  const UINT delay = GetFrameDelay(currentFrame_);
  playing_ = manager != nullptr && manager->SetTimer(this, kGifFrameTimerId, delay == 0 ? kZeroDelayMs : delay * 10);
}

void CGifAnimUI::StopFrameTimer() {
  if (CManagerUI* manager = GetManager()) manager->KillTimer(this, kGifFrameTimerId);
  playing_ = false;
}

// Passing the last frame uses up a loop; the last loop ends on the last frame.
void CGifAnimUI::AdvanceFrame() {
  if (!image_) return;
  StopFrameTimer();
  Invalidate();
  if (++currentFrame_ < frameCount_) {
    StartFrameTimer();
    return;
  }
  if (--remainingLoops_ > 0) {
    currentFrame_ = 0;
    StartFrameTimer();
    return;
  }
  remainingLoops_ = 0;
  currentFrame_ = frameCount_ - 1;
  if (onComplete_) onComplete_();
}

void CGifAnimUI::FreeAnimation() {
  StopFrameTimer();
  image_.reset();
  stream_.reset();
  delays_.clear();
  frameCount_ = 0;
  currentFrame_ = 0;
  activeFrame_ = 0;
  imageSize_ = SIZE{};
  remainingLoops_ = loopCount_;
}

}  // namespace SkinUI
