#include "utility/install_path.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "utility/usystem_drives.h"

namespace {

struct TextCase {
  const wchar_t* in;
  const wchar_t* out;
};

TEST(InstallPath, NormalizePath) {
  const TextCase cases[] = {
      {L"\\\\Server\\Share\\", L"server\\share"},
      {L"D:/Games//Product/", L"d:\\games\\product"},
      {L"C:\\", L"c:"},
      {L"a///b\\/\\c", L"a\\b\\c"},
      {L"/\\/", L""},
      {L"", L""},
      {L"C:\\\u00C4RGER\\X", L"c:\\\u00C4rger\\x"},  // only ASCII letters are lowered
      {L"C:\\a \\", L"c:\\a "},
  };
  for (const TextCase& c : cases) EXPECT_EQ(utility::usystem::normalizePath(c.in), c.out) << c.in;
}

struct ShapeCase {
  const wchar_t* path;
  bool valid;
};

TEST(InstallPath, ShapeOfTypedPaths) {
  const ShapeCase cases[] = {
      {L"D:/Games//Product/", true},
      {L"C:\\a\\b ", true},
      {L"  C:\\Program Files\\Vandorix  ", true},
      {L"C:\\a\\b\\", true},
      {L"C:\\a\\ ", true},  // the text after the last backslash is not examined
      {L"C:\\", false},
      {L"C:", false},
      {L"C:\\ ", false},  // still the drive root
      {L"C:\\\\ \\\\", false},
      {L"C:\\a\\ \\b", false},
      {L"C:\\ \\a", false},
      {L"C:\\a?b", false},
      {L"C:\\a*b", false},
      {L"C:\\a:b", false},
      {L"C:\\a\"b", false},
      {L"C:\\a<b", false},
      {L"C:\\a>b", false},
      {L"C:\\a|b", false},
      {L"games\\vandorix", false},  // relative: would depend on the current folder
      {L"\\\\server\\share\\dir", false},
      {L"1:\\abc", false},
      {L"", false},
  };
  for (const ShapeCase& c : cases) {
    const std::wstring candidate = utility::usystem::installPathCandidate(c.path);
    EXPECT_EQ(utility::usystem::hasInstallPathShape(candidate), c.valid) << c.path;
  }
}

// The drive part needs a real drive: Wine's C: has room, and a letter that
// is not mapped has none.
TEST(InstallPath, ValidOnlyOnADriveWithRoom) {
  EXPECT_TRUE(utility::usystem::isValidInstallPath(L"C:/Games//Product/"));
  EXPECT_FALSE(utility::usystem::isValidInstallPath(L"C:\\Games\\a?b"));
  const DWORD mapped = ::GetLogicalDrives();
  wchar_t missing = 0;
  for (int i = 25; i >= 3 && missing == 0; --i) {
    if ((mapped & (1u << i)) == 0) missing = static_cast<wchar_t>(L'A' + i);
  }
  ASSERT_NE(missing, 0);
  EXPECT_FALSE(utility::usystem::isValidInstallPath(std::wstring(1, missing) + L":\\Games\\Product"));
}

}  // namespace
