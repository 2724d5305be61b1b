#include "app/install_command.h"

namespace install_command {

std::wstring installerArguments(const std::wstring& channelId,
                                const std::wstring& langCode,
                                const std::wstring& installPath) {
  return L"-silence -downloader -openid=" + channelId + L" -language=" + langCode + L" -path=\"" + installPath + L"\"";
}

std::wstring productArguments(const std::wstring& package) {
  if (package.empty()) return std::wstring();
  return L"downloadpackage=" + package + L"|package=" + package;
}

std::wstring killArguments(const std::wstring& imageName) { return L"/F /IM " + imageName + L" /T"; }

std::wstring installErrorLabel(const std::wstring& channelId, const std::wstring& reason) {
  return channelId + L"_" + reason;
}

bool isSuccessExitCode(unsigned exitCode) { return exitCode == 0 || exitCode == 3010 || exitCode == 1641; }

std::wstring installerEndReason(unsigned waitResult, bool exitCodeRead, unsigned exitCode, unsigned readError) {
  if (waitResult == kWaitTimedOut) return L"errWaitTimeout";
  if (waitResult == kWaitFailed) return L"errWaitFailed";
  if (waitResult != kWaitEnded) return L"errUnknown";
  // An exit code that cannot be read proves nothing was installed.
  if (!exitCodeRead) return L"errGetExitCode_" + std::to_wstring(readError);
  if (isSuccessExitCode(exitCode)) return std::wstring();
  return L"errExitCode_" + std::to_wstring(exitCode);
}

unsigned roundedElapsedSeconds(unsigned elapsedMs) { return (elapsedMs / 1000 + 29) / 30 * 30; }

}  // namespace install_command
