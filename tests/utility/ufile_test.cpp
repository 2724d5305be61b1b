#include "utility/ufile.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/log_capture.h"
#include "tests/common/temp_dir.h"
#include "utility/scoped_handle.h"

namespace {

namespace ufile = utility::ufile;

// Failures must say which operation failed and why; the lines logged are
// captured here.
class UFile : public testing::Test {
 protected:
  vxtest::TempDir folder_;
  vxtest::LogCapture log_;
};

TEST_F(UFile, FileExistsForFilesAndFolders) {
  vxtest::writeFile(folder_.file(L"a.txt"), "x");
  EXPECT_TRUE(ufile::fileExists(folder_.file(L"a.txt")));
  EXPECT_TRUE(ufile::fileExists(folder_.path()));
  EXPECT_FALSE(ufile::fileExists(folder_.file(L"missing.txt")));
  EXPECT_TRUE(log_.messages().empty());
}

TEST_F(UFile, MakeDirCreatesEveryLevelAndAcceptsAnExistingFolder) {
  const std::wstring deep = folder_.file(L"a\\b\\c");
  EXPECT_TRUE(ufile::makeDir(deep));
  EXPECT_TRUE(std::filesystem::is_directory(deep));
  EXPECT_TRUE(ufile::makeDir(deep));
  EXPECT_TRUE(ufile::makeDir(folder_.file(L"a")));
  EXPECT_TRUE(log_.messages().empty());
}

TEST_F(UFile, MakeDirUnderAFileFailsAndLogsTheCode) {
  vxtest::writeFile(folder_.file(L"file"), "x");
  EXPECT_FALSE(ufile::makeDir(folder_.file(L"file\\sub")));
  const std::vector<vxtest::LogMessage> lines = log_.messages();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].function, "utility::ufile::makeDir");
  const std::wstring prefix = L"make dir failed! error = ";
  const std::wstring& text = lines[0].text;
  ASSERT_EQ(text.rfind(prefix, 0), 0u) << text;
  EXPECT_EQ(text.back(), L'.');
  EXPECT_NE(std::stoi(text.substr(prefix.size())), 0) << text;
}

TEST_F(UFile, MoveFileReplacesTheTarget) {
  const std::wstring from = folder_.file(L"Vandorix.exe.tmp");
  const std::wstring to = folder_.file(L"Vandorix.exe");
  vxtest::writeFile(from, "new");
  vxtest::writeFile(to, "old content");
  EXPECT_TRUE(ufile::moveFile(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED));
  EXPECT_EQ(vxtest::readFile(to), "new");
  EXPECT_FALSE(std::filesystem::exists(from));
  EXPECT_TRUE(log_.messages().empty());
}

TEST_F(UFile, FailuresLogPathsFlagsAndError) {
  const std::wstring missing = folder_.file(L"missing");
  const std::wstring to = folder_.file(L"to");
  EXPECT_FALSE(ufile::moveFile(missing, to, 3));
  EXPECT_FALSE(ufile::removeFile(missing));
  vxtest::writeFile(to, "x");
  vxtest::writeFile(folder_.file(L"other"), "y");
  EXPECT_FALSE(ufile::moveFile(folder_.file(L"other"), to, 0));
  const std::vector<vxtest::LogMessage> lines = log_.messages();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].function, "utility::ufile::moveFile");
  EXPECT_EQ(lines[0].text, L"move file from [ " + missing + L" ] to [ " + to + L" ] flag = 3 failed! error = 2.");
  EXPECT_EQ(lines[1].function, "utility::ufile::removeFile");
  EXPECT_EQ(lines[1].text, L"removeFile file from [ " + missing + L" ] error = 2.");
  EXPECT_EQ(lines[2].text,
            L"move file from [ " + folder_.file(L"other") + L" ] to [ " + to + L" ] flag = 0 failed! error = 183.");
}

TEST_F(UFile, RemoveFileDeletes) {
  vxtest::writeFile(folder_.file(L"gone"), "x");
  EXPECT_TRUE(ufile::removeFile(folder_.file(L"gone")));
  EXPECT_FALSE(std::filesystem::exists(folder_.file(L"gone")));
}

TEST_F(UFile, GetFileSize) {
  std::int64_t size = -1;
  vxtest::writeFile(folder_.file(L"empty"), "");
  EXPECT_TRUE(ufile::getFileSize(folder_.file(L"empty"), size));
  EXPECT_EQ(size, 0);
  vxtest::writeFile(folder_.file(L"five"), "12345");
  EXPECT_TRUE(ufile::getFileSize(folder_.file(L"five"), size));
  EXPECT_EQ(size, 5);
  EXPECT_FALSE(ufile::getFileSize(folder_.file(L"missing"), size));
  EXPECT_TRUE(log_.messages().empty());
}

