#include "tests/net/log_capture.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "utility/log.h"

namespace vxtest {
namespace {

std::mutex g_lock;
std::vector<std::wstring> g_lines;

void collect(const char* functionName, int, const wchar_t* text) {
  std::wstring line(functionName, functionName + std::char_traits<char>::length(functionName));
  line += L": ";
  line += text;
  std::lock_guard guard(g_lock);
  g_lines.push_back(std::move(line));
}

}  // namespace

void installLogCapture() { setLogSink(collect); }

std::vector<std::wstring> takeLogLines() {
  std::lock_guard guard(g_lock);
  return std::exchange(g_lines, {});
}

bool anyLineHas(const std::vector<std::wstring>& lines, std::initializer_list<const wchar_t*> parts) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::wstring& line) {
    return std::all_of(parts.begin(), parts.end(),
                       [&](const wchar_t* part) { return line.find(part) != std::wstring::npos; });
  });
}

}  // namespace vxtest
