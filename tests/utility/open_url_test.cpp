#include "utility/open_url.h"

#include <windows.h>
#include <tlhelp32.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/common/temp_dir.h"
#include "tests/fixtures/child_helper_client.h"
#include "tests/fixtures/child_record.h"
#include "tests/utility/registry_support.h"
#include "utility/process_token.h"
#include "utility/scoped_handle.h"
#include "utility/usystem_os.h"

namespace {

using vxtest::setRegString;

constexpr DWORD kStartLimitMs = 30000;

// A URL scheme whose handler is the child helper, recording to a file;
// removed again when the test ends. Wine 8 does not merge the user's
// Software\Classes into HKEY_CLASSES_ROOT, so the scheme goes to the test
// prefix's HKEY_CLASSES_ROOT itself.
class UrlScheme : public testing::Test {
 protected:
  void SetUp() override {
    record_ = dir_.file(L"url.txt");
    const std::wstring command = L"\"" + vxtest::childHelperPath() + L"\" --record=\"" + record_ + L"\" \"%1\"";
    ASSERT_TRUE(setRegString(HKEY_CLASSES_ROOT, L"vxtest", nullptr, L"URL:vxtest"));
    ASSERT_TRUE(setRegString(HKEY_CLASSES_ROOT, L"vxtest", L"URL Protocol", L""));
    ASSERT_TRUE(setRegString(HKEY_CLASSES_ROOT, L"vxtest\\shell\\open\\command", nullptr, command));
    // Without the scheme in place the fallback would start a browser.
    utility::ScopedRegKey check;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CLASSES_ROOT, L"vxtest\\shell\\open\\command", 0, KEY_READ, check.receive()),
              ERROR_SUCCESS);
  }

  vxtest::ScopedRegTree scheme_{HKEY_CLASSES_ROOT, L"vxtest"};
  vxtest::TempDir dir_;
  std::wstring record_;
};

TEST_F(UrlScheme, OpensTheUrlWithItsRegisteredHandler) {
  const std::wstring url = L"vxtest://terms/page?lang=en&x=1";
  EXPECT_NE(utility::usystem::openUrl(url), 0);
  vxtest::ChildRecord record;
  ASSERT_TRUE(vxtest::waitForRecord(record_, kStartLimitMs, &record));
  EXPECT_NE(record.commandLine.find(L"\"" + url + L"\""), std::wstring::npos) << record.commandLine;
}

// A copy of the child helper under another name for the length of a test;
// started, it leaves its record in the file VX_CHILD_RECORD names.
class PlantedProgram {
 public:
  explicit PlantedProgram(std::wstring path)
      : path_(std::move(path)), planted_(::CopyFileW(vxtest::childHelperPath().c_str(), path_.c_str(), FALSE)) {}
  ~PlantedProgram() { ::DeleteFileW(path_.c_str()); }
  PlantedProgram(const PlantedProgram&) = delete;
  PlantedProgram& operator=(const PlantedProgram&) = delete;
  bool planted() const { return planted_; }

 private:
  const std::wstring path_;
  const bool planted_;
};

std::wstring ownFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring own = path;
  return own.substr(0, own.rfind(L'\\'));
}

// Ends every process whose image is image and returns how many there were.
int endProcessesOf(const std::wstring& image) {
  int ended = 0;
  utility::ScopedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
    if (utility::process::getProcessImagePath(entry.th32ProcessID) != image) continue;
    utility::ScopedHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
    if (!process) continue;
    ::TerminateProcess(process.get(), 9);
    ::WaitForSingleObject(process.get(), kStartLimitMs);
    ++ended;
  }
  return ended;
}

// No handler takes this scheme, so openUrl falls back to the browser. The
// program runs elevated: the browser must be the one under Program Files,
// never an iexplore.exe anyone put beside the program or in the current
// directory.
TEST(OpenUrlFallback, StartsTheBrowserByItsFullPathNeverAPlantedOne) {
  vxtest::TempDir current;
  const PlantedProgram besideTheProgram(ownFolder() + L"\\iexplore.exe");
  const PlantedProgram inTheCurrentDirectory(current.file(L"iexplore.exe"));
  ASSERT_TRUE(besideTheProgram.planted());
  ASSERT_TRUE(inTheCurrentDirectory.planted());
  const std::wstring record = current.file(L"planted.rec");
  ::SetEnvironmentVariableW(vxtest::kRecordVariable, record.c_str());
  wchar_t before[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, before);
  ASSERT_TRUE(::SetCurrentDirectoryW(current.path().c_str()));
  const int opened = utility::usystem::openUrl(L"vxnohandler://terms");
  ::SetCurrentDirectoryW(before);
  ::SetEnvironmentVariableW(vxtest::kRecordVariable, nullptr);

  const std::wstring browser = utility::usystem::programFilesPath(L"Internet Explorer\\iexplore.exe");
  int ended = 0;
  for (DWORD waited = 0; ended == 0 && waited < kStartLimitMs; waited += 100) {
    ::Sleep(100);
    ended = endProcessesOf(browser);
  }
  EXPECT_NE(opened, 0);
  EXPECT_EQ(ended, 1) << "no " << testing::PrintToString(browser) << " started";
  EXPECT_EQ(::GetFileAttributesW(record.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
