#include "utility/common_log.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/common/temp_dir.h"
#include "utility/log.h"
#include "utility/scoped_handle.h"

namespace {

// The process has one writer; every test here finds its own records in
// that writer's file by their function name.
class CommonLog : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (folder_ != nullptr) return;
    folder_ = new vxtest::TempDir;
    common::startLogWriter(folder_->file(L"log.txt"));
  }
  void SetUp() override {
    setLogSink(common::log);
    common::flushLog();
    start_ = vxtest::readFile(folder_->file(L"log.txt")).size();
  }
  void TearDown() override { setLogSink(nullptr); }

  // The records of functionName written by this test, without CR LF.
  std::vector<std::string> recordsOf(const std::string& functionName) const {
    common::flushLog();
    std::string content = vxtest::readFile(folder_->file(L"log.txt")).substr(start_);
    std::vector<std::string> records;
    const std::string field = "\t" + functionName + "\t(";
    for (std::size_t at = 0; at < content.size();) {
      std::size_t end = content.find("\r\n", at);
      if (end == std::string::npos) end = content.size();
      std::string line = content.substr(at, end - at);
      if (line.find(field) != std::string::npos) records.push_back(line);
      at = end + 2;
    }
    return records;
  }

  // The message part of a record.
  static std::string messageOf(const std::string& record) { return record.substr(record.find("):") + 2); }

  // Never deleted: the writer keeps its file open until the process ends.
  static vxtest::TempDir* folder_;
  std::size_t start_ = 0;
};

vxtest::TempDir* CommonLog::folder_ = nullptr;

std::string utf8(const std::wstring& text) {
  int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
  bytes.pop_back();
  return bytes;
}

// Digits as 'D', everything else as it is.
std::string shapeOf(const std::string& text) {
  std::string shape = text;
  for (char& c : shape) {
    if (c >= '0' && c <= '9') c = 'D';
  }
  return shape;
}

TEST_F(CommonLog, RecordCarriesDateTimeThreadFunctionAndLine) {
  SYSTEMTIME before;
  ::GetLocalTime(&before);
  const int line = __LINE__;
  writeLog("CommonLog::header", line, L"value = %d, name = %s, big = %lld", 7, L"abc", 1LL << 40);
  SYSTEMTIME after;
  ::GetLocalTime(&after);

  std::vector<std::string> records = recordsOf("CommonLog::header");
  ASSERT_EQ(records.size(), 1u);
  const std::string& record = records[0];
  ASSERT_GT(record.size(), 19u);
  EXPECT_EQ(shapeOf(record.substr(0, 19)), "DD-DD\tDD:DD:DD.DDD\t");
  char date[8];
  auto dateOf = [&date](const SYSTEMTIME& t) {
    std::snprintf(date, sizeof date, "%02d-%02d", t.wMonth, t.wDay);
    return std::string(date);
  };
  EXPECT_TRUE(record.substr(0, 5) == dateOf(before) || record.substr(0, 5) == dateOf(after));
  EXPECT_LT(std::stoi(record.substr(6, 2)), 24);
  EXPECT_LT(std::stoi(record.substr(9, 2)), 60);
  EXPECT_LT(std::stoi(record.substr(12, 2)), 60);
  char thread[16];
  std::snprintf(thread, sizeof thread, "%04lu", ::GetCurrentThreadId());
  EXPECT_EQ(record.substr(19), std::string(thread) + "\tCommonLog::header\t(" + std::to_string(line) +
                                   "):value = 7, name = abc, big = 1099511627776");
}

