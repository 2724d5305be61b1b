#include "net/curl_downloader.h"

#include <windows.h>
#include <curl/curl.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "net/curl_settings.h"
#include "net/download_percent.h"
#include "utility/log.h"
#include "utility/scoped_handle.h"
#include "utility/text.h"

namespace {

constexpr char kJsonContentType[] = "Content-Type:application/json;charset=UTF-8";
constexpr long kMaxRedirects = 5;
constexpr long kPostConnectTimeoutMs = 8000;
constexpr DWORD kProgressIntervalMs = 1000;

struct EasyHandleTraits {
  using Handle = CURL*;
  static Handle invalid() { return nullptr; }
  static bool isValid(Handle h) { return h != nullptr; }
  static void close(Handle h) { curl_easy_cleanup(h); }
};
using ScopedEasyHandle = utility::ScopedGeneric<EasyHandleTraits>;

struct HeaderListTraits {
  using Handle = curl_slist*;
  static Handle invalid() { return nullptr; }
  static bool isValid(Handle h) { return h != nullptr; }
  static void close(Handle h) { curl_slist_free_all(h); }
};
using ScopedHeaderList = utility::ScopedGeneric<HeaderListTraits>;

struct ProgressContext {
  DWORD lastTick = 0;
  std::function<void(int)> percent;
};

struct ResponseBuffer {
  char* data = nullptr;
  uint32_t size = 0;
  ~ResponseBuffer() { std::free(data); }
};

size_t writeFileCallback(char* bytes, size_t size, size_t count, void* fileHandle) {
  const size_t total = size * count;
  if (total > MAXDWORD) return 0;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(*static_cast<HANDLE*>(fileHandle), bytes, static_cast<DWORD>(total), &written, nullptr);
  return ok && written == total ? total : 0;
}

int progressCallback(void* context, curl_off_t totalDown, curl_off_t downloaded, curl_off_t, curl_off_t) {
  if (totalDown == 0) return 0;  // total not known (yet)
  auto* progress = static_cast<ProgressContext*>(context);
  const int percent = downloadPercent(downloaded, totalDown);
  const DWORD now = ::GetTickCount();
  if (now - progress->lastTick > kProgressIntervalMs) {
    progress->lastTick = now;
    if (progress->percent) progress->percent(percent);
  }
  return 0;
}

size_t WriteMemoryCallbackPost(char* bytes, size_t size, size_t count, void* buffer) {
  auto* response = static_cast<ResponseBuffer*>(buffer);
  const size_t n = size * count;
  const uint64_t wanted = static_cast<uint64_t>(response->size) + n;
  void* grown = wanted > UINT32_MAX ? nullptr : std::realloc(response->data, wanted == 0 ? 1 : wanted);
  if (grown == nullptr) {
    writeLog("CCurlDownloader::WriteMemoryCallbackPost", __LINE__, L"memory error %d",
             static_cast<int>(::GetLastError()));
    return 0;
  }
  response->data = static_cast<char*>(grown);
  std::memcpy(response->data + response->size, bytes, n);
  response->size += static_cast<uint32_t>(n);
  return n;
}

// True for a 2xx final status; otherwise logs it: an error page must never
// pass for the file or answer that was asked for.
bool finalStatusOk(CURL* handle, const char* functionName) {
  long status = 0;
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
  if (status >= 200 && status <= 299) return true;
  writeLog(functionName, __LINE__, L"http status error %d", static_cast<int>(status));
  return false;
}

// The numeric result beside libcurl's text, so that support can match a log
// line to the exact failure.
void logResultCode(const char* functionName, CURLcode result) {
  writeLog(functionName, __LINE__, L"curl result %d", static_cast<int>(result));
}

void setDownloadOptions(CURL* handle, HANDLE* file, ProgressContext* progress, const std::string& url) {
  CCurlSettings::applyCommon(handle);
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, writeFileCallback);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, file);
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  const curl_off_t cap = CCurlSettings::transferLimits().maxRecvBytesPerSecond;
  if (cap > 0) curl_easy_setopt(handle, CURLOPT_MAX_RECV_SPEED_LARGE, cap);
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(handle, CURLOPT_XFERINFODATA, progress);
  curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, progressCallback);
  curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
}

