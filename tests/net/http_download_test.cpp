// The platform HTTP client and downloader against the loopback package server.
#include "net/http_downloader.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "net/http_client.h"
#include "tests/common/log_capture.h"
#include "tests/common/temp_dir.h"
#include "tests/net/http_recorders.h"
#include "tests/net/loopback.h"

namespace {

constexpr int kBufferSize = 32768;
constexpr int kUnknownLengthTotal = 10485760;
constexpr char kRequestFunction[] = "utility::CHttpClient::request";

std::wstring widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

class HttpDownload : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(vxtest::loadLoopbackState(state_)); }

  std::wstring url(const std::string& path) const { return widen(vxtest::httpUrl(state_, path)); }
  std::wstring target() const { return folder_.file(L"Vandorix.exe.tmp"); }
  bool targetExists() const { return std::filesystem::exists(target()); }
  // How many requests for exactly path the servers received.
  size_t requestsFor(const std::string& path) const {
    size_t count = 0;
    for (const auto& record : vxtest::readRecords(state_, path)) count += record.path == path ? 1 : 0;
    return count;
  }

  vxtest::LoopbackState state_;
  vxtest::LogCapture log_;
  vxtest::TempDir folder_;
  // The loopback server redirects to plain http.
  utility::CHttpDownloader downloader_{utility::HttpClientOptions{.plainHttpRedirects = true}};
};

TEST_F(HttpDownload, WholeBodiesAreWrittenWithProgressPerChunk) {
  struct Case {
    const char* path;
    int size;
    int expected;
  };
  const Case cases[] = {
      {"/file/1", 1, 1},
      {"/file/100000", 100000, 100000},
      {"/nolength/100000", 100000, kUnknownLengthTotal},
      // More than the assumed total arrives: the total stays as it was.
      {"/nolength/11000000", 11000000, kUnknownLengthTotal},
      {"/redirect/3/file/70000", 70000, 70000},
      {"/redirect/5/file/1000", 1000, 1000},
      {"/relative/5/file/1000", 1000, 1000},
      {"/empty", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    std::filesystem::remove(target());
    vxtest::RecordingProgress progress;
    ASSERT_TRUE(downloader_.download(url(c.path), target(), &progress));
    EXPECT_TRUE(vxtest::readFile(target()) == vxtest::patternBytes(c.size));
    int received = 0;
    for (const vxtest::ProgressCall& call : progress.calls) {
      EXPECT_GT(call.length, 0);
      EXPECT_LE(call.length, kBufferSize);
      received += call.length;
      EXPECT_EQ(call.received, received);
      EXPECT_EQ(call.expected, c.expected);
    }
    EXPECT_EQ(received, c.size);
  }
}

TEST_F(HttpDownload, ErrorStatusesAreLoggedAndCreateNoFile) {
  struct Case {
    const char* path;
    int status;
  };
  const Case cases[] = {
      {"/status/404", 404},
      {"/status/500/200000", 500},
      {"/redirect/2/status/404", 404},
      {"/status/302", 302},  // a redirect without a target
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_FALSE(downloader_.download(url(c.path), target(), nullptr));
    EXPECT_FALSE(targetExists());
    EXPECT_TRUE(vxtest::hasLogLine(log_.lines(), "utility::CHttpDownload2FileSink::onHttpRecvHeader",
                                   L"onHttpErro status = " + std::to_wstring(c.status)));
  }
}

// Redirects are counted by the client, whatever the platform would do: a
// loop ends after the limit, having asked the server six times.
TEST_F(HttpDownload, MoreThanFiveRedirectsFail) {
  const std::string loop = "/loop/" + vxtest::uniquePrefix().substr(3);
  const std::string paths[] = {"/redirect/6/file/1000", "/relative/6/file/1000", loop};
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    log_.clear();
    EXPECT_FALSE(downloader_.download(url(path), target(), nullptr));
    EXPECT_FALSE(targetExists());
    EXPECT_TRUE(vxtest::hasLogLine(log_.lines(), kRequestFunction, L"too many redirects, limit 5"));
  }
  EXPECT_EQ(requestsFor(loop), 6u);
}

// Without the test allowance a redirect must lead to https.
TEST_F(HttpDownload, RedirectToPlainHttpIsRefused) {
  const std::string tag = vxtest::uniquePrefix().substr(3);
  utility::CHttpDownloader httpsOnly;
  EXPECT_FALSE(httpsOnly.download(url("/redirect-to/http/loop/" + tag), target(), nullptr));
  EXPECT_FALSE(targetExists());
  EXPECT_TRUE(
      vxtest::hasLogLine(log_.lines(), kRequestFunction, L"redirect refused, not https: " + url("/loop/" + tag)));
  EXPECT_EQ(requestsFor("/loop/" + tag), 0u);
}

// A connection closed before the announced length looks like the end of the
// body to WinINet; a cut-off installer must not count as downloaded.
TEST_F(HttpDownload, BodyCutShortFails) {
  EXPECT_FALSE(downloader_.download(url("/cut/50000"), target(), nullptr));
  EXPECT_TRUE(vxtest::hasLogLine(log_.lines(), kRequestFunction, L"body ended after 50000 of 100001 bytes"));
}

