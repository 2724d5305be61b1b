#pragma once
// The client sink that writes a response body into a file, honours a stop
// flag and forwards progress.

#include <string>

#include "net/http_client.h"
#include "net/http_downloader.h"
#include "utility/file_writer.h"

namespace utility {

class CHttpDownload2FileSink : public CHttpClient::IHttpClientSink {
 public:
  // The expected total reported when the server sends no length.
  static constexpr int kUnknownLengthTotal = 10485760;

  // stopSource and progressSink are not owned; progressSink may be null.
  CHttpDownload2FileSink(const std::wstring& target,
                         const CTaskThread* stopSource,
                         CHttpDownloader::IHttpDownloadSink* progressSink);

  // Closes the file and logs the failing stage and code.
  void onHttpError(HttpErrorStage stage, unsigned long error) override;
  // Refuses a non-2xx status; otherwise creates the target file.
  bool onHttpRecvHeader(int contentLength, int status) override;
  // Reports progress, then writes the chunk; false on a stop or a short write.
  bool onHttpRecvData(const char* data, int length) override;
  // Closes the file.
  void onHttpComplete() override;

 private:
  CFileWriter file_;
  std::wstring target_;
  const CTaskThread* stopSource_;
  CHttpDownloader::IHttpDownloadSink* progressSink_;
  int received_ = 0;
  int expected_ = 0;
};

}  // namespace utility
