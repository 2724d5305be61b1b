#include "net/http_downloader.h"

#include "net/http_download_sink.h"

namespace utility {

namespace {

// Sent unchanged with the GET, which carries no body.
constexpr wchar_t kRequestHeaders[] = L"Content-Type: application/x-www-form-urlencoded";

}  // namespace

CHttpDownloader::CHttpDownloader(const HttpClientOptions& options) : client_(options) { stopHolder_.emplace(); }

bool CHttpDownloader::download(const std::wstring& url, const std::wstring& filePath, IHttpDownloadSink* progressSink) {
  client_.close();
  // A fresh holder: a stop left by an earlier cancel() must not end this one.
  stopHolder_.emplace();
  CHttpDownload2FileSink sink(filePath, &*stopHolder_, progressSink);
  const bool result = client_.open(url, kRequestHeaders, &sink) && client_.request();
  client_.close();
  sink.onHttpComplete();
  return result;
}

void CHttpDownloader::cancel() {
  stopHolder_->requestStop();
  client_.close();
  stopHolder_->stop(2000);
}

}  // namespace utility
