#pragma once
// Registry entries that tests put in the Wine prefix and take out again.

#include <windows.h>

#include <string>

namespace vxtest {

// Writes a REG_SZ value (name null: the key's default), creating the key.
bool setRegString(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value);

// Deletes the key root\key with everything below it when destroyed.
class ScopedRegTree {
 public:
  ScopedRegTree(HKEY root, std::wstring key) : root_(root), key_(std::move(key)) {}
  ~ScopedRegTree() { ::RegDeleteTreeW(root_, key_.c_str()); }
  ScopedRegTree(const ScopedRegTree&) = delete;
  ScopedRegTree& operator=(const ScopedRegTree&) = delete;

 private:
  HKEY root_;
  std::wstring key_;
};

}  // namespace vxtest
