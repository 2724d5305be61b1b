#pragma once
// Fire-and-forget analytics events to a measurement-protocol collector.
// Events queue (at most 100; more are dropped) and one worker thread, started
// on demand, posts them in order. The worker and its queued events share a
// state block with the reporter, so the reporter may be destroyed while a
// post is still in progress.

#include <memory>
#include <string>

namespace analytics {
struct ReporterState;
}

class AnalyticsReporter {
 public:
  AnalyticsReporter();
  // Stops the worker; waits for it unless it is in the middle of a post.
  // Events still queued are not sent.
  ~AnalyticsReporter();
  AnalyticsReporter(const AnalyticsReporter&) = delete;
  AnalyticsReporter& operator=(const AnalyticsReporter&) = delete;

  // Stores the property and the collector (scheme and host, no trailing
  // "/"). Called once, before any event.
  void init(const std::wstring& measurementId, const std::wstring& apiSecret, const std::wstring& collectorBase);
  // Queues the event and returns at once; dropped when 100 are waiting. Any thread.
  void sendEvent(const std::wstring& name, const std::wstring& label);
  // Posts the event on this thread with the client id as it is now, and
  // returns when the post has ended.
  void sendEventNow(const std::wstring& name, const std::wstring& label);
  // Computes the client id from the network adapters and stores it; it
  // stays empty when no adapter qualifies.
  void computeClientId();

 private:
  std::shared_ptr<analytics::ReporterState> shared_;
};
