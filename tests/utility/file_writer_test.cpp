#include "utility/file_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/common/temp_dir.h"

namespace {

TEST(CFileWriter, OpenTruncatesAndWritesAppendInOrder) {
  vxtest::TempDir folder;
  const std::wstring path = folder.file(L"Vandorix.exe.tmp");
  vxtest::writeFile(path, "earlier, longer content");
  utility::CFileWriter writer;
  ASSERT_TRUE(writer.open(path));
  EXPECT_TRUE(writer.write("abc", 3));
  EXPECT_TRUE(writer.write("", 0));
  EXPECT_TRUE(writer.write("de", 2));
  // Readable while the download is still being written.
  EXPECT_EQ(vxtest::readFile(path), "abcde");
  writer.close();
  writer.close();
  EXPECT_FALSE(writer.write("x", 1));
  EXPECT_EQ(vxtest::readFile(path), "abcde");
}

TEST(CFileWriter, FailsWithoutAFile) {
  vxtest::TempDir folder;
  utility::CFileWriter writer;
  EXPECT_FALSE(writer.write("x", 1));
  EXPECT_FALSE(writer.open(folder.file(L"no\\such\\folder\\f.bin")));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(writer.write("x", 1));
  // A new open replaces a previous file.
  ASSERT_TRUE(writer.open(folder.file(L"a")));
  ASSERT_TRUE(writer.open(folder.file(L"b")));
  EXPECT_TRUE(writer.write("b", 1));
  writer.close();
  EXPECT_EQ(vxtest::readFile(folder.file(L"a")), "");
  EXPECT_EQ(vxtest::readFile(folder.file(L"b")), "b");
}

}  // namespace
