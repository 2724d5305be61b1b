#pragma once
// Command-line texts of the install flow: the package installer's options,
// the product's launch arguments, the stop command per process and the
// analytics reasons. Pure text work.

#include <string>

namespace install_command {

// "-silence -downloader -openid=<channel> -language=<lang> -path="<dir>"";
// the directory is always quoted.
std::wstring installerArguments(const std::wstring& channelId, const std::wstring& langCode,
                                const std::wstring& installPath);
// "downloadpackage=<p>|package=<p>", or empty when package is empty.
std::wstring productArguments(const std::wstring& package);
// taskkill arguments that stop every process named imageName with its children.
std::wstring killArguments(const std::wstring& imageName);
// channelId + "_" + reason: the parameter of "ad_installError".
std::wstring installErrorLabel(const std::wstring& channelId, const std::wstring& reason);
// Elapsed milliseconds as whole seconds rounded up to a multiple of 30
// (unsigned arithmetic, so a wrapped tick count stays defined).
unsigned roundedElapsedSeconds(unsigned elapsedMs);

}  // namespace install_command
