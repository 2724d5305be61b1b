#pragma once
// A list of delegates that a control invokes for one kind of happening
// (init, destroy, size, event, notify, paint, post-paint).

#include <vector>

#include "skinui/core/ui_delegate.h"

namespace SkinUI {

template <class Arg>
class CEventSourceUI {
 public:
  // Adds delegate at the end; a delegate already present is not added again.
  void Add(const CDelegateUI<Arg>& delegate) {
    for (const CDelegateUI<Arg>& present : delegates_) {
      if (present == delegate) return;
    }
    delegates_.push_back(delegate);
  }
  // Removes delegate; false when it was not present.
  bool Remove(const CDelegateUI<Arg>& delegate) {
    for (auto it = delegates_.begin(); it != delegates_.end(); ++it) {
      if (*it == delegate) {
        delegates_.erase(it);
        return true;
      }
    }
    return false;
  }
  // True when no delegate is registered.
  bool IsEmpty() const { return delegates_.empty(); }

  // Calls the delegates in registration order and stops at the first that
  // returns false: false then, true otherwise. A delegate may add or remove
  // delegates while it runs.
  bool operator()(Arg* argument) const {
    for (size_t i = 0; i < delegates_.size(); ++i) {
      CDelegateUI<Arg> delegate = delegates_[i];
      if (!delegate(argument)) return false;
    }
    return true;
  }

 private:
  std::vector<CDelegateUI<Arg>> delegates_;
};

}  // namespace SkinUI
