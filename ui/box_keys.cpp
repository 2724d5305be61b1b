#include "ui/box_keys.h"

#include <set>

namespace msg {
namespace {

std::set<std::wstring>& OpenKeys() {
  static std::set<std::wstring>* const keys = new std::set<std::wstring>();
  return *keys;
}

}  // namespace

bool TryRegisterBoxKey(const std::wstring& key) { return OpenKeys().insert(key).second; }

void ReleaseBoxKey(const std::wstring& key) { OpenKeys().erase(key); }

}  // namespace msg
