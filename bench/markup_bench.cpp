// Parse throughput of a generated 1 MB skin document and the heap
// allocations one parse makes (the text buffer plus the element table and
// its growth steps). Prints figures; asserts nothing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "skinui/core/markup/xml_markup.h"

namespace {

size_t g_allocations = 0;

void* Allocate(size_t size) {
  ++g_allocations;
  return std::malloc(size == 0 ? 1 : size);
}

// A skin-like document of at least minBytes UTF-8 bytes: nested layouts with
// attribute-heavy controls, comments, entities and non-ASCII texts.
std::string MakeSkin(size_t minBytes) {
  std::string text = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Window size=\"520,360\">\n";
  text += "  <Font id=\"0\" name=\"Segoe UI\" size=\"12\"/>\n";
  for (int page = 0; text.size() < minBytes; ++page) {
    std::string n = std::to_string(page);
    text += "  <!-- page " + n + " -->\n  <VerticalLayout name=\"page" + n + "\" bkcolor=\"#FFFFFFFF\">\n";
    for (int row = 0; row < 8; ++row) {
      std::string r = n + "_" + std::to_string(row);
      text += "    <HorizontalLayout height=\"32\" padding=\"8,4,8,4\">\n";
      text += "      <Label name=\"label" + r + "\" text=\"@text_" + r +
              "\" textcolor=\"#FF333333\" font=\"0\" width=\"120\"/>\n";
      text += "      <Button name=\"button" + r +
              "\" text=\"Caf\xC3\xA9 &amp; \xE4\xB8\xAD\" normalimage=\"file='btn.png' source='0,0,80,24'\" "
              "hotimage=\"file='btn.png' source='0,24,80,48'\" tooltip=\"&lt;b&gt;hint&lt;/b&gt;\"/>\n";
      text += "    </HorizontalLayout>\n";
    }
    text += "  </VerticalLayout>\n";
  }
  return text + "</Window>\n";
}

int CountElements(const SkinUI::CXmlNode& first) {
  int count = 0;
  for (SkinUI::CXmlNode node = first; node.IsBound(); node = node.GetNextSibling()) {
    count += 1 + CountElements(node.GetFirstChild());
  }
  return count;
}

}  // namespace

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

int main() {
  const std::string skin = MakeSkin(1 << 20);
  const double megabytes = static_cast<double>(skin.size()) / (1 << 20);
  SkinUI::CXmlMarkup markup;

  size_t before = g_allocations;
  if (!markup.ParseBytes(skin.data(), skin.size(), SkinUI::MarkupEncoding::Utf8)) {
    std::printf("the generated skin did not load\n");
    return 1;
  }
  size_t allocations = g_allocations - before;
  int elements = CountElements(markup.GetRootNode());

  constexpr int kRuns = 30;
  std::vector<double> seconds;
  for (int run = 0; run < kRuns; ++run) {
    auto start = std::chrono::steady_clock::now();
    bool loaded = markup.ParseBytes(skin.data(), skin.size(), SkinUI::MarkupEncoding::Utf8);
    seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (!loaded) return 1;
  }
  std::sort(seconds.begin(), seconds.end());
  double median = seconds[kRuns / 2];

  std::printf("markup document: %zu bytes UTF-8, %d elements\n", skin.size(), elements);
  std::printf("parse (decode + build table), median of %d: %.2f ms, %.1f MB/s (best %.1f MB/s)\n", kRuns, median * 1e3,
              megabytes / median, megabytes / seconds.front());
  std::printf("heap allocations per parse: %zu\n", allocations);
  return 0;
}
