#include "utility/process_token.h"

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/common/temp_dir.h"
#include "tests/fixtures/child_helper_client.h"
#include "tests/fixtures/child_record.h"
#include "utility/process.h"
#include "utility/process_text.h"

namespace {

using vxtest::ChildRecord;

constexpr DWORD kStartLimitMs = 30000;

class ProcessToken : public testing::Test {
 protected:
  void TearDown() override { ::SetEnvironmentVariableW(vxtest::kRecordVariable, nullptr); }

  // Under Wine the started program inherits this environment, so the record
  // file can be named without putting anything on its command line.
  std::wstring recordFile(const wchar_t* name) {
    const std::wstring file = dir_.file(name);
    ::SetEnvironmentVariableW(vxtest::kRecordVariable, file.c_str());
    return file;
  }

  vxtest::TempDir dir_;
  const std::wstring helper_ = vxtest::childHelperPath();
};

// Image paths of the running processes named explorer.exe.
std::vector<std::wstring> explorerImages() {
  std::vector<std::wstring> images;
  utility::ScopedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
    if (std::wstring(entry.szExeFile) == L"explorer.exe") {
      images.push_back(utility::process::getProcessImagePath(entry.th32ProcessID));
    }
  }
  return images;
}

std::wstring ownImagePath() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, length);
}

TEST_F(ProcessToken, ImagePathOfRunningProcesses) {
  EXPECT_EQ(utility::process::getProcessImagePath(::GetCurrentProcessId()), ownImagePath());

  const std::wstring file = recordFile(L"image.txt");
  DWORD processId = 0;
  utility::ScopedHandle child = utility::process::create(helper_, L"--sleep=120000", false, &processId);
  ASSERT_TRUE(child.valid());
  ChildRecord record;
  ASSERT_TRUE(vxtest::waitForRecord(file, kStartLimitMs, &record));
  EXPECT_EQ(utility::process::getProcessImagePath(processId), record.image);
  ::TerminateProcess(child.get(), 9);
  ASSERT_EQ(::WaitForSingleObject(child.get(), kStartLimitMs), WAIT_OBJECT_0);

  // Once ended (its handle still open) and for ids that name no process.
  EXPECT_EQ(utility::process::getProcessImagePath(processId), L"");
  EXPECT_EQ(utility::process::getProcessImagePath(0xFFFFFFF0), L"");
}

// Wine runs its desktop shell from C:\windows\system32\explorer.exe, where
// Windows has C:\windows\explorer.exe. The image path is readable, so the
// bare name does not apply either: Wine's own shell is not recognised, and
// starting without elevation fails for want of a shell token.
TEST_F(ProcessToken, WineDesktopShellIsNotRecognised) {
  ASSERT_NE(::GetDesktopWindow(), nullptr);  // starts the desktop shell if need be
  wchar_t system[MAX_PATH] = {};
  ::GetSystemDirectoryW(system, MAX_PATH);
  const std::vector<std::wstring> expected = {std::wstring(system) + L"\\explorer.exe"};
  const ULONGLONG deadline = ::GetTickCount64() + kStartLimitMs;
  while (explorerImages() != expected && ::GetTickCount64() < deadline) ::Sleep(50);
  ASSERT_EQ(explorerImages(), expected);

  EXPECT_FALSE(utility::process::getExplorerToken().valid());
  const std::wstring file = recordFile(L"noshell.txt");
  EXPECT_EQ(utility::process::runWithoutAdmin(helper_, std::wstring()), -1);
  ChildRecord record;
  EXPECT_FALSE(vxtest::waitForRecord(file, 1000, &record));
}

// A shell window of C:\windows\explorer.exe: the shell image the lookup
// knows, so its token is found while the window runs. Each shows a folder of
// its own: Wine's explorer hands a folder it has shown before (even in a
// window since ended) to that window and exits at once.
class WithShellWindow : public ProcessToken {
 protected:
  void SetUp() override {
    shell_ = utility::process::create(L"C:\\windows\\explorer.exe", L"/root," + dir_.path(), true);
    ASSERT_TRUE(shell_.valid());
    const ULONGLONG deadline = ::GetTickCount64() + kStartLimitMs;
    while (!utility::process::getExplorerToken().valid()) {
      ASSERT_LT(::GetTickCount64(), deadline) << "shell window not found";
      ::Sleep(50);
    }
  }
  void TearDown() override {
    ::TerminateProcess(shell_.get(), 0);
    ::WaitForSingleObject(shell_.get(), kStartLimitMs);
    ProcessToken::TearDown();
  }

  utility::ScopedHandle shell_;
};

TEST_F(WithShellWindow, ExplorerTokenIsAPrimaryToken) {
  utility::ScopedHandle token = utility::process::getExplorerToken();
  ASSERT_TRUE(token.valid());
  TOKEN_TYPE type = TokenImpersonation;
  DWORD size = 0;
  ASSERT_TRUE(::GetTokenInformation(token.get(), TokenType, &type, sizeof(type), &size));
  EXPECT_EQ(type, TokenPrimary);
}

TEST_F(WithShellWindow, RunWithoutAdminCommandLines) {
  struct Case {
    std::optional<std::wstring> parameters;
    std::wstring commandLine;
  } const cases[] = {
      {std::wstring(L""), L"\"" + helper_ + L"\" "},  // empty parameters: trailing space
      {std::nullopt, helper_},                        // no parameters: bare path
      {std::wstring(L"--exit=3 \"a b\""), L"\"" + helper_ + L"\" --exit=3 \"a b\""},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::wstring file = recordFile((L"token" + std::to_wstring(n++) + L".txt").c_str());
    ASSERT_EQ(utility::process::runWithoutAdmin(helper_, c.parameters), 0) << c.commandLine;
    ChildRecord record;
    ASSERT_TRUE(vxtest::waitForRecord(file, kStartLimitMs, &record)) << c.commandLine;
    EXPECT_EQ(record.commandLine, c.commandLine);
  }
}

TEST_F(WithShellWindow, RunWithoutAdminFailures) {
  // The start's own error is left for the caller.
  ::SetLastError(0);
  EXPECT_EQ(utility::process::runWithoutAdmin(dir_.path() + L"\\missing.exe", std::wstring()), -1);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  // Too long for the token start: refused, not cut short, nothing started.
  const std::wstring file = recordFile(L"long.txt");
  const std::wstring filler(utility::process::kTokenCommandLineMax, L'x');
  EXPECT_EQ(utility::process::runWithoutAdmin(helper_, filler), -1);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
  ChildRecord record;
  EXPECT_FALSE(vxtest::waitForRecord(file, 1000, &record));

  // The longest line that fits is started.
  const std::wstring longest(utility::process::kTokenCommandLineMax - helper_.size() - 3, L'y');
  ASSERT_EQ(utility::process::tokenCommandLine(helper_, longest).size(), utility::process::kTokenCommandLineMax);
  EXPECT_EQ(utility::process::runWithoutAdmin(helper_, longest), 0) << "last error " << ::GetLastError();
  ASSERT_TRUE(vxtest::waitForRecord(file, kStartLimitMs, &record));
  EXPECT_EQ(record.commandLine, L"\"" + helper_ + L"\" " + longest);
}

}  // namespace