void setPostOptions(CURL* handle,
                    ResponseBuffer* response,
                    curl_slist* headers,
                    const std::string& body,
                    const std::string& url) {
  CCurlSettings::applyCommon(handle);
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, WriteMemoryCallbackPost);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, response);
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(handle, CURLOPT_POST, 1L);
  curl_easy_setopt(handle, CURLOPT_POSTFIELDS, body.c_str());
  curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, kPostConnectTimeoutMs);
  curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
}

}  // namespace

bool CCurlDownloader::downloadFile(const std::wstring& destination,
                                   const std::string& url,
                                   std::function<void(int)> percent) {
  writeLog("CCurlDownloader::downloadFile", __LINE__, L"downloadfile start");
  ScopedEasyHandle handle(curl_easy_init());
  if (!handle) {
    writeLog("CCurlDownloader::downloadFile", __LINE__, L"init error");
    return false;
  }
  utility::ScopedHandle file(::CreateFileW(destination.c_str(), GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    writeLog("CCurlDownloader::downloadFile", __LINE__, L"open file error: %s. %d", destination.c_str(),
             static_cast<int>(::GetLastError()));
    return false;
  }
  HANDLE fileHandle = file.get();
  ProgressContext progress{0, std::move(percent)};
  setDownloadOptions(handle.get(), &fileHandle, &progress, url);
  const CURLcode result = curl_easy_perform(handle.get());
  file.reset();
  if (result != CURLE_OK) {
    const char* reason = curl_easy_strerror(result);
    writeLog("CCurlDownloader::downloadFile", __LINE__, L"download error %s",
             utility::text::utf8ToWide(reason).c_str());
    writeLog("CCurlDownloader::downloadFile", __LINE__, L"download file error %s",
             utility::text::ansiToWide(reason).c_str());
    logResultCode("CCurlDownloader::downloadFile", result);
    return false;
  }
  if (!finalStatusOk(handle.get(), "CCurlDownloader::downloadFile")) return false;
  writeLog("CCurlDownloader::downloadFile", __LINE__, L"download  file sucess");
  return true;
}

bool CCurlDownloader::postRequest(const std::string& body,
                                  std::string& response,
                                  const std::string& url,
                                  const std::vector<std::string>& extraHeaders) {
  writeLog("CCurlDownloader::postRequest", __LINE__, L"post start");
  ScopedEasyHandle handle(curl_easy_init());
  if (!handle) {
    writeLog("CCurlDownloader::postRequest", __LINE__, L"init error");
    return false;
  }
  const std::string utf8Body = utility::text::ansiToUtf8(body);
  // Appending keeps the list's head, so the owner stays valid.
  ScopedHeaderList headers(curl_slist_append(nullptr, kJsonContentType));
  for (const std::string& extra : extraHeaders) {
    if (headers) curl_slist_append(headers.get(), extra.c_str());
  }
  ResponseBuffer received;
  setPostOptions(handle.get(), &received, headers.get(), utf8Body, url);
  const CURLcode result = curl_easy_perform(handle.get());
  if (result != CURLE_OK) {
    writeLog("CCurlDownloader::postRequest", __LINE__, L"download error %s",
             utility::text::ansiToWide(curl_easy_strerror(result)).c_str());
    logResultCode("CCurlDownloader::postRequest", result);
    return false;
  }
  if (!finalStatusOk(handle.get(), "CCurlDownloader::postRequest")) return false;
  writeLog("CCurlDownloader::postRequest", __LINE__, L"download sucess %d", static_cast<int>(received.size));
  response.assign(received.data == nullptr ? "" : received.data, received.size);
  return true;
}
