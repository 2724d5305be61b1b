#include "net/http_client.h"

#include <windows.h>
#include <winsock2.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "net/http_downloader.h"
#include "tests/common/log_capture.h"
#include "tests/common/temp_dir.h"
#include "tests/net/http_recorders.h"

namespace {

using utility::CHttpClient;
using utility::HttpErrorStage;

// A loopback port nothing listens on: bound once, then released.
unsigned short closedLoopbackPort() {
  WSADATA data;
  ::WSAStartup(MAKEWORD(2, 2), &data);
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int size = sizeof(address);
  ::bind(s, reinterpret_cast<sockaddr*>(&address), size);
  ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
  ::closesocket(s);
  ::WSACleanup();
  return ntohs(address.sin_port);
}

TEST(HttpClient, UrlsThatCannotBeTakenApartFailAtStage1) {
  const std::wstring urls[] = {
      L"http://" + std::wstring(256, L'a') + L"/file.exe",  // host longer than 255
      L"no scheme at all",
      L"",
  };
  for (const std::wstring& url : urls) {
    SCOPED_TRACE(testing::PrintToString(url.substr(0, 40)));
    vxtest::RecordingClientSink sink;
    CHttpClient client;
    EXPECT_FALSE(client.open(url, L"", &sink));
    ASSERT_EQ(sink.errors.size(), 1u);
    EXPECT_EQ(sink.errors[0].stage, HttpErrorStage::kCrackUrl);
    EXPECT_NE(sink.errors[0].code, 0u);
    client.close();
    client.close();
  }
}

TEST(HttpClient, HostOf255CharactersIsAccepted) {
  vxtest::RecordingClientSink sink;
  CHttpClient client;
  EXPECT_TRUE(client.open(L"http://" + std::wstring(255, L'a') + L"/x", L"", &sink));
  EXPECT_TRUE(sink.errors.empty());
}

TEST(HttpClient, RefusedConnectionFailsAtStage6) {
  const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(closedLoopbackPort()) + L"/Vandorix.exe";
  vxtest::RecordingClientSink sink;
  CHttpClient client;
  ASSERT_TRUE(client.open(url, L"", &sink));
  EXPECT_FALSE(client.request());
  ASSERT_EQ(sink.errors.size(), 1u);
  EXPECT_EQ(sink.errors[0].stage, HttpErrorStage::kSendRequest);
  EXPECT_EQ(sink.errors[0].code, static_cast<unsigned long>(ERROR_INTERNET_CANNOT_CONNECT));
  EXPECT_EQ(sink.headers, 0);
}

TEST(HttpDownloader, RefusedConnectionIsLoggedAndCreatesNoFile) {
  vxtest::TempDir folder;
  const std::wstring target = folder.file(L"Vandorix.exe.tmp");
  vxtest::LogCapture log;
  utility::CHttpDownloader downloader;
  EXPECT_FALSE(downloader.download(L"http://127.0.0.1:" + std::to_wstring(closedLoopbackPort()) + L"/Vandorix.exe",
                                   target, nullptr));
  EXPECT_FALSE(std::filesystem::exists(target));
  EXPECT_TRUE(vxtest::hasLogLine(log.lines(), "utility::CHttpDownload2FileSink::onHttpError", L"onHttpErro 6, 12029"));
}

}  // namespace
