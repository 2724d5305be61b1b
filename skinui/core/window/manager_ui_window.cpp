// The window manager's tree, focus, capture, timers, notifications,
// listener lists and the layered-window settings.
#include <algorithm>
#include <cwchar>

#include "skinui/core/window/manager_ui.h"
#include "skinui/core/window/memory_surface.h"
#include "skinui/core/window/system_functions.h"
#include "skinui/core/window/window_handles.h"
#include "skinui/render/render_ui.h"
#include "utility/usystem_os.h"

namespace SkinUI {
namespace {

template <class T>
bool AddOnce(std::vector<T>& list, T item) {
  if (item == nullptr || std::find(list.begin(), list.end(), item) != list.end()) return false;
  list.push_back(item);
  return true;
}

template <class T>
bool RemoveOne(std::vector<T>& list, T item) {
  auto it = std::find(list.begin(), list.end(), item);
  if (it == list.end()) return false;
  list.erase(it);
  return true;
}

// Walks the tree in search order for the tab stop after (forward) or
// before (backward) focus; with no focus the first tab stop.
struct TabSearch {
  CControlUI* focus;
  bool forward;
  bool nextIsIt = false;
  CControlUI* last = nullptr;  // the last tab stop seen
};

CControlUI* FindTabStop(CControlUI* control, void* data) {
  auto* search = static_cast<TabSearch*>(data);
  if (control == search->focus) {
    if (search->forward) search->nextIsIt = true;
    return search->forward ? nullptr : search->last;
  }
  if ((control->GetInputFlags() & kInputTabStop) == 0) return nullptr;
  search->last = control;
  if (search->nextIsIt || search->focus == nullptr) return control;
  return nullptr;
}

// The first tab stop at or after start, in search order.
struct TabStopFrom {
  CControlUI* start;
  bool reached = false;
};

CControlUI* FindTabStopFrom(CControlUI* control, void* data) {
  auto* search = static_cast<TabStopFrom*>(data);
  if (control == search->start) search->reached = true;
  if (!search->reached || (control->GetInputFlags() & kInputTabStop) == 0) return nullptr;
  return control;
}

CControlUI* FindAtPoint(CControlUI* control, void* data) {
  const RECT& bounds = control->GetBounds();
  return ::PtInRect(&bounds, *static_cast<const POINT*>(data)) ? control : nullptr;
}

constexpr uint32_t kTabSearchFlags = kFindVisible | kFindEnabled | kFindMeFirst;

UIEvent MakeEvent(int type, CControlUI* receiver, POINT mouse) {
  UIEvent event;
  event.type = type;
  event.sender = receiver;
  event.timestamp = ::GetTickCount();
  event.mousePos = mouse;
  return event;
}

}  // namespace

std::vector<CManagerUI*>& CManagerUI::Managers() {
  static auto* managers = new std::vector<CManagerUI*>;  // lives as long as the process
  return *managers;
}

CManagerUI::~CManagerUI() {
  RemoveOne(Managers(), this);
  // The tree goes first: its controls forget themselves here while every table still exists.
  focus_ = hover_ = click_ = key_ = nullptr;
  root_.reset();
  std::vector<ControlPtr> cleanup = std::move(delayedCleanup_);
  cleanup.clear();
  asyncNotify_.clear();
  timers_.clear();
}

void CManagerUI::Init(HWND window, const wchar_t* name) {
  ClearTables();
  names_.RemoveAll();
  windowAttributes_.RemoveAll();
  optionGroups_.RemoveAll();
  timers_.clear();
  name_ = name;
  if (window == window_) return;
  window_ = window;
  windowDC_ = window != nullptr ? std::make_unique<ScopedWindowDC>(window) : nullptr;
  paintDC_ = windowDC_ ? windowDC_->get() : nullptr;
  if (window != nullptr) AddOnce(Managers(), this);
}

bool CManagerUI::SetRoot(CControlUI* root) {
  SetFocus(nullptr, false);
  key_ = hover_ = click_ = nullptr;
  if (root_ != nullptr) {
    delayedCleanup_.clear();
    asyncNotify_.clear();
    names_.RemoveAll();
    postPaint_.clear();
    nativeWindows_.clear();
    nativeControls_.clear();
    DeleteLater(root_.release());
  }
  root_.reset(root);
  firstLayout_ = true;
  updateNeeded_ = true;
  focusNeeded_ = true;
  BindControls(root, nullptr);
  return true;
}

void CManagerUI::BindControls(CControlUI* control, CControlUI* parent) {
  if (control == nullptr) return;
  control->AttachManager(this, parent != nullptr ? parent : control->GetParent(), true);
  control->FindInTree(
      [](CControlUI* found, void* data) -> CControlUI* {
        auto* self = static_cast<CManagerUI*>(data);
        if (!found->GetName().IsEmpty()) self->names_.Insert(found->GetName().GetData(), found);
        if (!found->GetVirtualWnd().IsEmpty()) self->virtualWndUsed_ = true;
        return nullptr;
      },
      this, 0);
}

void CManagerUI::UpdateNameIndex(CControlUI* control, const wchar_t* newName) {
  CControlUI** indexed = names_.Find(newName);
  if (indexed != nullptr && *indexed == control) return;
  // Keys of an earlier name would outlive the control: ForgetControl drops only the current one.
  std::vector<CUIString> stale;
  names_.ForEach([&](const CUIString& key, CControlUI*& value) {
    if (value == control) stale.push_back(key);
  });
  for (const CUIString& key : stale) names_.Remove(key.GetData());
  if (newName != nullptr && newName[0] != L'\0' && indexed == nullptr) names_.Insert(newName, control);
}

void CManagerUI::ForgetControl(CControlUI* control) {
  if (control == key_) key_ = nullptr;
  if (control == hover_) hover_ = nullptr;
  if (control == click_) click_ = nullptr;
  if (control == focus_) focus_ = nullptr;
  KillTimer(control);
  const CUIString& name = control->GetName();
  if (!name.IsEmpty()) {
    CControlUI** indexed = names_.Find(name.GetData());
    if (indexed != nullptr && *indexed == control) names_.Remove(name.GetData());
  }
  for (auto& notify : asyncNotify_) {
    if (notify->sender == control) notify->sender = nullptr;
  }
  RemoveOne(postPaint_, control);
}

void CManagerUI::DeleteLater(CControlUI* control) {
  if (control == nullptr) return;
  control->AttachManager(this, nullptr, false);
  delayedCleanup_.emplace_back(control);
  PostAsync();
}

void CManagerUI::PostAsync() {
  if (asyncPosted_ || window_ == nullptr) return;
  asyncPosted_ = ::PostMessageW(window_, kAsyncNotifyMessage, 0, 0) != FALSE;
}

CControlUI* CManagerUI::FindControl(POINT point) const {
  if (root_ == nullptr) return nullptr;
  return root_->FindInTree(FindAtPoint, &point, kFindVisible | kFindHitTest | kFindTopFirst);
}

CControlUI* CManagerUI::FindControl(const wchar_t* name) {
  CControlUI** found = names_.Find(name);
  return found != nullptr ? *found : nullptr;
}

void CManagerUI::AddMouseLeaveNeeded(CControlUI* control) { AddOnce(mouseLeave_, control); }

bool CManagerUI::RemoveMouseLeaveNeeded(CControlUI* control) { return RemoveOne(mouseLeave_, control); }

void CManagerUI::SendNotification(CControlUI* control, const wchar_t* type, WPARAM wParam, LPARAM lParam, bool async) {
  UINotify notify;
  notify.sender = control;
  notify.type = type;
  notify.wParam = wParam;
  notify.lParam = lParam;
  SendNotification(notify, async, true);
}

void CManagerUI::SendNotification(UINotify& notify, bool async, bool allowRepeat) {
  notify.mousePos = mousePos_;
  notify.timestamp = ::GetTickCount();
  if (virtualWndUsed_ && notify.sender != nullptr) notify.virtualWnd = notify.sender->GetVirtualWnd();
  if (!async) {
    Deliver(notify);
    return;
  }
  if (!allowRepeat) {
    for (auto& queued : asyncNotify_) {
      if (queued->sender != notify.sender || !(queued->type == notify.type)) continue;
      queued->wParam = notify.wParam;
      queued->lParam = notify.lParam;
      queued->mousePos = notify.mousePos;
      queued->timestamp = notify.timestamp;
      return;
    }
  }
  asyncNotify_.push_back(std::make_unique<UINotify>(notify));
  PostAsync();
}

void CManagerUI::Deliver(UINotify& notify) {
  if (notify.sender != nullptr && !notify.sender->OnNotify.IsEmpty()) notify.sender->OnNotify(&notify);
  // A receiver may remove itself (or another) while it runs.
  for (size_t i = 0; i < notifiers_.size(); ++i) notifiers_[i]->Notify(notify);
}

void CManagerUI::DeliverQueued() {
  asyncPosted_ = false;
  while (!asyncNotify_.empty()) {
    std::unique_ptr<UINotify> notify = std::move(asyncNotify_.front());
    asyncNotify_.erase(asyncNotify_.begin());
    Deliver(*notify);
  }
  std::vector<ControlPtr> cleanup = std::move(delayedCleanup_);
  delayedCleanup_.clear();
}

bool CManagerUI::AddNotifyListener(INotifyUI* listener) { return AddOnce(notifiers_, listener); }

bool CManagerUI::RemoveNotifyListener(INotifyUI* listener) { return RemoveOne(notifiers_, listener); }

void CManagerUI::KillFocusOf(CControlUI* control) {
  UIEvent event = MakeEvent(kEventKillFocus, control, mousePos_);
  control->DispatchEvent(event);
  SendNotification(control, L"killfocus");
}

void CManagerUI::SetFocus(CControlUI* control, bool focusWindow) {
  if (focusWindow && window_ != nullptr && ::GetFocus() != window_ && control != focus_ && !noActivate_) {
    ::SetFocus(window_);
  }
  if (control == focus_) return;
  if (focus_ != nullptr) {
    CControlUI* old = focus_;
    focus_ = nullptr;
    KillFocusOf(old);
  }
  if (control == nullptr || control->GetManager() != this || !control->IsVisible() || !control->IsEnabled()) return;
  focus_ = control;
  UIEvent event = MakeEvent(kEventSetFocus, control, mousePos_);
  control->DispatchEvent(event);
  SendNotification(control, L"setfocus");
}

void CManagerUI::RequestFocus(CControlUI* control) {
  if (window_ != nullptr && !noActivate_) ::SetFocus(window_);
  if (control == nullptr || root_ == nullptr) return;
  if (focus_ != nullptr) {
    CControlUI* old = focus_;
    focus_ = nullptr;
    KillFocusOf(old);
  }
  TabStopFrom search{control};
  focus_ = root_->FindInTree(FindTabStopFrom, &search, kTabSearchFlags);
  focusNeeded_ = true;
  root_->RequestLayout();
}

bool CManagerUI::FocusNext(bool forward) {
  if (root_ == nullptr) return false;
  if (updateNeeded_ && forward) {
    // The layout is about to change: the next paint chooses the control.
    focusNeeded_ = true;
    if (window_ != nullptr) ::InvalidateRect(window_, nullptr, FALSE);
    return true;
  }
  TabSearch first{focus_, forward};
  CControlUI* next = root_->FindInTree(FindTabStop, &first, kTabSearchFlags);
  if (next == nullptr) {
    if (forward) {
      TabSearch wrap{nullptr, true};
      next = root_->FindInTree(FindTabStop, &wrap, kTabSearchFlags);
    } else {
      next = first.last;
    }
  }
  focusNeeded_ = false;
  if (next == nullptr) return false;
  SetFocus(next, true);
  return true;
}

void CManagerUI::SetCapture() {
  ::SetCapture(window_);
  captured_ = true;
}

void CManagerUI::ReleaseCapture() {
  ::ReleaseCapture();
  captured_ = false;
}

CManagerUI::TimerRecord* CManagerUI::FindTimer(CControlUI* control, UINT id) {
  for (auto& record : timers_) {
    if (record->control == control && record->window == window_ && record->id == id) return record.get();
  }
  return nullptr;
}

bool CManagerUI::SetTimer(CControlUI* control, UINT id, UINT elapse) {
  if (window_ == nullptr || control == nullptr) return false;
  if (TimerRecord* existing = FindTimer(control, id)) {
    if (existing->timer.IsRunning()) return false;
    return existing->timer.Start(window_, existing->nativeId, elapse);
  }
  nextTimerId_ = (nextTimerId_ + 1) % 255;
  auto record = std::make_unique<TimerRecord>();
  record->control = control;
  record->id = id;
  record->window = window_;
  record->nativeId = nextTimerId_;
  if (!record->timer.Start(window_, record->nativeId, elapse)) return false;
  timers_.push_back(std::move(record));
  return true;
}

bool CManagerUI::KillTimer(CControlUI* control, UINT id) {
  TimerRecord* record = FindTimer(control, id);
  if (record == nullptr || !record->timer.IsRunning()) return false;
  record->timer.Stop();
  return true;
}

void CManagerUI::KillTimer(CControlUI* control) {
  std::erase_if(timers_, [control](const std::unique_ptr<TimerRecord>& record) { return record->control == control; });
}

void CManagerUI::DispatchTimer(UINT_PTR nativeId, LPARAM lParam) {
  for (auto& record : timers_) {
    if (record->window != window_ || record->nativeId != nativeId || !record->timer.IsRunning()) continue;
    UIEvent event = MakeEvent(kEventTimer, record->control, mousePos_);
    event.wParam = record->id;
    event.lParam = lParam;
    record->control->DispatchEvent(event);
    return;
  }
}

bool CManagerUI::AddPreFilter(IMessageFilterUI* filter) { return AddOnce(preFilters_, filter); }

bool CManagerUI::RemovePreFilter(IMessageFilterUI* filter) { return RemoveOne(preFilters_, filter); }

bool CManagerUI::AddFilter(IMessageFilterUI* filter) { return AddOnce(filters_, filter); }

bool CManagerUI::RemoveFilter(IMessageFilterUI* filter) { return RemoveOne(filters_, filter); }

bool CManagerUI::AddOverlayPainter(CControlUI* control) { return AddOnce(postPaint_, control); }

bool CManagerUI::RemoveOverlayPainter(CControlUI* control) { return RemoveOne(postPaint_, control); }

bool CManagerUI::AddAcceleratorHandler(ITranslateAccelerator* handler) { return AddOnce(accelerators_, handler); }

bool CManagerUI::RemoveAcceleratorHandler(ITranslateAccelerator* handler) { return RemoveOne(accelerators_, handler); }

bool CManagerUI::RegisterNativeWindow(CControlUI* control, HWND window) {
  if (control == nullptr || window == nullptr) return false;
  RECT area{};
  ::GetWindowRect(window, &area);
  ::MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&area), 2);
  Invalidate(area);
  if (std::find(nativeWindows_.begin(), nativeWindows_.end(), window) != nativeWindows_.end()) return false;
  nativeWindows_.push_back(window);
  nativeControls_.push_back(control);
  return true;
}

