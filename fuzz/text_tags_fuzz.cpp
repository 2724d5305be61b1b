// Arbitrary text as formatted text, read two bytes per character: the tag
// scanner must cover the text exactly once, and the tag parameters must
// parse within their own characters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "skinui/render/text_tags.h"

namespace {

bool Inside(const wchar_t* begin, const wchar_t* end, const wchar_t* part, size_t length) {
  return part >= begin && part + length <= end;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<wchar_t> text(size / 2);
  for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
  const wchar_t* begin = text.data();
  const wchar_t* end = begin + text.size();
  SkinUI::CTextTagScanner scanner(begin, text.size());
  SkinUI::TextToken token;
  size_t position = 0;
  while (scanner.Next(&token)) {
    if (scanner.Position() <= position || scanner.Position() > text.size()) std::abort();
    position = scanner.Position();
    if (token.type == SkinUI::TextTokenType::kEndTag) continue;
    if (!Inside(begin, end, token.text, token.length)) std::abort();
    if (token.type != SkinUI::TextTokenType::kTag) continue;
    SkinUI::FontTagSpec font;
    if (SkinUI::ParseFontTag(token.text, token.length, &font) && font.face.GetLength() > token.length) std::abort();
    SkinUI::ImageTagSpec image;
    SkinUI::ParseImageTag(token.text, token.length, &image);
    if (!Inside(token.text, token.text + token.length, image.image, image.imageLength)) std::abort();
    if (image.frames < 1 || image.frame < 0 || image.frame >= image.frames) std::abort();
  }
  if (position != text.size()) std::abort();
  return 0;
}
