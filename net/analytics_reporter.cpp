#include "net/analytics_reporter.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "net/adapter_addresses.h"
#include "net/analytics_body.h"
#include "net/client_id.h"
#include "net/curl_downloader.h"
#include "net/platform_md5.h"
#include "utility/log.h"
#include "utility/text.h"

namespace analytics {

// Everything the worker touches. The worker holds its own reference, so a
// post that outlives the reporter finishes on valid memory.
struct ReporterState {
  std::mutex queueLock;
  std::condition_variable wakeUp;
  std::deque<std::function<void()>> pendingEvents;
  bool workerRunning = false;
  bool stop = false;
  bool busy = false;
  std::wstring measurementId;
  std::wstring apiSecret;
  std::wstring collectorBase;

  std::mutex clientIdLock;  // the worker writes clientId while senders read it
  std::wstring clientId;
};

}  // namespace analytics

namespace {

constexpr size_t kMaxPendingEvents = 100;

using Shared = analytics::ReporterState;

std::wstring currentClientId(Shared& shared) {
  std::lock_guard guard(shared.clientIdLock);
  return shared.clientId;
}

void storeComputedClientId(Shared& shared) {
  std::wstring id = analytics::clientIdFromAddresses(analytics::listAdapterAddresses(), analytics::platformMd5Hex);
  std::lock_guard guard(shared.clientIdLock);
  shared.clientId = std::move(id);
}

// The event's URL from the stored property. Caller holds the queue lock.
std::string collectUrl(const Shared& shared) {
  using utility::text::wideToAnsi;
  return analytics::buildCollectUrl(wideToAnsi(shared.collectorBase), wideToAnsi(shared.measurementId),
                                    wideToAnsi(shared.apiSecret));
}

void postEvent(Shared& shared, const std::wstring& name, const std::wstring& label, const std::string& url) {
  using utility::text::wideToAnsi;
  const std::string body =
      analytics::buildEventBody(wideToAnsi(currentClientId(shared)), wideToAnsi(name), wideToAnsi(label));
  std::string ignoredResponse;
  CCurlDownloader::postRequest(body, ignoredResponse, url, {});
}

void workerLoop(std::shared_ptr<Shared> shared) {
  for (;;) {
    if (currentClientId(*shared).empty()) storeComputedClientId(*shared);
    std::function<void()> task;
    {
      std::unique_lock lock(shared->queueLock);
      shared->wakeUp.wait(lock, [&] { return shared->stop || !shared->pendingEvents.empty(); });
      if (shared->stop) {
        shared->workerRunning = false;
        shared->wakeUp.notify_all();
        return;
      }
      task = std::move(shared->pendingEvents.front());
      shared->pendingEvents.pop_front();
      shared->busy = true;
    }
    task();
    std::lock_guard lock(shared->queueLock);
    shared->busy = false;
  }
}

// Starts the worker when none runs. Caller holds the queue lock.
void ensureWorker(const std::shared_ptr<Shared>& shared) {
  if (shared->workerRunning) return;
  try {
    std::thread(workerLoop, shared).detach();
    shared->workerRunning = true;
  } catch (const std::system_error& e) {
    // The event stays queued; the next one tries again.
    writeLog("AnalyticsReporter::sendEvent", __LINE__, L"worker start failed, error = %d", e.code().value());
  }
}

}  // namespace

AnalyticsReporter::AnalyticsReporter() : shared_(std::make_shared<Shared>()) {}

AnalyticsReporter::~AnalyticsReporter() {
  std::unique_lock lock(shared_->queueLock);
  shared_->stop = true;
  shared_->wakeUp.notify_all();
  // A worker inside a post keeps the shared state alive and ends after it.
  if (!shared_->busy) shared_->wakeUp.wait(lock, [&] { return !shared_->workerRunning; });
}

void AnalyticsReporter::init(const std::wstring& measurementId,
                             const std::wstring& apiSecret,
                             const std::wstring& collectorBase) {
  std::lock_guard guard(shared_->queueLock);
  shared_->measurementId = measurementId;
  shared_->apiSecret = apiSecret;
  shared_->collectorBase = collectorBase;
}

void AnalyticsReporter::sendEvent(const std::wstring& name, const std::wstring& label) {
  std::lock_guard guard(shared_->queueLock);
  if (shared_->pendingEvents.size() >= kMaxPendingEvents) return;
  // Only the worker runs tasks, and it holds the shared state meanwhile.
  Shared* shared = shared_.get();
  shared_->pendingEvents.push_back(
      [shared, name, label, url = collectUrl(*shared_)] { postEvent(*shared, name, label, url); });
  shared_->wakeUp.notify_all();
  ensureWorker(shared_);
}

void AnalyticsReporter::sendEventNow(const std::wstring& name, const std::wstring& label) {
  std::string url;
  {
    std::lock_guard guard(shared_->queueLock);
    url = collectUrl(*shared_);
  }
  postEvent(*shared_, name, label, url);
}

void AnalyticsReporter::computeClientId() { storeComputedClientId(*shared_); }