TEST_F(CommonLog, MessageTextIsNotFormattedAgain) {
  struct Case {
    const wchar_t* format;
    const wchar_t* argument;
    const char* written;
  };
  const Case cases[] = {
      {L"%s", L"GET /a%20b?q=100%25&s=%s%d", "GET /a%20b?q=100%25&s=%s%d"},
      {L"progress %s 50%%", L"%n%n", "progress %n%n 50%"},
      {L"done 100%%", L"", "done 100%"},
  };
  for (const Case& c : cases) writeLog("CommonLog::percent", __LINE__, c.format, c.argument);
  std::vector<std::string> records = recordsOf("CommonLog::percent");
  ASSERT_EQ(records.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(messageOf(records[i]), cases[i].written);
}

TEST_F(CommonLog, MessageIsCutTo511Units) {
  std::wstring text;
  for (int i = 0; i < 2000; ++i) text += static_cast<wchar_t>(L'a' + i % 26);
  struct Case {
    std::size_t length;
    std::size_t kept;
  };
  for (Case c : {Case{2000, 511}, Case{512, 511}, Case{511, 511}, Case{510, 510}}) {
    writeLog("CommonLog::cut", __LINE__, L"%s", text.substr(0, c.length).c_str());
  }
  std::vector<std::string> records = recordsOf("CommonLog::cut");
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(messageOf(records[0]), utf8(text.substr(0, 511)));
  EXPECT_EQ(messageOf(records[1]), utf8(text.substr(0, 511)));
  EXPECT_EQ(messageOf(records[2]), utf8(text.substr(0, 511)));
  EXPECT_EQ(messageOf(records[3]), utf8(text.substr(0, 510)));
}

TEST_F(CommonLog, RecordOverTheRecordSizeIsDroppedNotCut) {
  const std::wstring cjk300(300, L'\u4E2D');  // 900 UTF-8 bytes
  const std::wstring cjk400(400, L'\u4E2D');  // 1200 UTF-8 bytes
  writeLog("CommonLog::cjk400", __LINE__, L"%s", cjk400.c_str());
  writeLog("CommonLog::cjk300", __LINE__, L"%s", cjk300.c_str());
  EXPECT_TRUE(recordsOf("CommonLog::cjk400").empty());
  std::vector<std::string> written = recordsOf("CommonLog::cjk300");
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(messageOf(written[0]), utf8(cjk300));
}

TEST_F(CommonLog, NothingIsLoggedWithoutSink) {
  setLogSink(nullptr);
  writeLog("CommonLog::nosink", __LINE__, L"lost");
  setLogSink(common::log);
  writeLog("CommonLog::sink", __LINE__, L"kept");
  EXPECT_TRUE(recordsOf("CommonLog::nosink").empty());
  EXPECT_EQ(recordsOf("CommonLog::sink").size(), 1u);
}

TEST_F(CommonLog, SecondStartKeepsTheFirstWriter) {
  vxtest::TempDir other;
  common::startLogWriter(other.file(L"log.txt"));
  common::startLogWriter(L"");
  writeLog("CommonLog::second", __LINE__, L"first file");
  EXPECT_EQ(recordsOf("CommonLog::second").size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(other.file(L"log.txt")));
}

// The last records of a run are written just before the process quits; they
// must reach the file when it ends normally.
TEST(CommonLogExit, RecordsQueuedAtNormalExitReachTheFile) {
  vxtest::TempDir folder;
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring child = std::wstring(self).substr(0, std::wstring(self).rfind(L'\\') + 1) + L"log_exit_child.exe";
  std::wstring path = folder.file(L"log.txt");
  std::wstring command = L"\"" + child + L"\" \"" + path + L"\" 3";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(
      ::CreateProcessW(child.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
  utility::ScopedHandle process(info.hProcess);
  utility::ScopedHandle thread(info.hThread);
  ASSERT_EQ(::WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0);
  DWORD code = 1;
  ::GetExitCodeProcess(process.get(), &code);
  EXPECT_EQ(code, 0u);

  std::string content = vxtest::readFile(path);
  std::size_t at = 0;
  for (int i = 1; i <= 3; ++i) {
    std::string message = "):last record " + std::to_string(i) + "\r\n";
    std::size_t found = content.find(message, at);
    ASSERT_NE(found, std::string::npos) << content;
    at = found;
  }
}

}  // namespace
