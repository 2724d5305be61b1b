#pragma once
// One owner template for every kind of Win32 handle: each kind supplies a
// traits class with its invalid value and its close call, so no early
// return can leak a handle. Kernel, registry, module and window owners live
// here; other families (network, crypto, GDI) keep their traits beside the
// code that uses them, so that their headers reach only that code.

#include <windows.h>

namespace utility {

template <typename Traits>
class ScopedGeneric {
 public:
  using Handle = typename Traits::Handle;

  ScopedGeneric() = default;
  // Takes ownership of handle (an invalid value is allowed).
  explicit ScopedGeneric(Handle handle) : handle_(handle) {}
  ScopedGeneric(const ScopedGeneric&) = delete;
  ScopedGeneric& operator=(const ScopedGeneric&) = delete;
  ScopedGeneric(ScopedGeneric&& other) noexcept : handle_(other.release()) {}
  ScopedGeneric& operator=(ScopedGeneric&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~ScopedGeneric() { reset(); }

  // True when a handle is owned.
  bool valid() const { return Traits::isValid(handle_); }
  explicit operator bool() const { return valid(); }
  // The owned handle, still owned.
  Handle get() const { return handle_; }
  // Closes the owned handle, if any, and owns handle instead.
  void reset(Handle handle = Traits::invalid()) {
    if (handle_ != handle && Traits::isValid(handle_)) Traits::close(handle_);
    handle_ = handle;
  }
  // Gives up ownership and returns the handle.
  Handle release() {
    Handle h = handle_;
    handle_ = Traits::invalid();
    return h;
  }
  // Closes the owned handle and returns a slot for an API that writes one.
  Handle* receive() {
    reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::invalid();
};

// Kernel objects: files, processes, threads, tokens, events, mutexes,
// snapshots. Both null and INVALID_HANDLE_VALUE mean "none".
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle invalid() { return nullptr; }
  static bool isValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void close(Handle h) { ::CloseHandle(h); }
};
using ScopedHandle = ScopedGeneric<KernelHandleTraits>;

struct RegKeyTraits {
  using Handle = HKEY;
  static Handle invalid() { return nullptr; }
  static bool isValid(Handle h) { return h != nullptr; }
  static void close(Handle h) { ::RegCloseKey(h); }
};
using ScopedRegKey = ScopedGeneric<RegKeyTraits>;

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle invalid() { return nullptr; }
  static bool isValid(Handle h) { return h != nullptr; }
  static void close(Handle h) { ::FreeLibrary(h); }
};
using ScopedModule = ScopedGeneric<ModuleTraits>;

// Windows this program created; destroying must happen on the creating thread.
struct WindowTraits {
  using Handle = HWND;
  static Handle invalid() { return nullptr; }
  static bool isValid(Handle h) { return h != nullptr; }
  static void close(Handle h) { ::DestroyWindow(h); }
};
using ScopedWindow = ScopedGeneric<WindowTraits>;

}  // namespace utility
