#include "net/http_download_sink.h"

#include <windows.h>

#include <climits>

#include "utility/log.h"

namespace utility {

CHttpDownload2FileSink::CHttpDownload2FileSink(const std::wstring& target,
                                               const CTaskThread* stopSource,
                                               CHttpDownloader::IHttpDownloadSink* progressSink)
    : target_(target), stopSource_(stopSource), progressSink_(progressSink) {}

void CHttpDownload2FileSink::onHttpError(HttpErrorStage stage, unsigned long error) {
  file_.close();
  writeLog("utility::CHttpDownload2FileSink::onHttpError", __LINE__, L"onHttpErro %d, %d", static_cast<int>(stage),
           static_cast<int>(error));
}

bool CHttpDownload2FileSink::onHttpRecvHeader(int contentLength, int status) {
  if (status < 200 || status > 299) {
    writeLog("utility::CHttpDownload2FileSink::onHttpRecvHeader", __LINE__, L"onHttpErro status = %d", status);
    return false;
  }
  expected_ = contentLength > 0 ? contentLength : kUnknownLengthTotal;
  received_ = 0;
  if (!file_.open(target_)) {
    writeLog("utility::CHttpDownload2FileSink::onHttpRecvHeader", __LINE__, L"onHttpErro create file error  %d",
             static_cast<int>(::GetLastError()));
    return false;
  }
  return true;
}

bool CHttpDownload2FileSink::onHttpRecvData(const char* data, int length) {
  if (stopSource_ != nullptr && stopSource_->isStopRequested()) return false;
  // Counts are 32-bit: a body of 2 GiB or more is refused, not wrapped.
  if (length > INT_MAX - received_) {
    writeLog("utility::CHttpDownload2FileSink::onHttpRecvData", __LINE__, L"body larger than %d bytes refused",
             INT_MAX);
    return false;
  }
  received_ += length;
  if (progressSink_ != nullptr && !progressSink_->onProgress(data, length, received_, expected_)) {
    return false;
  }
  return file_.write(data, static_cast<unsigned long>(length));
}

void CHttpDownload2FileSink::onHttpComplete() { file_.close(); }

}  // namespace utility
