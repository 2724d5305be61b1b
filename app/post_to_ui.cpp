#include "app/post_to_ui.h"

#include "app/ui_task_queue.h"
#include "utility/runable.h"

namespace {

// Owner identity of every task posted through postToUI.
const char g_postToUIOwner = 0;

}  // namespace

bool postToUI(std::function<void()> function) {
  RunablePtr task(new FunctionRunable<std::function<void()>>(std::move(function)));
  utility::UITaskQueue* queue = utility::UITaskQueue::instance();
  if (queue == nullptr) return false;
  return queue->post(&g_postToUIOwner, task.release());
}
