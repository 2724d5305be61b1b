// Loopback endpoints of the end-to-end executable; the ports are listed in
// endpoints.h.
#include "app/endpoints.h"

namespace endpoints {
namespace {

constexpr AnalyticsProperty kChineseProperty{L"G-X3BO3BSF2R", L"k2ccl_Plf_osD6UP2QQNFP"};

constexpr LanguageSite kSites[] = {
    {L"cn", L"http://localhost:18445/cn/", L"http://localhost:18445/cn/", kChineseProperty},
    {L"tw", L"https://localhost:18445/tw/", L"https://localhost:18445/social/tw", kChineseProperty},
    {L"kr",
     L"https://localhost:18445/kr/",
     L"https://localhost:18445/forum/kr",
     {L"G-7RX2GSI1Q6", L"WHWCUUteRTD4VRRc5WHsCV"}},
    {L"vn",
     L"https://localhost:18445/vn/",
     L"https://localhost:18445/social/vn",
     {L"G-1INNQRJAX5", L"Q2ACQJiWf5E8NafiGL0A1U"}},
    {L"th",
     L"https://localhost:18445/th/",
     L"https://localhost:18445/social/th",
     {L"G-C8WUGM1ZIU", L"y6WvE3o4GA1oFEHrxs0uID"}},
    {L"ru",
     L"https://localhost:18445/ru/",
     L"https://localhost:18445/social-ru/ru",
     {L"G-L29CL034O4", L"VeBvbBdRPIX9kV40vvgUzR"}},
    {L"pt",
     L"https://localhost:18445/pt/",
     L"https://localhost:18445/social/pt",
     {L"G-Q1GB7YT09R", L"blL6BFgYyOeAOp7M7STpxx"}},
    {L"id",
     L"https://localhost:18445/id/",
     L"https://localhost:18445/social/id",
     {L"G-TD1YY5DI30", L"v32rjOjT55tZMXMvtnKuW1"}},
    {L"es", L"https://localhost:18445/es/", nullptr, {L"G-0YCMB23JN9", L"NgmjRZDgmDnXFueQr_uZK1"}},
    {L"fr",
     L"https://localhost:18445/fr/",
     L"https://localhost:18445/social/fr",
     {L"G-AA9V8IRPHF", L"TcutGX1HQ3VC5nOC_weOCe"}},
    {L"jp",
     L"https://localhost:18445/jp/",
     L"https://localhost:18445/microblog/jp",
     {L"G-QX0VUJEY3O", L"q9gidmVZplb433TGhEMITm"}},
    {L"ar",
     L"https://localhost:18445/ar/",
     L"https://localhost:18445/social/ar",
     {L"G-SP3QRGQ5AY", L"XDUKVXivEUDkxgAcfWy_3P"}},
    {L"fa",
     L"https://localhost:18445/fa/",
     L"https://localhost:18445/social/fa",
     {L"G-L6OEK83HY8", L"-MX8VLIgxYEZZy_zUDMvtu"}},
    {L"de",
     L"https://localhost:18445/de/",
     L"https://localhost:18445/social/de",
     {L"G-433F0DVNQX", L"RCLs8kPw5Ltp3p25Ajr6s3"}},
};

}  // namespace

const wchar_t* const kPackageCdnBase = L"https://localhost:18443";
const wchar_t* const kCollectorBase = L"https://localhost:18444";
const wchar_t* const kLicencePageUrl = L"https://localhost:18445/legal/eula.html";
const wchar_t* const kBackupDownloadUrl = L"https://localhost:18445/drive/uc?id=e2ePackageInstaller&export=download";
const wchar_t* const kCaBundleFileName = L"vx_e2e_ca.pem";
const std::span<const LanguageSite> kLanguageSites{kSites};
const LanguageSite kDefaultSite{L"",
                                L"https://localhost:18445/",
                                L"https://localhost:18445/social/",
                                {L"G-W0LZOWUNVQ", L"qW2TQS8mNhxJE_KJNPN8nj"}};

}  // namespace endpoints
