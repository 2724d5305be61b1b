#pragma once
// Heap-allocated units of work. Whoever receives a task pointer (the UI task
// queue, a timer, a task thread) owns it and ends it with release().

#include <memory>
#include <utility>

class Runable {
 public:
  // Destroys this task.
  virtual void release() { delete this; }
  virtual ~Runable() = default;
  // The task's work.
  virtual void run() = 0;
};

// Deleter that ends a task through its own release().
struct RunableReleaser {
  void operator()(Runable* task) const { task->release(); }
};

// Sole owner of a task; a null task is never released.
using RunablePtr = std::unique_ptr<Runable, RunableReleaser>;

// A task that calls a stored callable (a lambda or a std::function).
template <typename Function>
class FunctionRunable : public Runable {
 public:
  // Stores function by value.
  explicit FunctionRunable(Function function) : function_(std::move(function)) {}
  // Calls the stored callable.
  void run() override { function_(); }

 private:
  Function function_;
};

// A task that calls a member function without arguments on an object it
// does not own.
template <typename Class>
class MemberFuncRunable : public Runable {
 public:
  using Member = void (Class::*)();
  // Remembers object and member; object must outlive the task's run.
  MemberFuncRunable(Class* object, Member member) : object_(object), member_(member) {}
  // Calls the member on the object.
  void run() override { (object_->*member_)(); }

 private:
  Class* object_;
  Member member_;
};
