#pragma once
// The icon file of each kind of generic box.

#include <string>

namespace msg {

// Kinds 0 to 2: the notice icon; kind 3: the success icon; any other kind: empty (no icon).
const std::wstring& IconForKind(int kind);

}  // namespace msg
