#include "ui/message_box_icons.h"

#include <map>

namespace msg {
namespace {

const std::map<int, std::wstring>& IconTable() {
  static const std::map<int, std::wstring>* const table = new std::map<int, std::wstring>{
      {0, L"common/msg_noice48.png"},
      {1, L"common/msg_noice48.png"},
      {2, L"common/msg_noice48.png"},
      {3, L"common/msg_ok48.png"},
  };
  return *table;
}

}  // namespace

const std::wstring& IconForKind(int kind) {
  static const std::wstring* const none = new std::wstring();
  const auto found = IconTable().find(kind);
  return found != IconTable().end() ? found->second : *none;
}

}  // namespace msg
