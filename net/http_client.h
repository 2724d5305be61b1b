#pragma once
// A small synchronous HTTP GET client over WinINet that streams the response
// body to a sink. One request at a time; every call blocks its thread.

#include <string>

#include "net/internet_handle.h"

namespace utility {

// The step that failed before any body arrived, as reported to the sink.
enum class HttpErrorStage : int {
  kOpen = 0,         // InternetOpenW
  kCrackUrl = 1,     // InternetCrackUrlW
  kConnect = 2,      // InternetConnectW
  kSendRequest = 6,  // HttpOpenRequestW, its time-outs or HttpSendRequestW (name, connect, TLS)
  kQueryStatus = 7,  // HttpQueryInfoW of the status code
};

// Limits and allowances of one client. The defaults are the shipping
// values; tests shorten the limits and allow plain http.
struct HttpClientOptions {
  // How long a connection may stay silent: bounds the connect, each send and
  // each receive, since a stalled server would otherwise hold the download
  // for ever.
  unsigned long silenceLimitMs = 30000;
  // A body that stays below minBytesPerSecond for stallWindowMs fails: a
  // server that sends a byte now and then never trips the silence limit.
  unsigned long stallWindowMs = 60000;
  unsigned long minBytesPerSecond = 1024;
  // Lets a redirect lead to plain http. Tests only: the loopback server
  // speaks http.
  bool plainHttpRedirects = false;
};

class CHttpClient {
 public:
  class IHttpClientSink {
   public:
    // A step before the body failed; error is its GetLastError.
    virtual void onHttpError(HttpErrorStage stage, unsigned long error) = 0;
    // Headers arrived; contentLength is -1 when unknown. False stops the request.
    virtual bool onHttpRecvHeader(int contentLength, int status) = 0;
    // One chunk of the body. False stops the request.
    virtual bool onHttpRecvData(const char* data, int length) = 0;
    // The whole body was received.
    virtual void onHttpComplete() = 0;
    virtual ~IHttpClientSink() = default;
  };

  // Redirects followed per request; one more fails the request.
  static constexpr int kMaxRedirects = 5;

  explicit CHttpClient(const HttpClientOptions& options = {});
  CHttpClient(const CHttpClient&) = delete;
  CHttpClient& operator=(const CHttpClient&) = delete;

  // Starts a session and takes url apart; sink (not owned, may be null)
  // receives this request's events. False after reporting the failure.
  bool open(const std::wstring& url, const std::wstring& headers, IHttpClientSink* sink);
  // Performs the GET, following up to kMaxRedirects redirects to https, and
  // streams the final response; true when the whole body was received and
  // the sink accepted every part of it.
  bool request();
  // Closes the session if open; safe to call repeatedly.
  void close();

 private:
  bool openSession();
  bool crackUrl(const std::wstring& url);
  bool exchange(ScopedInternetHandle& connection, ScopedInternetHandle& request, unsigned long& status);
  bool sendRequest(HINTERNET connection, ScopedInternetHandle& request);
  bool follow(const std::wstring& location);
  bool receive(HINTERNET request, unsigned long status);
  bool setTimeouts(HINTERNET request) const;
  bool readBody(HINTERNET request, long long declaredLength);
  void reportError(HttpErrorStage stage);

  HttpClientOptions options_;
  ScopedInternetHandle session_;
  std::wstring url_;
  std::wstring host_;
  unsigned short port_ = 0;
  std::wstring path_;
  std::wstring headers_;
  bool secure_ = false;
  IHttpClientSink* sink_ = nullptr;
};

}  // namespace utility
