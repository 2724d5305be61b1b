#pragma once
// A delegate of the controls' event sources: a plain function or a member
// operation of an object, taking the event's argument and returning false
// to stop the listeners after it. Two delegates are equal when they name the
// same function, or the same object and member operation.

#include <cstring>

namespace SkinUI {

template <class Arg>
class CDelegateUI {
 public:
  using Function = bool (*)(Arg* argument);

  // A delegate calling function.
  CDelegateUI(Function function)  // NOLINT(google-explicit-constructor): listeners are added as plain functions
      : call_(&CallFunction) {
    Store(function);
  }
  // A delegate calling object->method.
  template <class T>
  CDelegateUI(T* object, bool (T::*method)(Arg*)) : object_(object), call_(&CallMember<T>) {
    Store(method);
  }

  // Calls the function or member operation with argument.
  bool operator()(Arg* argument) const { return call_(*this, argument); }
  bool operator==(const CDelegateUI& other) const {
    return object_ == other.object_ && call_ == other.call_ && std::memcmp(target_, other.target_, sizeof target_) == 0;
  }

 private:
  template <class Pointer>
  void Store(Pointer pointer) {
    static_assert(sizeof(Pointer) <= sizeof(target_), "member pointers of this ABI fit in two words");
    std::memcpy(target_, &pointer, sizeof(Pointer));
  }
  template <class Pointer>
  Pointer Load() const {
    Pointer pointer;
    std::memcpy(&pointer, target_, sizeof(Pointer));
    return pointer;
  }
  static bool CallFunction(const CDelegateUI& self, Arg* argument) { return self.Load<Function>()(argument); }
  template <class T>
  static bool CallMember(const CDelegateUI& self, Arg* argument) {
    T* object = static_cast<T*>(self.object_);
    return (object->*self.Load<bool (T::*)(Arg*)>())(argument);
  }

  void* object_ = nullptr;
  bool (*call_)(const CDelegateUI&, Arg*);
  alignas(void*) unsigned char target_[2 * sizeof(void*)] = {};
};

}  // namespace SkinUI
