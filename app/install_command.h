#pragma once
// Command-line texts of the install flow: the package installer's options,
// the product's launch arguments, the stop command per process and the
// analytics reasons. Pure text work.

#include <string>

namespace install_command {

// "-silence -downloader -openid=<channel> -language=<lang> -path="<dir>"";
// the directory is always quoted.
std::wstring installerArguments(const std::wstring& channelId,
                                const std::wstring& langCode,
                                const std::wstring& installPath);
// "downloadpackage=<p>|package=<p>", or empty when package is empty.
std::wstring productArguments(const std::wstring& package);
// taskkill arguments that stop every process named imageName with its children.
std::wstring killArguments(const std::wstring& imageName);
// channelId + "_" + reason: the parameter of "ad_installError".
std::wstring installErrorLabel(const std::wstring& channelId, const std::wstring& reason);

// Wait results as WaitForSingleObject gives them for the package installer.
inline constexpr unsigned kWaitEnded = 0x0;
inline constexpr unsigned kWaitTimedOut = 0x102;
inline constexpr unsigned kWaitFailed = 0xFFFFFFFF;

// True for the exit codes of an installation that went well: 0, and by
// Windows convention 3010 (restart needed) and 1641 (restart started).
bool isSuccessExitCode(unsigned exitCode);
// The "ad_installError" reason for how the wait for the package installer
// ended, or empty when it counts as an installation. The exit code (or the
// error of reading it) matters only when the wait ended.
std::wstring installerEndReason(unsigned waitResult, bool exitCodeRead, unsigned exitCode, unsigned readError);
// Elapsed milliseconds as whole seconds rounded up to a multiple of 30
// (unsigned arithmetic, so a wrapped tick count stays defined).
unsigned roundedElapsedSeconds(unsigned elapsedMs);

}  // namespace install_command
