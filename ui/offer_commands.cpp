#include "ui/offer_commands.h"

#include <cwchar>

namespace offer {
namespace {

// "%d" of the module's protocol: signed decimal.
std::wstring Decimal(int value) { return std::to_wstring(value); }

// The leading decimal integer of text as wcstol reads it; 0 when none.
long LeadingNumber(const std::wstring& text) { return std::wcstol(text.c_str(), nullptr, 10); }

}  // namespace

std::wstring ChannelName(const std::wstring& channelId) {
  const long id = LeadingNumber(channelId);
  return id >= 750 && id <= 2250 ? L"buy" : L"normal";
}

std::wstring StartText(const std::wstring& locale, const std::wstring& channel) {
  return L"{\"local\":\"" + locale + L"\",\"channel\":\"" + channel + L"\"}";
}

std::wstring BlockingText() { return L"{\"blocking\":\"true\"}"; }

std::wstring WindowText(int window, int x, int y, int width, int height) {
  return L"{\"wnd\":\"" + Decimal(window) + L"\", \"backgroundColor\":\"#FF0e0e0e" + L"\", \"x\":\"" + Decimal(x) +
         L"\", \"y\":\"" + Decimal(y) + L"\", \"width\":\"" + Decimal(width) + L"\", \"height\":\"" + Decimal(height) +
         L"\"}";
}

std::wstring ButtonsText(int acceptWindow, int declineWindow) {
  return L"{\"acceptBtnWnd\":\"" + Decimal(acceptWindow) + L"\", \"declineBtnWnd\":\"" + Decimal(declineWindow) +
         L"\"}";
}

std::wstring ReleaseText(bool force) { return force ? L"{\"force\":\"true\"}" : L""; }

}  // namespace offer
