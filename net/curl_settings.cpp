#include "net/curl_settings.h"

#include <mutex>

namespace {

struct Settings {
  std::mutex lock;
  std::string caBundle;
  bool plainHttpAllowed = false;
  CurlTransferLimits limits;
};

Settings& settings() {
  static Settings* instance = new Settings;  // never deleted: transfers may run at exit
  return *instance;
}

}  // namespace

void CCurlSettings::setCaBundle(const std::string& path) {
  std::lock_guard guard(settings().lock);
  settings().caBundle = path;
}

void CCurlSettings::setPlainHttpAllowed(bool allowed) {
  std::lock_guard guard(settings().lock);
  settings().plainHttpAllowed = allowed;
}

void CCurlSettings::setTransferLimits(const CurlTransferLimits& limits) {
  std::lock_guard guard(settings().lock);
  settings().limits = limits;
}

CurlTransferLimits CCurlSettings::transferLimits() {
  std::lock_guard guard(settings().lock);
  return settings().limits;
}

void CCurlSettings::applyCommon(CURL* handle) {
  std::lock_guard guard(settings().lock);
  // This program runs what it downloads with administrator rights: the
  // server must prove who it is, and no redirect may lead away from TLS.
  const char* protocols = settings().plainHttpAllowed ? "http,https" : "https";
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, protocols);
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, protocols);
  curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!settings().caBundle.empty()) {
    // libcurl copies the string.
    curl_easy_setopt(handle, CURLOPT_CAINFO, settings().caBundle.c_str());
  }
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, settings().limits.minBytesPerSecond);
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, settings().limits.stallSeconds);
  curl_easy_setopt(handle, CURLOPT_FORBID_REUSE, 1L);
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
}
