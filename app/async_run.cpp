#include "app/async_run.h"

#include <future>
#include <list>
#include <system_error>

#include "app/post_to_ui.h"
#include "utility/log.h"

namespace {

using JobList = std::list<std::future<void>>;

// Touched only on the UI thread. Destroyed at exit, where each remaining
// future waits for its job to return.
JobList& jobs() {
  static JobList list;
  return list;
}

// Posts the collection of a job when the job's thread leaves it, however
// the job ended.
struct CollectOnExit {
  JobList::iterator entry;
  ~CollectOnExit() {
    postToUI([entry = entry] {
      entry->wait();
      jobs().erase(entry);
    });
  }
};

}  // namespace

void asyncRun(std::function<void()> job) {
  JobList& list = jobs();
  auto entry = list.emplace(list.end());
  // The collect task runs on the UI thread, so only after this function
  // has stored the future.
  try {
    *entry = std::async(std::launch::async, [job = std::move(job), entry] {
      CollectOnExit collect{entry};
      job();
    });
  } catch (const std::system_error& error) {
    list.erase(entry);
    writeLog("asyncRun", __LINE__, L"no thread for the job, error = %d", error.code().value());
  }
}

std::size_t pendingAsyncJobs() { return jobs().size(); }
