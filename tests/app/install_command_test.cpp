// The command lines and texts of the install flow.
#include <gtest/gtest.h>

#include "app/install_command.h"

namespace {

TEST(InstallCommand, InstallerOptionsQuoteTheDirectoryEvenWithoutSpaces) {
  EXPECT_EQ(install_command::installerArguments(L"2033", L"kr", L"D:\\Vandorix\\Vandorix9\\"),
            L"-silence -downloader -openid=2033 -language=kr -path=\"D:\\Vandorix\\Vandorix9\\\"");
  EXPECT_EQ(install_command::installerArguments(L"100", L"en", L"C:\\Program Files\\V"),
            L"-silence -downloader -openid=100 -language=en -path=\"C:\\Program Files\\V\"");
}

TEST(InstallCommand, ProductArgumentsNameThePackageTwiceOrNothing) {
  EXPECT_EQ(install_command::productArguments(L"com.game.app"), L"downloadpackage=com.game.app|package=com.game.app");
  EXPECT_EQ(install_command::productArguments(L""), L"");
}

TEST(InstallCommand, StopCommandAndErrorLabel) {
  EXPECT_EQ(install_command::killArguments(L"vxrunner.exe"), L"/F /IM vxrunner.exe /T");
  EXPECT_EQ(install_command::installErrorLabel(L"2033", L"errWaitTimeout"), L"2033_errWaitTimeout");
}

TEST(InstallCommand, HowTheInstallerEndedGivesItsReason) {
  struct Case {
    unsigned waitResult;
    bool exitCodeRead;
    unsigned exitCode;
    unsigned readError;
    const wchar_t* reason;  // empty: an installation
  };
  const Case cases[] = {
      {install_command::kWaitEnded, true, 0, 0, L""},
      {install_command::kWaitEnded, true, 3010, 0, L""},  // restart needed
      {install_command::kWaitEnded, true, 1641, 0, L""},  // restart started
      {install_command::kWaitEnded, true, 3, 0, L"errExitCode_3"},
      {install_command::kWaitEnded, true, 3011, 0, L"errExitCode_3011"},
      {install_command::kWaitEnded, true, 1, 0, L"errExitCode_1"},
      {install_command::kWaitEnded, true, 0xC0000005, 0, L"errExitCode_3221225477"},
      {install_command::kWaitEnded, false, 0, 6, L"errGetExitCode_6"},
      {install_command::kWaitEnded, false, 3010, 5, L"errGetExitCode_5"},
      {install_command::kWaitTimedOut, false, 0, 0, L"errWaitTimeout"},
      {install_command::kWaitFailed, false, 0, 0, L"errWaitFailed"},
      {0x80, false, 0, 0, L"errUnknown"},  // abandoned: not a process's wait result
  };
  for (const Case& c : cases) {
    EXPECT_EQ(install_command::installerEndReason(c.waitResult, c.exitCodeRead, c.exitCode, c.readError), c.reason)
        << c.waitResult << " " << c.exitCodeRead << " " << c.exitCode;
  }
}

TEST(InstallCommand, ElapsedTimeRoundsUpToWholeHalfMinutes) {
  struct Case {
    unsigned ms;
    unsigned seconds;
  };
  for (const Case c : {Case{0, 0}, Case{999, 0}, Case{1000, 30}, Case{30000, 30}, Case{30999, 30}, Case{31000, 60},
                       Case{4294967295u, 4294980}}) {
    EXPECT_EQ(install_command::roundedElapsedSeconds(c.ms), c.seconds) << c.ms;
  }
}

}  // namespace
