// TLS on the WinINet download path. WinINetTls runs where the test CA is
// trusted (tests/net/with_test_ca.sh); WinINetTlsOutside runs after it in the
// ordinary prefix, where the test CA must not be trusted.
#include "net/http_downloader.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/temp_dir.h"
#include "tests/net/http_recorders.h"
#include "tests/net/loopback.h"

namespace {

using utility::HttpErrorStage;

constexpr unsigned long kInvalidCa = ERROR_INTERNET_INVALID_CA;           // 12045
constexpr unsigned long kRevoked = ERROR_INTERNET_SEC_CERT_REV_FAILED;    // 12057
constexpr unsigned long kWrongName = ERROR_INTERNET_SEC_CERT_CN_INVALID;  // 12038

std::wstring widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

class WinInetTlsBase : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(vxtest::loadLoopbackState(state_)); }

  // Fetches path from port as host over HTTPS with the client alone.
  bool fetch(int port, const std::string& path, const std::string& host, vxtest::RecordingClientSink& sink) {
    utility::CHttpClient client;
    return client.open(widen(vxtest::httpsUrl(port, path, host)), L"", &sink) && client.request();
  }

  vxtest::LoopbackState state_;
};

class WinInetTls : public WinInetTlsBase {};
class WinInetTlsOutside : public WinInetTlsBase {};

TEST_F(WinInetTls, TrustedCertificateForTheRightHostDownloads) {
  const std::string paths[] = {"/file/100000", "/redirect/2/file/70000", "/nolength/50000"};
  vxtest::TempDir folder;
  const std::wstring target = folder.file(L"Vandorix.exe.tmp");
  utility::CHttpDownloader downloader;
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    std::filesystem::remove(target);
    ASSERT_TRUE(downloader.download(widen(vxtest::httpsUrl(state_.httpsPort, path, "localhost")), target, nullptr));
    const size_t size = std::stoul(path.substr(path.rfind('/') + 1));
    EXPECT_TRUE(vxtest::readFile(target) == vxtest::patternBytes(size));
  }
}

// Plain http may hand over to https, never the other way round; the plain
// server never sees the request it was redirected to.
TEST_F(WinInetTls, RedirectsLeadOnlyToHttps) {
  struct Case {
    const char* what;
    std::string url;
    bool accepted;
    const char* targetKind;
  };
  const std::string query = "tag=" + vxtest::uniquePrefix().substr(3);
  const Case cases[] = {
      {"http to https", vxtest::httpUrl(state_, "/redirect-to/https/file/1000?" + query), true, "https"},
      {"https to http", vxtest::httpsUrl(state_.httpsPort, "/redirect-to/http/file/1000?" + query), false, "http"},
  };
  vxtest::TempDir folder;
  const std::wstring target = folder.file(L"Vandorix.exe.tmp");
  utility::CHttpDownloader downloader;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(downloader.download(widen(c.url), target, nullptr), c.accepted);
    size_t reached = 0;
    for (const auto& record : vxtest::readRecords(state_, "/file/1000")) {
      reached += record.query == query && record.portKind == c.targetKind ? 1 : 0;
    }
    EXPECT_EQ(reached, c.accepted ? 1u : 0u);
  }
}

TEST_F(WinInetTls, UntrustedOrMisnamedCertificateFailsAtStage6) {
  struct Case {
    const char* what;
    int port;
    const char* host;
    std::vector<unsigned long> codes;
  };
  const Case cases[] = {
      {"unknown CA", state_.untrustedPort, "localhost", {kInvalidCa, kRevoked}},
      {"certificate for another host", state_.wrongHostPort, "localhost", {kWrongName}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    vxtest::RecordingClientSink sink;
    EXPECT_FALSE(fetch(c.port, "/file/1000", c.host, sink));
    ASSERT_EQ(sink.errors.size(), 1u);
    EXPECT_EQ(sink.errors[0].stage, HttpErrorStage::kSendRequest);
    EXPECT_NE(std::find(c.codes.begin(), c.codes.end(), sink.errors[0].code), c.codes.end()) << sink.errors[0].code;
    EXPECT_EQ(sink.headers, 0);
  }
}

// The test CA was trusted only inside the test's namespace and has left no
// trace in the prefix.
TEST_F(WinInetTlsOutside, TestCaIsNotTrusted) {
  vxtest::RecordingClientSink sink;
  EXPECT_FALSE(fetch(state_.httpsPort, "/file/1000", "localhost", sink));
  ASSERT_EQ(sink.errors.size(), 1u);
  EXPECT_EQ(sink.errors[0].stage, HttpErrorStage::kSendRequest);
  EXPECT_TRUE(sink.errors[0].code == kInvalidCa || sink.errors[0].code == kRevoked) << sink.errors[0].code;
}

}  // namespace