TEST_F(HttpDownload, StalledServerFailsInsteadOfHanging) {
  utility::CHttpDownloader downloader({.silenceLimitMs = 2000});
  vxtest::RecordingProgress progress;
  EXPECT_FALSE(downloader.download(url("/stall/40000"), target(), &progress));
  ASSERT_FALSE(progress.calls.empty());
  EXPECT_LE(progress.calls.back().received, 40000);
  EXPECT_TRUE(log_.anyLineHas({L"utility::CHttpClient::request: read failed"}));
}

TEST(HttpClientOptions, ShippingStallRuleIsOneKibPerSecondForAMinute) {
  const utility::HttpClientOptions options;
  EXPECT_EQ(options.minBytesPerSecond, 1024u);
  EXPECT_EQ(options.stallWindowMs, 60000u);
  EXPECT_EQ(options.silenceLimitMs, 30000u);
}

// A server that sends a byte now and then never trips the silence limit:
// the rate counts.
TEST_F(HttpDownload, ADownloadBelowTheMinimumRateForTheWindowFails) {
  utility::CHttpDownloader downloader({.stallWindowMs = 2000, .minBytesPerSecond = 100});
  struct Case {
    const char* path;
    bool passes;
  };
  const Case cases[] = {
      {"/drip/40/250", false},  // 4 bytes/s for ten seconds
      {"/drip/1500/1", true},   // some hundred bytes/s, for longer than the window
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    log_.clear();
    EXPECT_EQ(downloader.download(url(c.path), target(), nullptr), c.passes);
    if (c.passes) {
      EXPECT_TRUE(vxtest::readFile(target()) == vxtest::patternBytes(1500));
    } else {
      // Measured while the bytes arrive, not once the body has ended.
      const std::wstring slow = log_.after(kRequestFunction, L"too slow after ");
      ASSERT_FALSE(slow.empty());
      EXPECT_LT(std::stoi(slow), 40);
      EXPECT_EQ(slow.substr(slow.find(L' ')), L" bytes, below 100 bytes/s for 2000 ms");
    }
  }
}

TEST_F(HttpDownload, RequestCarriesPathQueryAndHeaders) {
  const std::string query = "id=" + vxtest::uniquePrefix().substr(3) + "&name=a%20b";
  ASSERT_TRUE(downloader_.download(url("/file/10?" + query), target(), nullptr));
  const vxtest::CollectorRecord* mine = nullptr;
  const auto records = vxtest::readRecords(state_, "/file/10");
  for (const auto& record : records) {
    if (record.query == query) mine = &record;
  }
  ASSERT_NE(mine, nullptr);
  EXPECT_EQ(mine->path, "/file/10");
  EXPECT_EQ(mine->method, "GET");
  EXPECT_EQ(mine->header("Content-Type"), "application/x-www-form-urlencoded");
  EXPECT_EQ(mine->header("Accept"), "*/*");
  EXPECT_EQ(mine->header("Host"), "127.0.0.1:" + std::to_string(state_.httpPort));
  EXPECT_TRUE(mine->body.empty());
}

TEST_F(HttpDownload, DownloadAfterCancelRunsNormally) {
  EXPECT_FALSE(downloader_.download(url("/status/404"), target(), nullptr));
  downloader_.cancel();
  EXPECT_TRUE(downloader_.download(url("/file/5000"), target(), nullptr));
  EXPECT_TRUE(vxtest::readFile(target()) == vxtest::patternBytes(5000));
  downloader_.cancel();
  downloader_.cancel();
  EXPECT_TRUE(downloader_.download(url("/file/6000"), target(), nullptr));
  EXPECT_TRUE(vxtest::readFile(target()) == vxtest::patternBytes(6000));
}

TEST_F(HttpDownload, RefusedFirstChunkLeavesAnEmptyFile) {
  vxtest::RecordingProgress progress;
  progress.refuseAt = 0;
  EXPECT_FALSE(downloader_.download(url("/file/100000"), target(), &progress));
  ASSERT_TRUE(targetExists());
  EXPECT_EQ(std::filesystem::file_size(target()), 0u);
}

// The client itself judges no status: it hands every response to its sink.
TEST_F(HttpDownload, ClientReportsLengthStatusAndBody) {
  struct Case {
    const char* path;
    int length;
    int status;
    int size;
  };
  const Case cases[] = {
      {"/file/40000", 40000, 200, 40000},
      {"/nolength/40000", -1, 200, 40000},
      {"/empty", 0, 200, 0},
      {"/status/404/1000", 1000, 404, 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    vxtest::RecordingClientSink sink;
    utility::CHttpClient client;
    ASSERT_TRUE(client.open(url(c.path), L"", &sink));
    EXPECT_TRUE(client.request());
    client.close();
    EXPECT_TRUE(sink.errors.empty());
    EXPECT_EQ(sink.headers, 1);
    EXPECT_EQ(sink.length, c.length);
    EXPECT_EQ(sink.status, c.status);
    EXPECT_EQ(static_cast<int>(sink.body.size()), c.size);
    EXPECT_EQ(sink.completes, 1);
  }
}

TEST_F(HttpDownload, SinkRefusingTheBodyEndsTheRequest) {
  vxtest::RecordingClientSink sink;
  sink.refuseAfterChunks = 1;
  utility::CHttpClient client;
  ASSERT_TRUE(client.open(url("/file/200000"), L"", &sink));
  EXPECT_FALSE(client.request());
  EXPECT_EQ(sink.chunks, 1);
  EXPECT_EQ(sink.completes, 0);
}

}  // namespace
