// The libcurl download and post against the loopback servers: contents,
// redirects, error statuses, stalls, progress and TLS verification.
#include "net/curl_downloader.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "net/curl_settings.h"
#include "tests/common/log_capture.h"
#include "tests/common/temp_dir.h"
#include "tests/net/loopback.h"

namespace {

using vxtest::LoopbackState;

class CurlTransfer : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(vxtest::loadLoopbackState(state_)); }

  // Downloads url into the temp folder; percent values go to percents.
  bool download(const std::string& url, std::vector<int>* percents = nullptr) {
    return CCurlDownloader::downloadFile(target(), url, [percents](int p) {
      if (percents != nullptr) percents->push_back(p);
    });
  }
  std::wstring target() const { return folder_.file(L"package.exe"); }
  std::string downloaded() const { return vxtest::readFile(target()); }

  LoopbackState state_;
  vxtest::TempDir folder_;
  vxtest::LogCapture log_;
};

struct DownloadCase {
  const char* path;
  size_t expectedSize;
  bool reportsPercent;
};

TEST_F(CurlTransfer, DownloadsExactlyWhatTheServerSends) {
  const DownloadCase cases[] = {
      {"/file/3000000", 3000000, true},
      {"/nolength/200000", 200000, false},  // no total: no percent at all
      {"/redirect/5/file/1000", 1000, true},
      {"/empty", 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    std::vector<int> percents;
    ASSERT_TRUE(download(vxtest::httpUrl(state_, c.path), &percents));
    EXPECT_EQ(downloaded(), vxtest::patternBytes(c.expectedSize));
    EXPECT_EQ(!percents.empty(), c.reportsPercent);
  }
}

TEST_F(CurlTransfer, FailsOnErrorStatusesAndTooManyRedirects) {
  struct FailureCase {
    const char* path;
    const wchar_t* logged;
  };
  // The error page over 1 MiB must not pass for an installer either.
  const FailureCase cases[] = {
      {"/redirect/6/file/1000", L"curl result 47"},  // too many redirects
      {"/status/404", L"http status error 404"},
      {"/status/500/2000000", L"http status error 500"},
      {"/status/302", L"http status error 302"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    log_.clear();
    EXPECT_FALSE(download(vxtest::httpUrl(state_, c.path)));
    EXPECT_TRUE(log_.anyLineHas({L"CCurlDownloader::downloadFile", c.logged}));
  }
}

TEST_F(CurlTransfer, ReplacesAnExistingFileAndFailsWhenTheFileCannotBeMade) {
  vxtest::writeFile(target(), std::string(5000, 'x'));
  ASSERT_TRUE(download(vxtest::httpUrl(state_, "/file/10")));
  EXPECT_EQ(downloaded(), vxtest::patternBytes(10));
  EXPECT_FALSE(CCurlDownloader::downloadFile(folder_.file(L"missing\\package.exe"), vxtest::httpUrl(state_, "/file/10"),
                                             nullptr));
}

TEST_F(CurlTransfer, AStalledDownloadFailsInsteadOfHanging) {
  const CurlTransferLimits saved = CCurlSettings::transferLimits();
  CCurlSettings::setTransferLimits({saved.maxRecvBytesPerSecond, 2});
  log_.clear();
  const bool ok = download(vxtest::httpUrl(state_, "/stall/100000"));
  CCurlSettings::setTransferLimits(saved);
  EXPECT_FALSE(ok);
  // Ended by the stall limit, not by the server giving up after minutes.
  EXPECT_TRUE(log_.anyLineHas({L"curl result 28"}));  // operation timed out
}

TEST(CurlTransferLimits, ShippingStallRuleIsOneKibPerSecondForAMinute) {
  const CurlTransferLimits limits;
  EXPECT_EQ(limits.minBytesPerSecond, 1024);
  EXPECT_EQ(limits.stallSeconds, 60);
}

// A server that sends a byte now and then is never silent: the rate counts.
TEST_F(CurlTransfer, ADownloadBelowTheMinimumRateForTheWindowFails) {
  const CurlTransferLimits saved = CCurlSettings::transferLimits();
  CurlTransferLimits shortWindow = saved;
  shortWindow.stallSeconds = 2;
  shortWindow.minBytesPerSecond = 100;
  CCurlSettings::setTransferLimits(shortWindow);
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
    EXPECT_EQ(download(vxtest::httpUrl(state_, c.path)), c.passes);
    if (c.passes) {
      EXPECT_EQ(downloaded(), vxtest::patternBytes(1500));
    } else {
      EXPECT_TRUE(log_.anyLineHas({L"curl result 28"}));  // operation timed out
    }
  }
  CCurlSettings::setTransferLimits(saved);
}

TEST_F(CurlTransfer, ThrottlesPercentToAboutOncePerSecondBelowHundred) {
  // 50 MiB under the 20 MiB/s cap lasts a few seconds.
  const ULONGLONG start = ::GetTickCount64();
  std::vector<int> percents;
  ASSERT_TRUE(download(vxtest::httpUrl(state_, "/file/52428800"), &percents));
  const ULONGLONG seconds = (::GetTickCount64() - start) / 1000;
  ASSERT_FALSE(percents.empty());
  EXPECT_LE(percents.size(), seconds + 2);
  for (size_t i = 0; i < percents.size(); ++i) {
    EXPECT_GE(percents[i], 0);
    EXPECT_LE(percents[i], 99);
    if (i > 0) {
      EXPECT_GE(percents[i], percents[i - 1]);
    }
  }
}

struct TlsCase {
  const char* name;
  int LoopbackState::*port;
  bool accepted;
};

constexpr TlsCase kTlsCases[] = {
    {"test CA, right host", &LoopbackState::httpsPort, true},
    {"unknown CA", &LoopbackState::untrustedPort, false},
    {"wrong host name", &LoopbackState::wrongHostPort, false},
};

TEST_F(CurlTransfer, DownloadVerifiesTheServerCertificate) {
  for (const auto& c : kTlsCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(download(vxtest::httpsUrl(state_.*c.port, "/file/4096")), c.accepted);
  }
}

TEST_F(CurlTransfer, PostVerifiesTheServerCertificate) {
  for (const auto& c : kTlsCases) {
    SCOPED_TRACE(c.name);
    const std::string prefix = vxtest::uniquePrefix();
    std::string response = "unchanged";
    EXPECT_EQ(
        CCurlDownloader::postRequest("{}", response, vxtest::httpsUrl(state_.*c.port, prefix + "/mp/collect"), {}),
        c.accepted);
    // A refused server never sees the request.
    EXPECT_EQ(vxtest::readRecords(state_, prefix).size(), c.accepted ? 1u : 0u);
    EXPECT_EQ(response, c.accepted ? "" : "unchanged");
  }
}

// Turns plain http off for one test; the rest of the run has it on.
class HttpsOnly {
 public:
  HttpsOnly() { CCurlSettings::setPlainHttpAllowed(false); }
  ~HttpsOnly() { CCurlSettings::setPlainHttpAllowed(true); }
  HttpsOnly(const HttpsOnly&) = delete;
  HttpsOnly& operator=(const HttpsOnly&) = delete;
};

// How many requests for path with exactly query the plain http server saw.
size_t plainHttpRequests(const LoopbackState& state, const std::string& path, const std::string& query) {
  size_t count = 0;
  for (const auto& record : vxtest::readRecords(state, path)) {
    if (record.path == path && record.query == query && record.portKind == "http") ++count;
  }
  return count;
}

TEST_F(CurlTransfer, NeitherTheFirstRequestNorARedirectLeavesHttps) {
  struct Case {
    const char* what;
    bool plainHttpAllowed;
    bool viaHttps;  // else the first URL is plain http
    const char* path;
    bool accepted;
  };
  const Case cases[] = {
      {"https to https", false, true, "/redirect/2/file/1000", true},
      {"https to http", false, true, "/redirect-to/http/file/1000", false},
      {"plain http", false, false, "/file/1000", false},
      {"https to http, allowed for tests", true, true, "/redirect-to/http/file/1000", true},
      {"plain http, allowed for tests", true, false, "/file/1000", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::optional<HttpsOnly> httpsOnly;
    if (!c.plainHttpAllowed) httpsOnly.emplace();
    const bool reachesHttp = !c.viaHttps || std::string(c.path).starts_with("/redirect-to/http/");
    for (const bool post : {false, true}) {
      SCOPED_TRACE(post ? "post" : "download");
      const std::string query = "tag=" + vxtest::uniquePrefix().substr(3);
      const std::string pathAndQuery = std::string(c.path) + "?" + query;
      const std::string url =
          c.viaHttps ? vxtest::httpsUrl(state_.httpsPort, pathAndQuery) : vxtest::httpUrl(state_, pathAndQuery);
      std::string response;
      const bool ok = post ? CCurlDownloader::postRequest("{}", response, url, {}) : download(url);
      EXPECT_EQ(ok, c.accepted);
      // A refused hop never reaches the plain http server.
      EXPECT_EQ(plainHttpRequests(state_, "/file/1000", query), c.accepted && reachesHttp ? 1u : 0u);
    }
  }
}

TEST_F(CurlTransfer, PostSendsTheJsonTypeThenExtraHeadersAndTheExactBody) {
  struct PostCase {
    std::string body;
    std::vector<std::string> extraHeaders;
  };
  const PostCase cases[] = {
      {"{\"client_id\":\"a\\\"b\"}", {}},
      {"", {"X-First: 1", "X-Second: 2"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    const std::string prefix = vxtest::uniquePrefix();
    std::string response;
    ASSERT_TRUE(CCurlDownloader::postRequest(c.body, response, vxtest::httpUrl(state_, prefix + "/mp/collect"),
                                             c.extraHeaders));
    auto records = vxtest::readRecords(state_, prefix);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].method, "POST");
    EXPECT_EQ(records[0].body, c.body);
    EXPECT_EQ(records[0].header("Content-Length"), std::to_string(c.body.size()));
    EXPECT_EQ(records[0].header("Content-Type"), "application/json;charset=UTF-8");
    std::vector<std::string> extras;
    for (const auto& [name, value] : records[0].headers) {
      if (name.starts_with("X-")) extras.push_back(name + ": " + value);
    }
    EXPECT_EQ(extras, c.extraHeaders);
  }
}

TEST_F(CurlTransfer, PostReturnsTheWholeResponseOrFailsOnAnErrorStatus) {
  std::string response;
  // The content starts with a NUL byte and holds more.
  ASSERT_TRUE(CCurlDownloader::postRequest("{}", response, vxtest::httpUrl(state_, "/file/100000"), {}));
  EXPECT_EQ(response, vxtest::patternBytes(100000));
  response = "unchanged";
  EXPECT_FALSE(CCurlDownloader::postRequest("{}", response, vxtest::httpUrl(state_, "/status/500"), {}));
  EXPECT_EQ(response, "unchanged");
}

}  // namespace
