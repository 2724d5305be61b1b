#pragma once
// Compiled-in network addresses and analytics properties. Two translation
// units define them with the same shape and an executable links exactly one:
//   endpoints_release.cpp (library vx_endpoints_release) - the shipping values;
//   endpoints_e2e.cpp     (library vx_endpoints_e2e)     - loopback values for
//     the end-to-end executable and its test servers:
//       package CDN          https://localhost:18443
//       analytics collector  https://localhost:18444
//       web pages            https://localhost:18445 (http for the "cn" home site);
//                            opened in a browser only, no test serves them.

#include <span>

namespace endpoints {

// One measurement-protocol property: "G-" + 10 upper-case letters/digits,
// and 22 characters of the URL-safe base64 alphabet.
struct AnalyticsProperty {
  const wchar_t* measurementId;
  const wchar_t* apiSecret;
};

// The web pages and analytics property of one site language. A null social
// page means the default row's social page.
struct LanguageSite {
  const wchar_t* language;
  const wchar_t* homepage;
  const wchar_t* socialPage;
  AnalyticsProperty analytics;
};

// Scheme and host (and port) of the package CDN, without a trailing "/".
extern const wchar_t* const kPackageCdnBase;
// Scheme and host (and port) of the analytics collector, without a trailing "/".
extern const wchar_t* const kCollectorBase;
// The licence terms, one page for every language.
extern const wchar_t* const kLicencePageUrl;
// Browser download of the package installer from a cloud drive.
extern const wchar_t* const kBackupDownloadUrl;
// The CA file beside the program that libcurl trusts, or null to leave
// trust to the system (the shipping value).
extern const wchar_t* const kCaBundleFileName;
// The rows keyed by site language; each language appears once.
extern const std::span<const LanguageSite> kLanguageSites;
// The row of every language without one of its own.
extern const LanguageSite kDefaultSite;

}  // namespace endpoints
