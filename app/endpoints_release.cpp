// Shipping endpoints of the installer.
#include "app/endpoints.h"

namespace endpoints {
namespace {

// Traditional and simplified Chinese sites report to one property.
constexpr AnalyticsProperty kChineseProperty{L"G-NUHQ8D21IQ", L"xJyq9cDY8DjTcpeyOGPIqg"};

constexpr LanguageSite kSites[] = {
    {L"cn", L"http://cn.vandorix.com/", L"http://cn.vandorix.com/", kChineseProperty},
    {L"tw", L"https://tw.vandorix.com/", L"https://social.vandorix.com/VandorixTW", kChineseProperty},
    {L"kr",
     L"https://kr.vandorix.com/",
     L"https://forum.vandorix.com/kr/community",
     {L"G-1S4Z0XFV6I", L"V03d0WTibsReZQVaN5vE0R"}},
    {L"vn",
     L"https://vn.vandorix.com/",
     L"https://social.vandorix.com/VandorixVN",
     {L"G-ZDM47O83WC", L"P1zIrHMbArklhLTclybZFF"}},
    {L"th",
     L"https://th.vandorix.com/",
     L"https://social.vandorix.com/VandorixTH",
     {L"G-GIUVI8X14Y", L"txoXLNwJp_MJTxswWVCeBC"}},
    {L"ru",
     L"https://ru.vandorix.com/",
     L"https://ru-social.vandorix.com/vandorix_ru",
     {L"G-S3P2UUO2RH", L"yU9DlJlIAyY_Grw2h2huu3"}},
    {L"pt",
     L"https://pt.vandorix.com/",
     L"https://social.vandorix.com/VandorixPT",
     {L"G-R67Z32D38R", L"olqGLuYFcAAPG1qKaj8enb"}},
    {L"id",
     L"https://id.vandorix.com/",
     L"https://social.vandorix.com/VandorixID",
     {L"G-LWCQHO5QZK", L"jjxsy7TX8_waV-yTSTVX41"}},
    {L"es", L"https://es.vandorix.com/", nullptr, {L"G-CSWPBSBEAR", L"Xd-cISyKnDBYcdXLfMEO-S"}},
    {L"fr",
     L"https://fr.vandorix.com/",
     L"https://social.vandorix.com/VandorixFR",
     {L"G-PRHIQFWGZF", L"qD4pbR9MbVMi9WQI2-ucCR"}},
    {L"jp",
     L"https://jp.vandorix.com/",
     L"https://microblog.vandorix.com/vandorix_jp",
     {L"G-OL11LHYKSU", L"o4xGXWm1nwo1gS6AJ4fhLQ"}},
    {L"ar",
     L"https://ar.vandorix.com/",
     L"https://social.vandorix.com/VandorixArabic",
     {L"G-98PMBRY1BJ", L"x0NHfEJAk7erduOFmdzA6L"}},
    {L"fa",
     L"https://fa.vandorix.com/",
     L"https://social.vandorix.com/VandorixIR",
     {L"G-IGGRMS0YZG", L"UxWWSi-GH41iq37cB7SGOw"}},
    {L"de",
     L"https://de.vandorix.com/",
     L"https://social.vandorix.com/VandorixDE",
     {L"G-YJFBA9IVFL", L"if17VHkUBAwC0m_ge6xFGk"}},
};

}  // namespace

const wchar_t* const kPackageCdnBase = L"https://dl.vandorix.com";
const wchar_t* const kCollectorBase = L"https://collect.vandorix.com";
const wchar_t* const kLicencePageUrl = L"https://www.vandorix.com/legal/eula.html";
const wchar_t* const kBackupDownloadUrl =
    L"https://drive.vandorix.com/uc?id=LrgTl3nABxgqrvCKSkIi9lOhIbiouDLuV&export=download";
const wchar_t* const kCaBundleFileName = nullptr;
const std::span<const LanguageSite> kLanguageSites{kSites};
const LanguageSite kDefaultSite{L"",
                                L"https://www.vandorix.com/",
                                L"https://social.vandorix.com/Vandorix",
                                {L"G-TS0DWH321I", L"1EHriup5zB9ifSYTkScJMS"}};

}  // namespace endpoints
