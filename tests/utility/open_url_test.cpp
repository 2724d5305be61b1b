#include "utility/open_url.h"

#include <gtest/gtest.h>

#include "tests/common/temp_dir.h"
#include "tests/fixtures/child_helper_client.h"
#include "tests/utility/registry_support.h"
#include "utility/scoped_handle.h"

namespace {

using testing_support::setRegString;

constexpr DWORD kStartLimitMs = 30000;

// A URL scheme whose handler is the child helper, recording to a file;
// removed again when the test ends. Wine 8 does not merge the user's
// Software\Classes into HKEY_CLASSES_ROOT, so the scheme goes to the test
// prefix's HKEY_CLASSES_ROOT itself.
class UrlScheme : public testing::Test {
 protected:
  void SetUp() override {
    record_ = dir_.file(L"url.txt");
    const std::wstring command = L"\"" + fixtures::childHelperPath() + L"\" --record=\"" + record_ + L"\" \"%1\"";
    ASSERT_TRUE(setRegString(HKEY_CLASSES_ROOT, L"vxtest", nullptr, L"URL:vxtest"));
    ASSERT_TRUE(setRegString(HKEY_CLASSES_ROOT, L"vxtest", L"URL Protocol", L""));
    ASSERT_TRUE(setRegString(HKEY_CLASSES_ROOT, L"vxtest\\shell\\open\\command", nullptr, command));
    // Without the scheme in place the fallback would start a browser.
    utility::ScopedRegKey check;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CLASSES_ROOT, L"vxtest\\shell\\open\\command", 0, KEY_READ, check.receive()),
              ERROR_SUCCESS);
  }

  testing_support::ScopedRegTree scheme_{HKEY_CLASSES_ROOT, L"vxtest"};
  testutil::TempDir dir_;
  std::wstring record_;
};

TEST_F(UrlScheme, OpensTheUrlWithItsRegisteredHandler) {
  const std::wstring url = L"vxtest://terms/page?lang=en&x=1";
  EXPECT_NE(utility::usystem::openUrl(url), 0);
  fixtures::ChildRecord record;
  ASSERT_TRUE(fixtures::waitForRecord(record_, kStartLimitMs, &record));
  EXPECT_NE(record.commandLine.find(L"\"" + url + L"\""), std::wstring::npos) << record.commandLine;
}

}  // namespace
