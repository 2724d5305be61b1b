#pragma once
// Collects every log line of the test process so that tests can check what
// the code under test reported.

#include <string>
#include <vector>

namespace vxtest {

// Installs the collecting sink; called once before other threads start.
void installLogCapture();
// The lines ("function: text") collected since the last call, then forgets them.
std::vector<std::wstring> takeLogLines();
// True when one of lines contains every one of parts.
bool anyLineHas(const std::vector<std::wstring>& lines, std::initializer_list<const wchar_t*> parts);

}  // namespace vxtest
