#include "tests/skinui/control/gif_test_file.h"

namespace vxtest {

namespace {

constexpr uint32_t kPalette[] = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000};
// Two-bit pixels: codes start at three bits, clear is 4 and end is 5.
constexpr int kMinCodeSize = 2;
constexpr unsigned kClearCode = 4;
constexpr unsigned kEndCode = 5;
constexpr int kCodeBits = 3;

void PutWord(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

// Codes packed from the lowest bit up.
class BitWriter {
 public:
  void Put(unsigned code) {
    for (int bit = 0; bit < kCodeBits; ++bit) {
      if (used_ == 0) bytes_ += '\0';
      if ((code >> bit) & 1u) bytes_.back() = static_cast<char>(bytes_.back() | (1 << used_));
      used_ = (used_ + 1) % 8;
    }
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
  int used_ = 0;
};

// Every pixel as a literal code, with a clear code before each pair so
// that the code width never grows past three bits.
std::string PixelCodes(int count, GifColour colour) {
  BitWriter writer;
  for (int i = 0; i < count; ++i) {
    if (i % 2 == 0) writer.Put(kClearCode);
    writer.Put(colour);
  }
  writer.Put(kEndCode);
  return writer.Bytes();
}

void PutSubBlocks(std::string& out, const std::string& data) {
  for (size_t at = 0; at < data.size(); at += 255) {
    const std::string block = data.substr(at, 255);
    out += static_cast<char>(block.size());
    out += block;
  }
  out += '\0';
}

void PutFrame(std::string& out, int width, int height, const GifFrame& frame) {
  out += "\x21\xF9\x04\x04";  // graphic control: the frame is left in place
  PutWord(out, frame.delay);
  out += std::string("\0\0", 2);  // no transparent colour, end of block
  out += '\x2C';
  PutWord(out, 0);
  PutWord(out, 0);
  PutWord(out, static_cast<unsigned>(width));
  PutWord(out, static_cast<unsigned>(height));
  out += '\0';  // no local palette, not interlaced
  out += static_cast<char>(kMinCodeSize);
  PutSubBlocks(out, PixelCodes(width * height, frame.colour));
}

}  // namespace

uint32_t GifRgb(GifColour colour) { return kPalette[colour]; }

std::string MakeGif(int width, int height, const std::vector<GifFrame>& frames) {
  std::string out = "GIF89a";
  PutWord(out, static_cast<unsigned>(width));
  PutWord(out, static_cast<unsigned>(height));
  out += "\x91";  // a global palette of four colours
  out += std::string("\0\0", 2);
  for (uint32_t rgb : kPalette) {
    out += static_cast<char>(rgb >> 16);
    out += static_cast<char>((rgb >> 8) & 0xFF);
    out += static_cast<char>(rgb & 0xFF);
  }
  out += std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\0\0\0", 19);  // loop for ever
  for (const GifFrame& frame : frames) PutFrame(out, width, height, frame);
  out += '\x3B';
  return out;
}

}  // namespace vxtest
