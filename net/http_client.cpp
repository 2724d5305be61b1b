#include "net/http_client.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "net/stall_rule.h"
#include "utility/log.h"

namespace utility {

namespace {

constexpr DWORD kHostCapacity = 256;
constexpr DWORD kBufferSize = 32768;

// Always fetch from the server and keep the package out of the web cache.
// No flag that relaxes certificate checks: the body is run as an installer.
// Redirects are followed by request() itself: Wine's WinINet follows a loop
// without end, and every hop must stay on https.
constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_AUTO_REDIRECT |
                                INTERNET_FLAG_CACHE_ASYNC | INTERNET_FLAG_TRANSFER_ASCII;

bool hasScheme(const std::wstring& url, const wchar_t* prefix) {
  const size_t length = std::wcslen(prefix);
  return url.size() >= length && ::_wcsnicmp(url.c_str(), prefix, length) == 0;
}

bool isSecureUrl(const std::wstring& url) { return hasScheme(url, L"https://"); }

bool isRedirect(DWORD status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The Location header, or empty when the response has none.
std::wstring queryLocation(HINTERNET request) {
  DWORD size = 0;
  if (::HttpQueryInfoW(request, HTTP_QUERY_LOCATION, nullptr, &size, nullptr) ||
      ::GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    return {};
  }
  std::wstring location(size / sizeof(wchar_t) + 1, L'\0');
  if (!::HttpQueryInfoW(request, HTTP_QUERY_LOCATION, location.data(), &size, nullptr)) return {};
  location.resize(size / sizeof(wchar_t));
  return location;
}

// location (absolute, or relative to base) as an absolute URL; empty when
// it cannot be resolved.
std::wstring resolveUrl(const std::wstring& base, const std::wstring& location) {
  std::wstring combined(INTERNET_MAX_URL_LENGTH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    DWORD length = static_cast<DWORD>(combined.size());
    if (::InternetCombineUrlW(base.c_str(), location.c_str(), combined.data(), &length, ICU_NO_ENCODE)) {
      combined.resize(length);
      return combined;
    }
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    combined.assign(length + 1, L'\0');
  }
  return {};
}

bool setTimeout(HINTERNET handle, DWORD option, DWORD ms) {
  return ::InternetSetOptionW(handle, option, &ms, sizeof(ms)) != FALSE;
}

// The Content-Length header, or -1 when the response has none.
long long queryContentLength(HINTERNET request) {
  DWORD length = 0;
  DWORD size = sizeof(length);
  if (!::HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, nullptr)) {
    return -1;
  }
  return length;
}

// Reads what has arrived, at most one buffer; read is 0 at the end of the
// body. A plain read would wait for a full buffer, so a slow server could
// not be measured until its body ended.
bool readChunk(HINTERNET request, char* buffer, DWORD& read) {
  DWORD available = 0;
  if (!::InternetQueryDataAvailable(request, &available, 0, 0)) return false;
  read = 0;
  return available == 0 || ::InternetReadFile(request, buffer, std::min(available, kBufferSize), &read);
}

// The sink sees sizes as 32-bit; larger lengths are reported as unknown.
int lengthForSink(long long declaredLength) {
  return declaredLength > 0x7fffffffLL ? -1 : static_cast<int>(declaredLength);
}

}  // namespace

CHttpClient::CHttpClient(const HttpClientOptions& options) : options_(options) {}

bool CHttpClient::open(const std::wstring& url, const std::wstring& headers, IHttpClientSink* sink) {
  sink_ = sink;
  if (!openSession() || !crackUrl(url)) return false;
  headers_ = headers;
  url_ = url;
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
  for (int redirects = 0;; ++redirects) {
    ScopedInternetHandle connection;
    ScopedInternetHandle request;
    unsigned long status = 0;
    if (!exchange(connection, request, status)) return false;
    // A redirect without a target is handed on like any other response.
    const std::wstring location = isRedirect(status) ? queryLocation(request.get()) : std::wstring();
    if (location.empty()) return receive(request.get(), status);
    if (redirects == kMaxRedirects) {
      writeLog("utility::CHttpClient::request", __LINE__, L"too many redirects, limit %d", kMaxRedirects);
      return false;
    }
    if (!follow(location)) return false;
  }
}

bool CHttpClient::exchange(ScopedInternetHandle& connection, ScopedInternetHandle& request, unsigned long& status) {
  connection.reset(
      ::InternetConnectW(session_.get(), host_.c_str(), port_, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 1));
  if (!connection) {
    reportError(HttpErrorStage::kConnect);
    return false;
  }
  if (!sendRequest(connection.get(), request)) return false;
  DWORD code = 0;
  DWORD size = sizeof(code);
  if (!::HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &size, nullptr)) {
    reportError(HttpErrorStage::kQueryStatus);
    return false;
  }
  status = code;
  return true;
}

