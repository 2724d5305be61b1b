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

TEST(InstallCommand, ElapsedTimeRoundsUpToWholeHalfMinutes) {
  struct Case {
    unsigned ms;
    unsigned seconds;
  };
  for (const Case c : {Case{0, 0}, Case{999, 0}, Case{1000, 30}, Case{30000, 30}, Case{30999, 30},
                       Case{31000, 60}, Case{4294967295u, 4294980}}) {
    EXPECT_EQ(install_command::roundedElapsedSeconds(c.ms), c.seconds) << c.ms;
  }
}

}  // namespace
