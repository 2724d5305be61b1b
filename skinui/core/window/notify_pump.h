#pragma once
// Dispatch of notifications to handler tables: each class of a window
// hierarchy may supply a table of entries (notification type, control name
// or empty for every control, handler) and names the table of its base, so
// the search runs from the most derived table to the first. Sub-areas of a
// window ("virtual windows") may have pumps of their own.

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "skinui/core/markup/ui_string.h"
#include "skinui/core/ui_notify.h"

namespace SkinUI {

class CNotifyPump;

// How an entry's handler is called; kEnd closes a table.
enum class NotifySignature { kEnd = 0, kParams = 1, kNotify = 2 };

struct NotifyMapEntry {
  using NotifyHandler = void (CNotifyPump::*)(UINotify& notify);
  using ParamsHandler = void (CNotifyPump::*)(WPARAM wParam, LPARAM lParam);

  const wchar_t* type;
  const wchar_t* control;  // empty: every control
  NotifySignature signature;
  NotifyHandler onNotify;
  ParamsHandler onParams;

  // An entry whose handler takes the notification.
  template <class T>
  static NotifyMapEntry Notify(const wchar_t* type, const wchar_t* control, void (T::*handler)(UINotify&)) {
    return {type, control, NotifySignature::kNotify, static_cast<NotifyHandler>(handler), nullptr};
  }
  // An entry whose handler takes wParam and lParam.
  template <class T>
  static NotifyMapEntry Params(const wchar_t* type, const wchar_t* control, void (T::*handler)(WPARAM, LPARAM)) {
    return {type, control, NotifySignature::kParams, nullptr, static_cast<ParamsHandler>(handler)};
  }
  // The entry that ends a table.
  static NotifyMapEntry End() { return {L"", L"", NotifySignature::kEnd, nullptr, nullptr}; }
};

// One class's table and the table of its base (null for the first).
struct NotifyMap {
  const NotifyMap* base;
  const NotifyMapEntry* entries;  // ends with NotifyMapEntry::End()
};

class CNotifyPump {
 public:
  CNotifyPump() = default;
  CNotifyPump(const CNotifyPump&) = delete;
  CNotifyPump& operator=(const CNotifyPump&) = delete;

  // Registers pump for notifications from the sub-area name; false when the name is taken.
  bool AddVirtualWnd(const wchar_t* name, CNotifyPump* pump);
  // False when no pump has that name.
  bool RemoveVirtualWnd(const wchar_t* name);
  // The sub-area's pump (name compared without regard to case) first, then
  // this pump's own tables; true when a handler ran.
  bool NotifyPump(UINotify& notify);
  // This pump's tables from the most derived to the first; true when a handler ran.
  bool LoopDispatch(UINotify& notify);

 protected:
  ~CNotifyPump() = default;
  // The most derived table of this pump: none here.
  virtual const NotifyMap* GetNotifyMap() const;

 private:
  std::vector<std::pair<CUIString, CNotifyPump*>> virtualWnds_;
};

}  // namespace SkinUI
