#include "net/http_download_sink.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/common/log_capture.h"
#include "tests/common/temp_dir.h"
#include "tests/net/http_recorders.h"

namespace {

using utility::CHttpDownload2FileSink;
using utility::CTaskThread;
using utility::HttpErrorStage;

constexpr char kHeaderFunction[] = "utility::CHttpDownload2FileSink::onHttpRecvHeader";

class DownloadSink : public testing::Test {
 protected:
  std::wstring target() const { return folder_.file(L"Vandorix.exe.tmp"); }
  bool targetExists() const { return std::filesystem::exists(target()); }

  vxtest::LogCapture log_;
  vxtest::TempDir folder_;
  CTaskThread stopHolder_;
  vxtest::RecordingProgress progress_;
};

TEST_F(DownloadSink, OnlyA2xxStatusCreatesTheFile) {
  struct Case {
    int status;
    bool accepted;
  };
  const Case cases[] = {{100, false}, {199, false}, {200, true},  {204, true},  {206, true},
                        {299, true},  {300, false}, {302, false}, {404, false}, {500, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    std::filesystem::remove(target());
    CHttpDownload2FileSink sink(target(), &stopHolder_, &progress_);
    EXPECT_EQ(sink.onHttpRecvHeader(10, c.status), c.accepted);
    sink.onHttpComplete();
    EXPECT_EQ(targetExists(), c.accepted);
    EXPECT_EQ(vxtest::hasLogLine(log_.lines(), kHeaderFunction, L"onHttpErro status = " + std::to_wstring(c.status)),
              !c.accepted);
  }
}

TEST_F(DownloadSink, ExpectedTotalFallsBackToTenMiBWithoutALength) {
  struct Case {
    int contentLength;
    int expected;
  };
  const Case cases[] = {{5, 5}, {1, 1}, {0, 10485760}, {-1, 10485760}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.contentLength);
    vxtest::RecordingProgress progress;
    CHttpDownload2FileSink sink(target(), &stopHolder_, &progress);
    ASSERT_TRUE(sink.onHttpRecvHeader(c.contentLength, 200));
    EXPECT_TRUE(sink.onHttpRecvData("abc", 3));
    EXPECT_TRUE(sink.onHttpRecvData("de", 2));
    sink.onHttpComplete();
    ASSERT_EQ(progress.calls.size(), 2u);
    EXPECT_EQ(progress.calls[0].length, 3);
    EXPECT_EQ(progress.calls[0].received, 3);
    EXPECT_EQ(progress.calls[1].received, 5);
    // More bytes than announced do not change the expected total.
    EXPECT_EQ(progress.calls[1].expected, c.expected);
    EXPECT_EQ(vxtest::readFile(target()), "abcde");
  }
}

TEST_F(DownloadSink, WritesWithoutAProgressSink) {
  CHttpDownload2FileSink sink(target(), &stopHolder_, nullptr);
  ASSERT_TRUE(sink.onHttpRecvHeader(-1, 200));
  EXPECT_TRUE(sink.onHttpRecvData("xyz", 3));
  sink.onHttpComplete();
  EXPECT_EQ(vxtest::readFile(target()), "xyz");
}

TEST_F(DownloadSink, RefusedProgressWritesNothing) {
  progress_.refuseAt = 0;
  CHttpDownload2FileSink sink(target(), &stopHolder_, &progress_);
  ASSERT_TRUE(sink.onHttpRecvHeader(3, 200));
  EXPECT_FALSE(sink.onHttpRecvData("abc", 3));
  sink.onHttpComplete();
  EXPECT_TRUE(targetExists());
  EXPECT_EQ(std::filesystem::file_size(target()), 0u);
}

TEST_F(DownloadSink, StopRequestEndsBeforeProgressAndWrite) {
  CHttpDownload2FileSink sink(target(), &stopHolder_, &progress_);
  ASSERT_TRUE(sink.onHttpRecvHeader(6, 200));
  EXPECT_TRUE(sink.onHttpRecvData("abc", 3));
  stopHolder_.requestStop();
  EXPECT_FALSE(sink.onHttpRecvData("def", 3));
  sink.onHttpComplete();
  EXPECT_EQ(progress_.calls.size(), 1u);
  EXPECT_EQ(vxtest::readFile(target()), "abc");
}

TEST_F(DownloadSink, FileThatCannotBeCreatedIsLogged) {
  CHttpDownload2FileSink sink(folder_.file(L"missing\\Vandorix.exe.tmp"), &stopHolder_, &progress_);
  EXPECT_FALSE(sink.onHttpRecvHeader(3, 200));
  EXPECT_TRUE(vxtest::hasLogLine(log_.lines(), kHeaderFunction,
                                 L"onHttpErro create file error  " + std::to_wstring(ERROR_PATH_NOT_FOUND)));
}

TEST_F(DownloadSink, ErrorIsLoggedWithStageAndCodeAndClosesTheFile) {
  CHttpDownload2FileSink sink(target(), &stopHolder_, &progress_);
  ASSERT_TRUE(sink.onHttpRecvHeader(3, 200));
  sink.onHttpError(HttpErrorStage::kSendRequest, ERROR_INTERNET_CANNOT_CONNECT);
  EXPECT_TRUE(vxtest::hasLogLine(log_.lines(), "utility::CHttpDownload2FileSink::onHttpError", L"onHttpErro 6, 12029"));
  // Closed: the file can be deleted at once.
  EXPECT_TRUE(::DeleteFileW(target().c_str()));
}

// Counts are 32-bit: the body that would pass 2 GiB is refused rather than
// wrapping the count. Zero pages written to the null device keep this cheap.
TEST_F(DownloadSink, BodyOf2GiBIsRefused) {
  constexpr int kChunk = 1 << 30;
  void* zeros = ::VirtualAlloc(nullptr, kChunk, MEM_RESERVE | MEM_COMMIT, PAGE_READONLY);
  ASSERT_NE(zeros, nullptr);
  CHttpDownload2FileSink sink(L"NUL", &stopHolder_, &progress_);
  ASSERT_TRUE(sink.onHttpRecvHeader(-1, 200));
  const char* bytes = static_cast<const char*>(zeros);
  EXPECT_TRUE(sink.onHttpRecvData(bytes, kChunk - 1));
  EXPECT_TRUE(sink.onHttpRecvData(bytes, kChunk));
  EXPECT_FALSE(sink.onHttpRecvData(bytes, 1));
  sink.onHttpComplete();
  ::VirtualFree(zeros, 0, MEM_RELEASE);
  ASSERT_EQ(progress_.calls.size(), 2u);
  EXPECT_EQ(progress_.calls[1].received, 0x7fffffff);
}

}  // namespace