bool CHttpClient::follow(const std::wstring& location) {
  const std::wstring target = resolveUrl(url_, location);
  const bool allowed = isSecureUrl(target) || (options_.plainHttpRedirects && hasScheme(target, L"http://"));
  if (!allowed) {
    writeLog("utility::CHttpClient::request", __LINE__, L"redirect refused, not https: %s", location.c_str());
    return false;
  }
  if (!crackUrl(target)) return false;
  url_ = target;
  secure_ = isSecureUrl(target);
  return true;
}

bool CHttpClient::receive(HINTERNET request, unsigned long status) {
  const long long declaredLength = queryContentLength(request);
  if (sink_ != nullptr && !sink_->onHttpRecvHeader(lengthForSink(declaredLength), static_cast<int>(status))) {
    return false;
  }
  return readBody(request, declaredLength);
}

bool CHttpClient::sendRequest(HINTERNET connection, ScopedInternetHandle& request) {
  const wchar_t* acceptTypes[] = {L"*/*", nullptr};
  const DWORD flags = kRequestFlags | (secure_ ? INTERNET_FLAG_SECURE : 0);
  request.reset(::HttpOpenRequestW(connection, L"GET", path_.c_str(), L"HTTP/1.1", nullptr, acceptTypes, flags, 1));
  if (!request || !setTimeouts(request.get()) ||
      !::HttpSendRequestW(request.get(), headers_.c_str(), static_cast<DWORD>(headers_.size()), nullptr, 0)) {
    reportError(HttpErrorStage::kSendRequest);
    return false;
  }
  return true;
}

// Set on the request itself: Wine's WinINet does not pass a session's
// time-outs on to its requests.
bool CHttpClient::setTimeouts(HINTERNET request) const {
  return setTimeout(request, INTERNET_OPTION_CONNECT_TIMEOUT, options_.silenceLimitMs) &&
         setTimeout(request, INTERNET_OPTION_SEND_TIMEOUT, options_.silenceLimitMs) &&
         setTimeout(request, INTERNET_OPTION_RECEIVE_TIMEOUT, options_.silenceLimitMs);
}

bool CHttpClient::readBody(HINTERNET request, long long declaredLength) {
  std::vector<char> buffer(kBufferSize);
  long long total = 0;
  StallRule stall(::GetTickCount64(), options_.stallWindowMs, options_.minBytesPerSecond);
  for (;;) {
    DWORD read = 0;
    if (!readChunk(request, buffer.data(), read)) {
      writeLog("utility::CHttpClient::request", __LINE__, L"read failed after %lld bytes, lastError = %d", total,
               static_cast<int>(::GetLastError()));
      return false;
    }
    if (read == 0) break;
    total += read;
    if (!stall.keepsUp(::GetTickCount64(), read)) {
      writeLog("utility::CHttpClient::request", __LINE__, L"too slow after %lld bytes, below %lu bytes/s for %lu ms",
               total, options_.minBytesPerSecond, options_.stallWindowMs);
      return false;
    }
    if (sink_ != nullptr && !sink_->onHttpRecvData(buffer.data(), static_cast<int>(read))) {
      return false;
    }
  }
  // A connection closed early looks like the end of the body: a cut-off
  // installer must not count as a download.
  if (declaredLength >= 0 && total != declaredLength) {
    writeLog("utility::CHttpClient::request", __LINE__, L"body ended after %lld of %lld bytes", total, declaredLength);
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
