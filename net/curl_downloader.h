#pragma once
// The program's two uses of libcurl's easy interface: a download into a
// file with a throttled percent callback, and a JSON POST that returns the
// response body. No state of its own: every call creates and cleans up its
// own easy handle, so calls on different threads do not interfere.
// curl_global_init must have run once for the process.

#include <functional>
#include <string>
#include <vector>

class CCurlDownloader {
 public:
  // Fetches url (ANSI) into destination, created afresh; percent receives
  // 0..99 on the transfer's thread at most about once a second. True only
  // when the transfer completed with a 2xx final status; a partial file or
  // an error page stays on disk.
  static bool downloadFile(const std::wstring& destination, const std::string& url, std::function<void(int)> percent);
  // POSTs body (ANSI, sent as UTF-8 JSON) to url with extraHeaders after the
  // JSON content type. True when the transfer completed with a 2xx status;
  // response then holds exactly the response bytes, else it is unchanged.
  static bool postRequest(const std::string& body,
                          std::string& response,
                          const std::string& url,
                          const std::vector<std::string>& extraHeaders);
};
