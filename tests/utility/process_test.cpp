#include "utility/process.h"

#include <gtest/gtest.h>

#include "tests/common/log_capture.h"
#include "tests/common/temp_dir.h"
#include "tests/fixtures/child_helper_client.h"
#include "tests/fixtures/child_record.h"

namespace {

using vxtest::ChildRecord;
using vxtest::LogCapture;

// Generous: the first start of a program under Wine can take seconds.
constexpr DWORD kStartLimitMs = 30000;

// Points the helper's record at file for children started from now on.
void recordTo(const std::wstring& file) { ::SetEnvironmentVariableW(vxtest::kRecordVariable, file.c_str()); }

class Process : public testing::Test {
 protected:
  void TearDown() override { ::SetEnvironmentVariableW(vxtest::kRecordVariable, nullptr); }

  vxtest::TempDir dir_;
  const std::wstring helper_ = vxtest::childHelperPath();
};

bool stillRunning(DWORD processId) {
  utility::ScopedHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
  return process && ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

void terminate(DWORD processId) {
  utility::ScopedHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
  if (!process) return;
  ::TerminateProcess(process.get(), 9);
  ::WaitForSingleObject(process.get(), kStartLimitMs);
}

TEST_F(Process, CreateQuotesThePathAndPassesParametersUnchanged) {
  struct Case {
    const wchar_t* parameters;
    std::wstring commandLine;
  } const cases[] = {
      {L"", L"\"" + helper_ + L"\""},  // no trailing space
      {L"--exit=0 \"two words\"  x", L"\"" + helper_ + L"\" --exit=0 \"two words\"  x"},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::wstring file = dir_.file(L"create" + std::to_wstring(n++) + L".txt");
    recordTo(file);
    DWORD processId = 0;
    utility::ScopedHandle process = utility::process::create(helper_, c.parameters, false, &processId);
    ASSERT_TRUE(process.valid()) << c.parameters;
    ChildRecord record;
    ASSERT_TRUE(vxtest::waitForRecord(file, kStartLimitMs, &record)) << c.parameters;
    EXPECT_EQ(record.commandLine, c.commandLine);
    EXPECT_EQ(record.processId, processId);
    EXPECT_EQ(::WaitForSingleObject(process.get(), kStartLimitMs), WAIT_OBJECT_0);
  }
}

TEST_F(Process, CreateOfAMissingProgramLogsAndGivesNoHandle) {
  LogCapture log;
  DWORD processId = 77;
  utility::ScopedHandle process = utility::process::create(dir_.path() + L"\\missing.exe", L"", true, &processId);
  EXPECT_FALSE(process.valid());
  EXPECT_EQ(processId, 77u);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(log.has("utility::process::create",
                      L"createProcess filename = [" + dir_.path() + L"\\missing.exe], param = [], show = 1"));
  EXPECT_EQ(log.after("utility::process::create", L"createProcess failed!!! lastError = "), L"2");
}

TEST_F(Process, ExecuteResultFollowsTheExitCode) {
  struct Case {
    const wchar_t* parameters;
    DWORD waitMs;
    bool result;
    const wchar_t* exitLog;  // after "execute exitcode = ", or null when none is expected
  } const cases[] = {
      {L"--exit=0", kStartLimitMs, true, L"0 lastError = "},
      {L"--exit=1", kStartLimitMs, false, L"1 lastError = "},
      {L"--exit=1", 0, true, nullptr},  // not waited for: started is enough
  };
  for (const Case& c : cases) {
    LogCapture log;
    EXPECT_EQ(utility::process::execute(helper_, c.parameters, false, c.waitMs), c.result) << c.parameters;
    const std::wstring logged = log.after("utility::process::execute", L"execute exitcode = ");
    if (c.exitLog == nullptr) {
      EXPECT_TRUE(logged.empty()) << logged;
    } else {
      EXPECT_EQ(logged.substr(0, wcslen(c.exitLog)), c.exitLog) << c.parameters;
    }
  }
}

TEST_F(Process, ExecuteOfAMissingProgramReportsCreatesError) {
  LogCapture log;
  EXPECT_FALSE(utility::process::execute(dir_.path() + L"\\missing.exe", L"", false, 1000));
  // The error CreateProcessW gave, not one left behind by the logging.
  EXPECT_EQ(log.after("utility::process::execute", L"execute failed!!! last error = "), L"2");
}

TEST_F(Process, ExecuteTimeOutLeavesTheProgramRunning) {
  const std::wstring file = dir_.file(L"sleeper.txt");
  LogCapture log;
  EXPECT_FALSE(utility::process::execute(helper_, L"--sleep=120000 --record=" + file, false, 200));
  EXPECT_TRUE(log.has("utility::process::execute", L"execute timeout!!!"));
  ChildRecord record;
  ASSERT_TRUE(vxtest::waitForRecord(file, kStartLimitMs, &record));
  EXPECT_TRUE(stillRunning(record.processId));
  terminate(record.processId);
}

TEST_F(Process, TaskkillStopsARunningProgramByImageName) {
  // A copy under a name of its own, so no other test's helper is touched.
  const std::wstring target = dir_.file(L"vx_taskkill_target.exe");
  ASSERT_TRUE(::CopyFileW(helper_.c_str(), target.c_str(), FALSE));
  const std::wstring file = dir_.file(L"target.txt");
  // An image written a moment ago is now and then refused once under Wine; the copy is setup, not the subject.
  utility::ScopedHandle process;
  DWORD error = 0;
  for (int attempt = 0; attempt < 5 && !process.valid(); ++attempt) {
    if (attempt > 0) ::Sleep(200);
    process = utility::process::create(target, L"--sleep=120000 --record=" + file, false);
    error = ::GetLastError();
  }
  ASSERT_TRUE(process.valid()) << "CreateProcessW error " << error;
  ChildRecord record;
  ASSERT_TRUE(vxtest::waitForRecord(file, kStartLimitMs, &record));

  // Wine 8's taskkill knows no /T (process tree): it refuses the whole
  // command line with exit code 1 and stops nothing.
  EXPECT_FALSE(utility::process::execute(L"taskkill", L"/F /IM vx_taskkill_target.exe /T", false, kStartLimitMs));
  EXPECT_EQ(::WaitForSingleObject(process.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));

  EXPECT_TRUE(utility::process::execute(L"taskkill", L"/F /IM vx_taskkill_target.exe", false, kStartLimitMs));
  EXPECT_EQ(::WaitForSingleObject(process.get(), kStartLimitMs), WAIT_OBJECT_0);
  if (stillRunning(record.processId)) terminate(record.processId);
}

TEST_F(Process, ShellStartsAProgramAndReportsFailure) {
  const std::wstring file = dir_.file(L"shell.txt");
  LogCapture log;
  EXPECT_TRUE(utility::process::shell(helper_, L"--record=" + file + L" x", false, false));
  ChildRecord record;
  ASSERT_TRUE(vxtest::waitForRecord(file, kStartLimitMs, &record));
  EXPECT_NE(record.commandLine.find(L"--record=" + file + L" x"), std::wstring::npos) << record.commandLine;
  EXPECT_TRUE(log.has("utility::process::shell",
                      L"shell filename = [" + helper_ + L"], param = [--record=" + file + L" x], runas = 0, show = 0"));
  EXPECT_TRUE(log.has("utility::process::shell", L"shellEx ret . lastError = "));
  EXPECT_FALSE(log.has("utility::process::shell", L"shellEx failed!!!"));

  EXPECT_FALSE(utility::process::shell(dir_.path() + L"\\missing.exe", L"", false, true));
  EXPECT_TRUE(log.has("utility::process::shell", L"shellEx failed!!! lastError = "));
}

TEST_F(Process, ShellWithRunasStartsTheProgram) {
  const std::wstring file = dir_.file(L"runas.txt");
  EXPECT_TRUE(utility::process::shell(helper_, L"--record=" + file, true, false));
  ChildRecord record;
  EXPECT_TRUE(vxtest::waitForRecord(file, kStartLimitMs, &record));
}

}  // namespace
