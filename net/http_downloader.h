#pragma once
// Downloads one URL into a file over the platform HTTP client, reporting
// progress before each chunk is written.

#include <optional>
#include <string>

#include "net/http_client.h"
#include "utility/task_thread.h"

namespace utility {

class CHttpDownloader {
 public:
  class IHttpDownloadSink {
   public:
    // Called before each chunk is written: the chunk, the bytes received so
    // far including it, and the expected total. False stops the download.
    virtual bool onProgress(const char* data, int length, int received, int expected) = 0;
    virtual ~IHttpDownloadSink() = default;
  };

  // options go to the client of every download.
  explicit CHttpDownloader(const HttpClientOptions& options = {});
  CHttpDownloader(const CHttpDownloader&) = delete;
  CHttpDownloader& operator=(const CHttpDownloader&) = delete;

  // Fetches url into filePath (created or truncated); true when the whole
  // body arrived with a 2xx status and was written. progressSink may be null.
  bool download(const std::wstring& url, const std::wstring& filePath, IHttpDownloadSink* progressSink);
  // Aborts: raises the stop flag and closes the session. Meant for the
  // thread that calls download(), between attempts.
  void cancel();

 private:
  CHttpClient client_;
  // Never started: it only holds the stop flag the file sink polls.
  std::optional<CTaskThread> stopHolder_;
};

}  // namespace utility
