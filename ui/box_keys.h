#pragma once
// The messages of the generic boxes now on screen, so that the same
// message is not shown twice at once. UI thread only.

#include <string>

namespace msg {

// Adds key to the open keys; true when it was not there yet.
bool TryRegisterBoxKey(const std::wstring& key);
// Takes key out of the open keys (nothing when it is not there).
void ReleaseBoxKey(const std::wstring& key);

}  // namespace msg
