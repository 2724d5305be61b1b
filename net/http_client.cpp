#include "net/http_client.h"

#include <cwchar>
#include <vector>

#include "utility/log.h"

namespace utility {

namespace {

constexpr DWORD kHostCapacity = 256;
constexpr DWORD kBufferSize = 32768;

// Always fetch from the server and keep the package out of the web cache.
// No flag that relaxes certificate checks: the body is run as an installer.
constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                INTERNET_FLAG_CACHE_ASYNC | INTERNET_FLAG_TRANSFER_ASCII;

bool isSecureUrl(const std::wstring& url) {
  return url.size() >= 8 && ::_wcsnicmp(url.c_str(), L"https://", 8) == 0;
}

bool setTimeout(HINTERNET handle, DWORD option, DWORD ms) {
  return ::InternetSetOptionW(handle, option, &ms, sizeof(ms)) != FALSE;
}

// The Content-Length header, or -1 when the response has none.
long long queryContentLength(HINTERNET request) {
  DWORD length = 0;
  DWORD size = sizeof(length);
  if (!::HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length,
                        &size, nullptr)) {
    return -1;
  }
  return length;
}

// The sink sees sizes as 32-bit; larger lengths are reported as unknown.
int lengthForSink(long long declaredLength) {
  return declaredLength > 0x7fffffffLL ? -1 : static_cast<int>(declaredLength);
}

}  // namespace

CHttpClient::CHttpClient(unsigned long stallLimitMs) : stallLimitMs_(stallLimitMs) {}

bool CHttpClient::open(const std::wstring& url, const std::wstring& headers,
                       IHttpClientSink* sink) {
  sink_ = sink;
  if (!openSession() || !crackUrl(url)) return false;
  headers_ = headers;
  secure_ = isSecureUrl(url);
  return true;
}

bool CHttpClient::openSession() {
  // Closed first, so that closing cannot change the error of the open.
  session_.reset();
  session_.reset(::InternetOpenW(L"", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session_) {
    reportError(HttpErrorStage::kOpen);
    return false;
  }
  return true;
}

bool CHttpClient::crackUrl(const std::wstring& url) {
  wchar_t host[kHostCapacity] = {};
  URL_COMPONENTSW parts = {};
  parts.dwStructSize = sizeof(parts);
  parts.lpszHostName = host;
  parts.dwHostNameLength = kHostCapacity;
  parts.dwUrlPathLength = 1;  // asks for a pointer into url
  if (!::InternetCrackUrlW(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) {
    reportError(HttpErrorStage::kCrackUrl);
    return false;
  }
  host_.assign(host, parts.dwHostNameLength);
  port_ = parts.nPort;
  // The rest of the URL, query and fragment included.
  path_ = parts.lpszUrlPath != nullptr ? std::wstring(parts.lpszUrlPath) : std::wstring();
  return true;
}

bool CHttpClient::request() {
  ScopedInternetHandle connection(::InternetConnectW(session_.get(), host_.c_str(), port_, nullptr,
                                                     nullptr, INTERNET_SERVICE_HTTP, 0, 1));
  if (!connection) {
    reportError(HttpErrorStage::kConnect);
    return false;
  }
  ScopedInternetHandle request;
  if (!sendRequest(connection.get(), request)) return false;

  DWORD status = 0;
  DWORD size = sizeof(status);
  if (!::HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                        &size, nullptr)) {
    reportError(HttpErrorStage::kQueryStatus);
    return false;
  }
  const long long declaredLength = queryContentLength(request.get());
  if (sink_ != nullptr &&
      !sink_->onHttpRecvHeader(lengthForSink(declaredLength), static_cast<int>(status))) {
    return false;
  }
  return readBody(request.get(), declaredLength);
}

bool CHttpClient::sendRequest(HINTERNET connection, ScopedInternetHandle& request) {
  const wchar_t* acceptTypes[] = {L"*/*", nullptr};
  const DWORD flags = kRequestFlags | (secure_ ? INTERNET_FLAG_SECURE : 0);
  request.reset(::HttpOpenRequestW(connection, L"GET", path_.c_str(), L"HTTP/1.1", nullptr,
                                   acceptTypes, flags, 1));
  if (!request || !setTimeouts(request.get()) || !::HttpSendRequestW(request.get(), headers_.c_str(),
                                      static_cast<DWORD>(headers_.size()), nullptr, 0)) {
    reportError(HttpErrorStage::kSendRequest);
    return false;
  }
  return true;
}

// Set on the request itself: Wine's WinINet does not pass a session's
// time-outs on to its requests.
bool CHttpClient::setTimeouts(HINTERNET request) const {
  return setTimeout(request, INTERNET_OPTION_CONNECT_TIMEOUT, stallLimitMs_) &&
         setTimeout(request, INTERNET_OPTION_SEND_TIMEOUT, stallLimitMs_) &&
         setTimeout(request, INTERNET_OPTION_RECEIVE_TIMEOUT, stallLimitMs_);
}

bool CHttpClient::readBody(HINTERNET request, long long declaredLength) {
  std::vector<char> buffer(kBufferSize);
  long long total = 0;
  for (;;) {
    DWORD read = 0;
    if (!::InternetReadFile(request, buffer.data(), kBufferSize, &read)) {
      writeLog("utility::CHttpClient::request", __LINE__, L"read failed after %lld bytes, lastError = %d",
               total, static_cast<int>(::GetLastError()));
      return false;
    }
    if (read == 0) break;
    total += read;
    if (sink_ != nullptr && !sink_->onHttpRecvData(buffer.data(), static_cast<int>(read))) {
      return false;
    }
  }
  // A connection closed early looks like the end of the body: a cut-off
  // installer must not count as a download.
  if (declaredLength >= 0 && total != declaredLength) {
    writeLog("utility::CHttpClient::request", __LINE__, L"body ended after %lld of %lld bytes",
             total, declaredLength);
    return false;
  }
  if (sink_ != nullptr) sink_->onHttpComplete();
  return true;
}

void CHttpClient::close() { session_.reset(); }

void CHttpClient::reportError(HttpErrorStage stage) {
  const DWORD error = ::GetLastError();
  if (sink_ != nullptr) sink_->onHttpError(stage, error);
}

}  // namespace utility
