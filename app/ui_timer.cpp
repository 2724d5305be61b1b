#include "app/ui_timer.h"

#include "app/ui_task_queue.h"
#include "utility/runable.h"

UITimer::~UITimer() { stop(); }

bool UITimer::start(unsigned intervalMs, Runable* task) {
  RunablePtr owned(task);
  stop();
  utility::UITaskQueue* queue = utility::UITaskQueue::instance();
  if (intervalMs == 0 || !owned || queue == nullptr) return false;
  id_ = queue->setTimer(intervalMs, owned.release());
  return id_ != 0;
}

void UITimer::stop() {
  if (id_ == 0) return;
  utility::UITaskQueue::instance()->killTimer(id_);
  id_ = 0;
}
