#pragma once
// Handle of one repeating UI-thread timer of the process-wide task queue.
// UI thread only.

class Runable;

class UITimer {
 public:
  UITimer() = default;
  // Stops the timer, so no tick outlives the handle's owner.
  ~UITimer();
  UITimer(const UITimer&) = delete;
  UITimer& operator=(const UITimer&) = delete;

  // Runs task every intervalMs until stop(); a running timer is stopped
  // first. Takes the task in every case; false (task released) when
  // intervalMs is 0, task is null or the system timer failed. A refused
  // request uses no timer id.
  bool start(unsigned intervalMs, Runable* task);
  // Stops the timer and releases its task; nothing when not running.
  void stop();
  // The running timer's id, 0 when not running.
  unsigned id() const { return id_; }

 private:
  unsigned id_ = 0;
};