bool CManagerUI::UnregisterNativeWindow(HWND window) {
  auto it = std::find(nativeWindows_.begin(), nativeWindows_.end(), window);
  if (it == nativeWindows_.end()) return false;
  nativeControls_.erase(nativeControls_.begin() + (it - nativeWindows_.begin()));
  nativeWindows_.erase(it);
  return true;
}

CControlUI* CManagerUI::FindNativeWindowControl(HWND window) const {
  for (size_t i = 0; i < nativeWindows_.size(); ++i) {
    if (nativeWindows_[i] == window) return nativeControls_[i];
  }
  return nullptr;
}

bool CManagerUI::JoinOptionGroup(const wchar_t* group, CControlUI* control) {
  if (group == nullptr || control == nullptr) return false;
  std::vector<CControlUI*>* members = optionGroups_.Find(group);
  if (members == nullptr) {
    optionGroups_.Insert(group, {});
    members = optionGroups_.Find(group);
  }
  return AddOnce(*members, control);
}

const std::vector<CControlUI*>* CManagerUI::GetOptionGroup(const wchar_t* group) { return optionGroups_.Find(group); }

void CManagerUI::LeaveOptionGroup(const wchar_t* group, CControlUI* control) {
  std::vector<CControlUI*>* members = optionGroups_.Find(group);
  if (members == nullptr) return;
  RemoveOne(*members, control);
  if (members->empty()) optionGroups_.Remove(group);
}

