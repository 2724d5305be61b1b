#pragma once
// Sinks that record what the platform HTTP client and downloader report, and
// a check of the log lines captured meanwhile.

#include <string>
#include <vector>

#include "net/http_client.h"
#include "net/http_downloader.h"

namespace vxtest {

struct ClientError {
  utility::HttpErrorStage stage;
  unsigned long code;
};

// Records every client event; refuses the body after refuseAfterChunks chunks
// when that is not negative.
class RecordingClientSink : public utility::CHttpClient::IHttpClientSink {
 public:
  void onHttpError(utility::HttpErrorStage stage, unsigned long error) override { errors.push_back({stage, error}); }
  bool onHttpRecvHeader(int contentLength, int status) override {
    length = contentLength;
    this->status = status;
    ++headers;
    return true;
  }
  bool onHttpRecvData(const char* data, int count) override {
    if (refuseAfterChunks >= 0 && chunks == refuseAfterChunks) return false;
    body.append(data, static_cast<size_t>(count));
    ++chunks;
    return true;
  }
  void onHttpComplete() override { ++completes; }

  std::vector<ClientError> errors;
  int length = 0;
  int status = 0;
  int headers = 0;
  int chunks = 0;
  int completes = 0;
  int refuseAfterChunks = -1;
  std::string body;
};

struct ProgressCall {
  int length;
  int received;
  int expected;
};

// Records each progress report; answers false from call number refuseAt
// (counting from 0) on when that is not negative.
class RecordingProgress : public utility::CHttpDownloader::IHttpDownloadSink {
 public:
  bool onProgress(const char*, int length, int received, int expected) override {
    if (refuseAt >= 0 && static_cast<int>(calls.size()) >= refuseAt) return false;
    calls.push_back({length, received, expected});
    return true;
  }

  std::vector<ProgressCall> calls;
  int refuseAt = -1;
};

// True when lines (from vxtest::LogCapture::lines) hold exactly function's text.
inline bool hasLogLine(const std::vector<std::wstring>& lines, const std::string& function, const std::wstring& text) {
  const std::wstring wanted = std::wstring(function.begin(), function.end()) + L": " + text;
  for (const std::wstring& line : lines) {
    if (line == wanted) return true;
  }
  return false;
}

}  // namespace vxtest
