#pragma once
// Options every libcurl transfer of the program shares: TLS verification,
// the stall limit, the receive-speed cap, no signals. Process-wide; the
// setters exist for tests, the end-to-end build and benchmarks, and are
// called before any transfer starts.

#include <curl/curl.h>

#include <string>

struct CurlTransferLimits {
  // Receive cap of a download in bytes per second; 0 lifts it.
  curl_off_t maxRecvBytesPerSecond = 20 * 1024 * 1024;
  // A transfer that stays below minBytesPerSecond for stallSeconds fails
  // instead of hanging for ever on a server that sends a byte now and then.
  long stallSeconds = 60;
  long minBytesPerSecond = 1024;
};

class CCurlSettings {
 public:
  // PEM file of the CA that libcurl then checks the chain and host name
  // against, instead of leaving trust to the Windows store. Empty restores
  // the store. Tests and the end-to-end build only.
  static void setCaBundle(const std::string& path);
  // Lets the first request and redirects use plain http besides https.
  // Tests and benchmarks only: their loopback server speaks http.
  static void setPlainHttpAllowed(bool allowed);
  // Replaces the limits. Tests and benchmarks only.
  static void setTransferLimits(const CurlTransferLimits& limits);
  // The limits in force.
  static CurlTransferLimits transferLimits();
  // Sets the shared options on handle: https only (first request and
  // redirects), peer and host verification, the CA file if one was given,
  // the stall limit, no signals, no connection reuse.
  static void applyCommon(CURL* handle);
};
