#include "skinui/core/resources/archive_directory.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "skinui/core/resources/archive_extract.h"
#include "tests/common/temp_dir.h"
#include "tests/skinui/test_archives.h"

namespace {

using vxtest::Bytes;
namespace fs = std::filesystem;

int extractTo(const Bytes& archive, const std::wstring& dir, const SkinUI::ArchiveProgressObserver& observer = {}) {
  return SkinUI::ExtractArchiveToDirectory(archive.data(), archive.size(), dir.c_str(), observer);
}

TEST(ArchiveDirectory, WritesFilesFoldersAndEmptyFiles) {
  for (int id : {vxtest::kSkinBcj, vxtest::kSkinLzma2}) {
    vxtest::TempDir dir;
    ASSERT_EQ(extractTo(vxtest::ResourceBytes(id), dir.path() + L"\\"), SkinUI::kArchiveOk) << id;
    for (const wchar_t* name :
         {L"mainframe.xml", L"language.tsv", L"common/close.png", L"common/icons/deep/arrow.bin"}) {
      EXPECT_EQ(vxtest::ReadFileBytes(dir.file(name)), vxtest::SkinSource(name));
    }
    EXPECT_TRUE(fs::is_directory(fs::path(dir.file(L"common\\icons\\deep"))));
    fs::path empty(dir.file(L"layout\\empty.xml"));
    EXPECT_TRUE(fs::is_regular_file(empty));
    EXPECT_EQ(fs::file_size(empty), 0u);
  }
}

// The current directory of the test program for one scope.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::wstring& path) {
    ::GetCurrentDirectoryW(MAX_PATH, saved_);
    EXPECT_TRUE(::SetCurrentDirectoryW(path.c_str()));
  }
  ~CurrentDirectory() { ::SetCurrentDirectoryW(saved_); }

 private:
  wchar_t saved_[MAX_PATH] = {};
};

TEST(ArchiveDirectory, RelativeTargetIsTakenFromTheCurrentDirectory) {
  vxtest::TempDir dir;
  Bytes archive = vxtest::ResourceBytes(vxtest::kSkinLzma2);
  {
    CurrentDirectory inside(dir.path());
    ASSERT_EQ(extractTo(archive, L"unpacked"), SkinUI::kArchiveOk);
    EXPECT_EQ(extractTo(archive, L""), SkinUI::kArchiveBadParameter);
  }
  EXPECT_EQ(vxtest::ReadFileBytes(dir.file(L"unpacked\\common\\close.png")), vxtest::SkinSource(L"common/close.png"));
  EXPECT_EQ(SkinUI::ExtractArchiveToDirectory(archive.data(), archive.size(), nullptr), SkinUI::kArchiveBadParameter);
}

TEST(ArchiveDirectory, DamagedFileGives1005) {
  Bytes archive = vxtest::ResourceBytes(vxtest::kSkinCopy);
  archive[vxtest::FindText(archive, "DEEP-ARROW")] ^= 0x20;
  vxtest::TempDir dir;
  EXPECT_EQ(extractTo(archive, dir.path() + L"\\"), SkinUI::kArchiveCrcError);
}

TEST(ArchiveDirectory, FileThatCannotBeOpenedGives1015) {
  vxtest::TempDir dir;
  fs::create_directories(fs::path(dir.file(L"mainframe.xml")));
  EXPECT_EQ(extractTo(vxtest::ResourceBytes(vxtest::kSkinLzma2), dir.path() + L"\\"), SkinUI::kArchiveCannotOpenOutput);
}

TEST(ArchiveDirectory, ObserverSeesRunningTotalsAndCanStop) {
  Bytes archive = vxtest::ResourceBytes(vxtest::kSkinLzma2);
  uint64_t last = 0;
  int calls = 0;
  vxtest::TempDir all;
  ASSERT_EQ(extractTo(archive, all.path() + L"\\",
                      [&](uint64_t total, const wchar_t* file) {
                        EXPECT_GT(total, last);
                        EXPECT_NE(file[0], L'\0');
                        last = total;
                        ++calls;
                        return true;
                      }),
            SkinUI::kArchiveOk);
  EXPECT_GE(calls, 4);

  vxtest::TempDir stopped;
  int seen = 0;
  EXPECT_EQ(extractTo(archive, stopped.path() + L"\\", [&](uint64_t, const wchar_t*) { return ++seen < 2; }),
            SkinUI::kArchiveStopped);
  EXPECT_EQ(seen, 2);
}

// The archive holds "zz/evil.txt"; renaming "zz" to ".." in its plain
// header (and fixing the header CRCs) makes an entry that points outside.
Bytes escapingArchive() {
  Bytes archive = vxtest::ResourceBytes(vxtest::kEscapeCopy);
  const std::string zz("z\0z\0", 4);
  for (size_t at = vxtest::FindText(archive, zz); at != std::string::npos; at = vxtest::FindText(archive, zz)) {
    archive[at] = '.';
    archive[at + 2] = '.';
  }
  auto get64 = [&](size_t at) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | archive[at + i];
    return v;
  };
  auto put32 = [&](size_t at, unsigned v) {
    for (int i = 0; i < 4; ++i) archive[at + i] = static_cast<unsigned char>(v >> (8 * i));
  };
  size_t header = 32 + static_cast<size_t>(get64(12));
  put32(28, vxtest::Crc32(archive.data() + header, static_cast<size_t>(get64(20))));
  put32(8, vxtest::Crc32(archive.data() + 12, 20));
  return archive;
}

TEST(ArchiveDirectory, NameThatLeavesTheDirectoryIsRefused) {
  Bytes archive = escapingArchive();
  vxtest::TempDir parent;
  std::wstring target = parent.file(L"target\\");
  fs::create_directories(fs::path(target));
  // Readable in memory, refused on disk.
  std::vector<std::wstring> names;
  EXPECT_EQ(
      SkinUI::ExtractArchiveToMemory(archive.data(), archive.size(),
                                     [&](const wchar_t* name, const unsigned char*, size_t) { names.push_back(name); }),
      SkinUI::kArchiveOk);
  EXPECT_EQ(names, std::vector<std::wstring>{L"../evil.txt"});
  EXPECT_EQ(extractTo(archive, target), SkinUI::kArchiveCannotOpenOutput);
  EXPECT_FALSE(fs::exists(fs::path(parent.file(L"evil.txt"))));
}

}  // namespace
