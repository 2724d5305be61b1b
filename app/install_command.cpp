#include "app/install_command.h"

namespace install_command {

std::wstring installerArguments(const std::wstring& channelId, const std::wstring& langCode,
                                const std::wstring& installPath) {
  return L"-silence -downloader -openid=" + channelId + L" -language=" + langCode + L" -path=\"" +
         installPath + L"\"";
}

std::wstring productArguments(const std::wstring& package) {
  if (package.empty()) return std::wstring();
  return L"downloadpackage=" + package + L"|package=" + package;
}

std::wstring killArguments(const std::wstring& imageName) { return L"/F /IM " + imageName + L" /T"; }

std::wstring installErrorLabel(const std::wstring& channelId, const std::wstring& reason) {
  return channelId + L"_" + reason;
}

unsigned roundedElapsedSeconds(unsigned elapsedMs) { return (elapsedMs / 1000 + 29) / 30 * 30; }

}  // namespace install_command