TEST_F(UFile, IsDirectoryOnlyForFolders) {
  vxtest::writeFile(folder_.file(L"a.txt"), "x");
  EXPECT_TRUE(ufile::isDirectory(folder_.path()));
  EXPECT_TRUE(ufile::isDirectory(folder_.path() + L"\\"));
  EXPECT_FALSE(ufile::isDirectory(folder_.file(L"a.txt")));
  EXPECT_FALSE(ufile::isDirectory(folder_.file(L"missing")));
  EXPECT_FALSE(ufile::isDirectory(L""));
}

TEST_F(UFile, GetFullPathResolvesAgainstTheCurrentDirectory) {
  wchar_t current[MAX_PATH] = {};
  ASSERT_NE(::GetCurrentDirectoryW(MAX_PATH, current), 0u);
  std::wstring base = current;
  if (base.back() != L'\\') base += L'\\';
  const struct {
    std::wstring path;
    std::wstring full;
  } cases[] = {
      {L"a\\b", base + L"a\\b"},
      {L"a/b/", base + L"a\\b\\"},
      {L"C:\\x\\..\\y", L"C:\\y"},
      {folder_.path(), folder_.path()},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(ufile::getFullPath(c.path), c.full) << c.path;
}

TEST_F(UFile, ReadFileReadsWholeFilesUpToTheLimit) {
  vxtest::writeFile(folder_.file(L"empty"), "");
  vxtest::writeFile(folder_.file(L"abc"), std::string("a\0c", 3));
  const struct {
    std::wstring path;
    std::uint64_t maxBytes;
    ufile::ReadStatus status;
    std::string bytes;
  } cases[] = {
      {folder_.file(L"abc"), 3, ufile::ReadStatus::Read, std::string("a\0c", 3)},
      {folder_.file(L"abc"), 2, ufile::ReadStatus::Failed, ""},
      {folder_.file(L"empty"), 0, ufile::ReadStatus::Read, ""},
      {folder_.file(L"missing"), 10, ufile::ReadStatus::CannotOpen, ""},
      {folder_.path(), 10, ufile::ReadStatus::CannotOpen, ""},
  };
  for (const auto& c : cases) {
    std::string out = "stale";
    EXPECT_EQ(ufile::readFile(c.path, c.maxBytes, out), c.status) << c.path << " " << c.maxBytes;
    EXPECT_EQ(out, c.bytes) << c.path << " " << c.maxBytes;
  }
  EXPECT_TRUE(log_.messages().empty());
}

TEST_F(UFile, ReadFileReadsAFileThatIsOpenForWriting) {
  const std::wstring path = folder_.file(L"log.txt");
  utility::ScopedHandle writer(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(writer.valid());
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(writer.get(), "line\r\n", 6, &written, nullptr));
  std::string out;
  EXPECT_EQ(ufile::readFile(path, 100, out), ufile::ReadStatus::Read);
  EXPECT_EQ(out, "line\r\n");
}

TEST(UFileName, GetFileName) {
  const struct {
    std::wstring path;
    bool keepExtension;
    std::wstring name;
  } cases[] = {
      {L"C:\\a\\b.c.exe", false, L"b.c"},
      {L"C:\\a\\b.c.exe", true, L"b.c.exe"},
      {L"C:/a/b.exe", false, L"b"},
      {L"b.exe", false, L""},
      {L"b.exe", true, L""},
      {L"C:\\a/b\\c/d.exe", false, L"c/d"},
      {L"C:\\a\\noext", false, L"noext"},
      {L"C:\\a\\", true, L""},
      {L"C:\\a\\.hidden", false, L""},
      {L"C:\\a\\vandorix9_kr_2033_x.exe", false, L"vandorix9_kr_2033_x"},
  };
  for (const auto& c : cases) EXPECT_EQ(ufile::getFileName(c.path, c.keepExtension), c.name) << c.path;
}

TEST(UFileAppData, IsAnExistingFolderWithoutTrailingBackslash) {
  const std::wstring dir = ufile::getAppDataDir();
  ASSERT_FALSE(dir.empty());
  EXPECT_NE(dir.back(), L'\\');
  EXPECT_TRUE(std::filesystem::is_directory(dir));
  wchar_t expected[MAX_PATH] = {};
  ::ExpandEnvironmentStringsW(L"%APPDATA%", expected, MAX_PATH);
  EXPECT_EQ(dir, expected);
}

}  // namespace
