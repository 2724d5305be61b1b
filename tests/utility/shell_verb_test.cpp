// Which shell verb a start uses, seen through a file type whose "open" and
// "runas" commands run the child helper with different arguments.
#include <gtest/gtest.h>

#include "tests/common/temp_dir.h"
#include "tests/fixtures/child_helper_client.h"
#include "tests/utility/registry_support.h"
#include "utility/process.h"

namespace {

using vxtest::setRegString;

constexpr DWORD kStartLimitMs = 30000;
constexpr wchar_t kProbeDefaults[] = L"Software\\Wine\\AppDefaults\\shell_probe.exe";

class ShellVerb : public testing::Test {
 protected:
  void SetUp() override {
    record_ = dir_.file(L"verb.txt");
    document_ = dir_.file(L"document.vxverb");
    ASSERT_TRUE(setRegString(HKEY_CLASSES_ROOT, L".vxverb", nullptr, L"vxverb.file"));
    for (const wchar_t* verb : {L"open", L"runas"}) {
      const std::wstring command =
          L"\"" + vxtest::childHelperPath() + L"\" --record=\"" + record_ + L"\" verb=" + verb + L" \"%1\"";
      ASSERT_TRUE(setRegString(HKEY_CLASSES_ROOT, std::wstring(L"vxverb.file\\shell\\") + verb + L"\\command", nullptr,
                               command));
    }
    utility::ScopedHandle file(
        ::CreateFileW(document_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file.valid());
  }

  // The verb the helper was started with, or "" when it was not started.
  std::wstring startedVerb() {
    vxtest::ChildRecord record;
    if (!vxtest::waitForRecord(record_, kStartLimitMs, &record)) return L"";
    const size_t at = record.commandLine.find(L" verb=");
    if (at == std::wstring::npos) return L"?";
    return record.commandLine.substr(at + 6, record.commandLine.find(L' ', at + 6) - at - 6);
  }

  vxtest::ScopedRegTree extension_{HKEY_CLASSES_ROOT, L".vxverb"};
  vxtest::ScopedRegTree type_{HKEY_CLASSES_ROOT, L"vxverb.file"};
  vxtest::ScopedRegTree probeDefaults_{HKEY_CURRENT_USER, kProbeDefaults};
  vxtest::TempDir dir_;
  std::wstring record_;
  std::wstring document_;
};

TEST_F(ShellVerb, RunasOnlyWhenAskedFor) {
  EXPECT_TRUE(utility::process::shell(document_, L"", false, false));
  EXPECT_EQ(startedVerb(), L"open");
  ::DeleteFileW(record_.c_str());
  EXPECT_TRUE(utility::process::shell(document_, L"", true, false));
  EXPECT_EQ(startedVerb(), L"runas");
}

// Wine reports the version set for a program in its AppDefaults: as Windows
// XP (major version 5) "runas" is not used.
TEST_F(ShellVerb, VersionFiveOpensInsteadOfRunas) {
  struct Case {
    const wchar_t* version;  // null: the prefix's Windows 10
    bool vista;
    const wchar_t* verb;
  } const cases[] = {
      {nullptr, true, L"runas"},
      {L"winxp64", false, L"open"},
  };
  for (const Case& c : cases) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kProbeDefaults);
    if (c.version != nullptr) {
      ASSERT_TRUE(setRegString(HKEY_CURRENT_USER, kProbeDefaults, L"Version", c.version));
    }
    ::DeleteFileW(record_.c_str());
    utility::ScopedHandle probe = utility::process::create(vxtest::shellProbePath(), L"\"" + document_ + L"\"", false);
    ASSERT_TRUE(probe.valid());
    ASSERT_EQ(::WaitForSingleObject(probe.get(), kStartLimitMs), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ASSERT_TRUE(::GetExitCodeProcess(probe.get(), &exitCode));
    EXPECT_EQ(exitCode, (c.vista ? 1u : 0u) + 2u) << (c.version ? c.version : L"default");
    EXPECT_EQ(startedVerb(), c.verb) << (c.version ? c.version : L"default");
  }
}

}  // namespace