void CManagerUI::SetOpacity(BYTE opacity) {
  opacity_ = opacity;
  auto setAttributes = CSystemFunctions::Instance().SetLayeredWindowAttributes();
  if (window_ != nullptr && setAttributes != nullptr && utility::usystem::isVistaOrLater()) {
    const LONG style = ::GetWindowLongW(window_, GWL_EXSTYLE);
    if ((style & WS_EX_LAYERED) == 0) ::SetWindowLongW(window_, GWL_EXSTYLE, style | WS_EX_LAYERED);
    setAttributes(window_, 0, opacity, LWA_ALPHA);
  }
  layered_ = false;
  layeredTimer_.Stop();
  Invalidate();
}

void CManagerUI::SetLayeredOpacity(BYTE opacity) {
  opacity_ = opacity;
  layeredChanged_ = true;
  Invalidate();
}

void CManagerUI::SetLayered(bool layered) {
  if (window_ == nullptr || IsChildWindow(window_) || layered == layered_) return;
  if (!utility::usystem::isVistaOrLater() || CSystemFunctions::Instance().UpdateLayeredWindow() == nullptr) return;
  const LONG style = ::GetWindowLongW(window_, GWL_EXSTYLE);
  if (layered) {
    ::SetWindowLongW(window_, GWL_EXSTYLE, style | WS_EX_LAYERED);
    layeredTimer_.Start(window_, kLayeredTimerId, 10);
  } else {
    layeredTimer_.Stop();
    ::SetWindowLongW(window_, GWL_EXSTYLE, style & ~WS_EX_LAYERED);
  }
  layered_ = layered;
  if (root_ != nullptr) root_->RequestLayout();
  Invalidate();
}

void CManagerUI::SetLayeredImage(const wchar_t* description) {
  layeredImage_.Reset(description);
  RECT none{};
  CRenderUI::DrawImage(nullptr, this, none, none, layeredImage_);
  layeredChanged_ = true;
  Invalidate();
}

void CManagerUI::SetLayeredInset(const RECT& inset) {
  layeredInset_ = inset;
  layeredChanged_ = true;
  Invalidate();
}

}  // namespace SkinUI
