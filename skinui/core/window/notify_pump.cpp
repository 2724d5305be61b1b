#include "skinui/core/window/notify_pump.h"

#include <cwchar>

#include "skinui/core/control_ui.h"

namespace SkinUI {
namespace {

const NotifyMapEntry kNoEntries[] = {NotifyMapEntry::End()};
const NotifyMap kEmptyMap{nullptr, kNoEntries};

// An entry naming the sender wins at once; else the last entry of the type for every control.
const NotifyMapEntry* FindEntry(const NotifyMapEntry* entries, const UINotify& notify) {
  const wchar_t* sender = notify.sender != nullptr ? notify.sender->GetName().GetData() : L"";
  const NotifyMapEntry* anyControl = nullptr;
  for (const NotifyMapEntry* entry = entries; entry->signature != NotifySignature::kEnd; ++entry) {
    if (!(notify.type == entry->type)) continue;
    if (entry->control[0] == L'\0') {
      anyControl = entry;
    } else if (std::wcscmp(entry->control, sender) == 0) {
      return entry;
    }
  }
  return anyControl;
}

}  // namespace

const NotifyMap* CNotifyPump::GetNotifyMap() const { return &kEmptyMap; }

bool CNotifyPump::AddVirtualWnd(const wchar_t* name, CNotifyPump* pump) {
  if (name == nullptr || pump == nullptr) return false;
  for (const auto& present : virtualWnds_) {
    if (present.first == name) return false;
  }
  virtualWnds_.emplace_back(CUIString(name), pump);
  return true;
}

bool CNotifyPump::RemoveVirtualWnd(const wchar_t* name) {
  for (auto it = virtualWnds_.begin(); it != virtualWnds_.end(); ++it) {
    if (it->first == name) {
      virtualWnds_.erase(it);
      return true;
    }
  }
  return false;
}

bool CNotifyPump::NotifyPump(UINotify& notify) {
  if (!notify.virtualWnd.IsEmpty()) {
    for (const auto& sub : virtualWnds_) {
      if (sub.first.CompareNoCase(notify.virtualWnd.GetData()) == 0 && sub.second->LoopDispatch(notify)) return true;
    }
  }
  return LoopDispatch(notify);
}

bool CNotifyPump::LoopDispatch(UINotify& notify) {
  for (const NotifyMap* map = GetNotifyMap(); map != nullptr; map = map->base) {
    const NotifyMapEntry* entry = FindEntry(map->entries, notify);
    if (entry == nullptr) continue;
    if (entry->signature == NotifySignature::kNotify) {
      (this->*entry->onNotify)(notify);
    } else {
      (this->*entry->onParams)(notify.wParam, notify.lParam);
    }
    return true;
  }
  return false;
}

}  // namespace SkinUI
