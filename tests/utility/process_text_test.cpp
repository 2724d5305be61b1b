#include "utility/process_text.h"

#include <gtest/gtest.h>

namespace {

using utility::process::quotedCommandLine;
using utility::process::tokenCommandLine;

TEST(ProcessText, CommandLines) {
  EXPECT_EQ(quotedCommandLine(L"C:\\p q\\a.exe", L"/x \"y z\""), L"\"C:\\p q\\a.exe\" /x \"y z\"");
  EXPECT_EQ(quotedCommandLine(L"C:\\a.exe", L""), L"\"C:\\a.exe\"");  // no trailing space
  EXPECT_EQ(quotedCommandLine(L"taskkill", L"/F /IM x.exe /T"), L"\"taskkill\" /F /IM x.exe /T");

  EXPECT_EQ(tokenCommandLine(L"C:\\p q\\a.exe", L"-s"), L"\"C:\\p q\\a.exe\" -s");
  EXPECT_EQ(tokenCommandLine(L"C:\\a.exe", L""), L"\"C:\\a.exe\" ");      // empty, not absent: trailing space
  EXPECT_EQ(tokenCommandLine(L"C:\\a.exe", std::nullopt), L"C:\\a.exe");  // bare, unquoted
  // A blank in a bare path would let "C:\Program.exe" start instead.
  EXPECT_EQ(tokenCommandLine(L"C:\\Program Files\\a.exe", std::nullopt), L"\"C:\\Program Files\\a.exe\"");
  EXPECT_EQ(tokenCommandLine(L"C:\\p\tq\\a.exe", std::nullopt), L"\"C:\\p\tq\\a.exe\"");
}

TEST(ProcessText, ShellImageMatchIsExactAndCaseSensitive) {
  const std::wstring shell = L"C:\\windows\\explorer.exe";
  struct Case {
    const wchar_t* name;
    bool match;
  } const cases[] = {
      {L"C:\\windows\\explorer.exe", true},
      {L"explorer.exe", true},  // image path unreadable: the bare executable name
      {L"Explorer.exe", false},
      {L"EXPLORER.EXE", false},
      {L"C:\\Windows\\explorer.exe", false},
      {L"C:\\windows\\system32\\explorer.exe", false},
      {L"myexplorer.exe", false},
      {L"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(utility::process::isShellImage(c.name, shell), c.match) << c.name;
}

}  // namespace
