// The analytics reporter against the loopback collector: exact bodies and
// URLs, the bounded queue, the client id, and destruction during a post.
#include "net/analytics_reporter.h"

#include <windows.h>
#include <tlhelp32.h>
#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>

#include "net/adapter_addresses.h"
#include "net/client_id.h"
#include "net/curl_downloader.h"
#include "net/platform_md5.h"
#include "tests/net/loopback.h"
#include "utility/scoped_handle.h"

namespace {

constexpr wchar_t kMeasurementId[] = L"G-TEST12345A";
constexpr wchar_t kApiSecret[] = L"Ab-_cdefghijklmnopqrst";
constexpr char kQuery[] = "measurement_id=G-TEST12345A&api_secret=Ab-_cdefghijklmnopqrst";

std::string expectedBody(const std::string& clientId, const std::string& name, const std::string& label) {
  return "{\"client_id\":\"" + clientId + "\",\"events\":[{\"name\":\"" + name +
         "\",\"params\":{\"event_category\":\"3.3\",\"event_label\":\"" + label + "\"}}]}";
}

std::string adapterClientId() {
  std::wstring id = analytics::clientIdFromAddresses(analytics::listAdapterAddresses(), analytics::platformMd5Hex);
  return std::string(id.begin(), id.end());
}

std::wstring wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

size_t threadCount() {
  utility::ScopedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  size_t count = 0;
  for (BOOL more = ::Thread32First(snapshot.get(), &entry); more; more = ::Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ++count;
  }
  return count;
}

class AnalyticsReporterTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(vxtest::loadLoopbackState(state_)); }

  // Lets every request held at gate go on.
  void openGate(const std::string& gate) {
    std::string ignored;
    ASSERT_TRUE(CCurlDownloader::postRequest("", ignored, vxtest::httpUrl(state_, "/open/" + gate), {}));
  }

  vxtest::LoopbackState state_;
};

TEST_F(AnalyticsReporterTest, QueuedEventPostsTheExactBodyToTheCollectPath) {
  const std::string prefix = vxtest::uniquePrefix();
  AnalyticsReporter reporter;
  reporter.init(kMeasurementId, kApiSecret, wide(vxtest::httpsUrl(state_.httpsPort, prefix)));
  reporter.sendEvent(L"ad_installError", L"2503_errWaitTimeout");
  auto records = vxtest::waitForRecords(state_, prefix, 1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].method, "POST");
  EXPECT_EQ(records[0].portKind, "https");
  EXPECT_EQ(records[0].path, prefix + "/mp/collect");
  EXPECT_EQ(records[0].query, kQuery);
  EXPECT_EQ(records[0].header("Content-Type"), "application/json;charset=UTF-8");
  EXPECT_EQ(records[0].body, expectedBody(adapterClientId(), "ad_installError", "2503_errWaitTimeout"));
}

TEST_F(AnalyticsReporterTest, ImmediateEventUsesTheClientIdAsItIsNow) {
  const std::string prefix = vxtest::uniquePrefix();
  AnalyticsReporter reporter;
  reporter.init(kMeasurementId, kApiSecret, wide(vxtest::httpUrl(state_, prefix)));
  reporter.sendEventNow(L"ad_useCancel", L"100");  // nothing computed the id yet
  reporter.computeClientId();
  reporter.sendEventNow(L"ad_useCancel", L"100");
  auto records = vxtest::readRecords(state_, prefix);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].body, expectedBody("", "ad_useCancel", "100"));
  EXPECT_EQ(records[1].body, expectedBody(adapterClientId(), "ad_useCancel", "100"));
}

TEST_F(AnalyticsReporterTest, KeepsAtMostAHundredWaitingEventsInOrder) {
  const std::string gate = vxtest::uniquePrefix().substr(3);
  const std::string prefix = "/gate/" + gate + vxtest::uniquePrefix();
  AnalyticsReporter reporter;
  reporter.init(kMeasurementId, kApiSecret, wide(vxtest::httpUrl(state_, prefix)));
  reporter.sendEvent(L"held", L"0");
  // The worker is now inside the held post; the queue fills behind it.
  ASSERT_EQ(vxtest::waitForRecords(state_, prefix, 1).size(), 1u);
  for (int i = 1; i <= 101; ++i) reporter.sendEvent(L"queued", std::to_wstring(i));
  openGate(gate);
  ASSERT_EQ(vxtest::waitForRecords(state_, prefix, 101).size(), 101u);
  // Had the 101st been queued, it would arrive before this one.
  reporter.sendEvent(L"after", L"end");
  auto records = vxtest::waitForRecords(state_, prefix, 102);
  ASSERT_EQ(records.size(), 102u);
  const std::string id = adapterClientId();
  EXPECT_EQ(records[0].body, expectedBody(id, "held", "0"));
  for (int i = 1; i <= 100; ++i) EXPECT_EQ(records[i].body, expectedBody(id, "queued", std::to_string(i)));
  EXPECT_EQ(records[101].body, expectedBody(id, "after", "end"));
}

TEST_F(AnalyticsReporterTest, DestroyedDuringAPostTheWorkerFinishesWithoutTheReporter) {
  const std::string gate = vxtest::uniquePrefix().substr(3);
  const std::string prefix = "/gate/" + gate + vxtest::uniquePrefix();
  const size_t threadsBefore = threadCount();
  alignas(AnalyticsReporter) unsigned char storage[sizeof(AnalyticsReporter)];
  auto* reporter = new (storage) AnalyticsReporter;
  reporter->init(kMeasurementId, kApiSecret, wide(vxtest::httpUrl(state_, prefix)));
  reporter->sendEvent(L"held", L"0");
  reporter->sendEvent(L"never", L"1");
  ASSERT_EQ(vxtest::waitForRecords(state_, prefix, 1).size(), 1u);
  reporter->~AnalyticsReporter();
  std::memset(storage, 0xA5, sizeof storage);  // a worker reading the reporter now reads garbage
  openGate(gate);
  for (int i = 0; i < 400 && threadCount() > threadsBefore; ++i) ::Sleep(50);
  EXPECT_LE(threadCount(), threadsBefore);
  EXPECT_EQ(vxtest::readRecords(state_, prefix).size(), 1u);  // queued events are not sent
}

TEST_F(AnalyticsReporterTest, DestroyingAnIdleReporterEndsItsWorker) {
  const std::string prefix = vxtest::uniquePrefix();
  const size_t threadsBefore = threadCount();
  {
    AnalyticsReporter reporter;
    reporter.init(kMeasurementId, kApiSecret, wide(vxtest::httpUrl(state_, prefix)));
    reporter.sendEvent(L"ad_run", L"100");
    ASSERT_EQ(vxtest::waitForRecords(state_, prefix, 1).size(), 1u);
  }
  for (int i = 0; i < 100 && threadCount() > threadsBefore; ++i) ::Sleep(20);
  EXPECT_LE(threadCount(), threadsBefore);
}

}  // namespace
