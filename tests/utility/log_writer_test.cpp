#include "utility/log_writer.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tests/common/log_capture.h"
#include "tests/common/temp_dir.h"
#include "utility/scoped_handle.h"

namespace {

constexpr long long kLimit = 52428800;
constexpr long long kKept = 2097152;

// A numbered record of exactly size bytes.
std::string numbered(int n, std::size_t size) {
  char number[16];
  std::snprintf(number, sizeof number, "r%05d ", n);
  std::string record(number);
  record.resize(size - 2, '.');
  return record + "\r\n";
}

TEST(LogWriter, ExistingContentIsKeptUnlessTheFileIsUtf16) {
  struct Case {
    const char* name;
    std::string before;  // empty: no file yet
    bool emptied;
  };
  const Case cases[] = {
      {"utf16",
       std::string("\xFF\xFE"
                   "o\0l\0d\0",
                   8),
       true},
      {"utf16 mark only", "\xFF\xFE", true},
      {"big-endian mark",
       "\xFE\xFF"
       "old",
       false},
      {"one byte FF", "\xFF", false},
      {"text", "12-01\t00:00:00.000\t0001\tf\t(1):earlier run\r\n", false},
      {"no file", "", false},
  };
  for (const Case& c : cases) {
    vxtest::TempDir folder;
    std::wstring path = folder.file(L"log.txt");
    if (!c.before.empty()) vxtest::writeFile(path, c.before);
    {
      common::LogWriter writer(path);
      writer.append("new\r\n");
    }
    EXPECT_EQ(vxtest::readFile(path), (c.emptied ? std::string() : c.before) + "new\r\n") << c.name;
  }
}

// The queue takes a record while it holds at most one batch (10,240 bytes)
// and drops the rest until the writer empties it; no thread runs here, so
// nothing is written before flush.
TEST(LogWriter, RecordsBeyondAFullQueueAreDroppedAndOrderIsKept) {
  vxtest::TempDir folder;
  std::wstring path = folder.file(L"log.txt");
  std::string expected;
  {
    common::LogWriter writer(path);
    int n = 0;
    // 80 records of 128 bytes fill exactly one batch; the 81st still fits.
    for (; n < 81; ++n) {
      writer.append(numbered(n, 128));
      expected += numbered(n, 128);
    }
    for (; n < 200; ++n) writer.append(numbered(n, 128));
    EXPECT_EQ(vxtest::readFile(path), "");
    writer.flush();
    for (; n < 210; ++n) {
      writer.append(numbered(n, 128));
      expected += numbered(n, 128);
    }
  }
  EXPECT_EQ(vxtest::readFile(path), expected);
}

TEST(LogWriter, RunningWriterWritesWithoutBeingAsked) {
  vxtest::TempDir folder;
  std::wstring path = folder.file(L"log.txt");
  common::LogWriter writer(path);
  ASSERT_TRUE(writer.start());
  writer.append("first\r\n");
  std::string content;
  // Waits for the writer's own batch; the bound only keeps a broken writer
  // from hanging the suite.
  for (int i = 0; i < 600 && content.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    content = vxtest::readFile(path);
  }
  EXPECT_EQ(content, "first\r\n");
}

// With an interval of an hour only the early wake can write anything: a
// queue one byte short of a batch stays queued, the byte that completes the
// batch has the writer write it at once.
TEST(LogWriter, AFullBatchWakesTheWriterBeforeItsInterval) {
  vxtest::TempDir folder;
  std::wstring path = folder.file(L"log.txt");
  common::LogWriter writer(path, std::chrono::hours(1));
  ASSERT_TRUE(writer.start());
  std::string expected;
  for (int n = 0; n < 80; ++n) {
    const std::string record = numbered(n, n < 79 ? 128 : 127);
    writer.append(record);
    expected += record;
  }
  ASSERT_EQ(expected.size(), common::LogWriter::kBatchBytes - 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(vxtest::readFile(path), "");
  writer.append("\n");
  expected += "\n";
  std::string content;
  // The bound only keeps a writer that never wakes from hanging the suite.
  for (int i = 0; i < 400 && content != expected; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    content = vxtest::readFile(path);
  }
  EXPECT_TRUE(content == expected) << content.size();
}

TEST(LogWriter, ManyProducersLoseNothingWhileTheQueueHasRoom) {
  vxtest::TempDir folder;
  std::wstring path = folder.file(L"log.txt");
  {
    common::LogWriter writer(path);
    ASSERT_TRUE(writer.start());
    std::thread producers[4];
    for (int t = 0; t < 4; ++t) {
      producers[t] = std::thread([&writer, t] {
        for (int i = 0; i < 50; ++i) {
          writer.append(numbered(t * 1000 + i, 40));
        }
      });
    }
    for (std::thread& p : producers) p.join();
  }
  std::string content = vxtest::readFile(path);
  // 8,000 bytes in all: the queue never refuses a record.
  EXPECT_EQ(content.size(), 4u * 50u * 40u);
  // Each producer's records keep their order.
  for (int t = 0; t < 4; ++t) {
    std::size_t at = 0;
    for (int i = 0; i < 50; ++i) {
      std::size_t found = content.find(numbered(t * 1000 + i, 40), at);
      ASSERT_NE(found, std::string::npos) << t << " " << i;
      at = found;
    }
  }
}

TEST(LogWriter, OtherWritersOfTheSharedFileAreNotOverwritten) {
  vxtest::TempDir folder;
  std::wstring path = folder.file(L"log.txt");
  common::LogWriter writer(path);
  utility::ScopedHandle other(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(other.valid());
  writer.append("one\r\n");
  writer.flush();
  DWORD written = 0;
  ::SetFilePointer(other.get(), 0, nullptr, FILE_END);
  ASSERT_TRUE(::WriteFile(other.get(), "other\r\n", 7, &written, nullptr));
  writer.append("two\r\n");
  writer.flush();
  EXPECT_EQ(vxtest::readFile(path), "one\r\nother\r\ntwo\r\n");
}

// Sizes the file quickly: zeros up to the pattern, then a known pattern over
// the last 3 MiB.
std::string presize(const std::wstring& path, long long size) {
  std::string pattern(3 * 1024 * 1024, '\0');
  for (std::size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<char>('a' + i % 23);
  utility::ScopedHandle file(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER at;
  at.QuadPart = size - static_cast<long long>(pattern.size());
  DWORD written = 0;
  EXPECT_TRUE(::SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN));
  EXPECT_TRUE(::WriteFile(file.get(), pattern.data(), static_cast<DWORD>(pattern.size()), &written, nullptr));
  return pattern;
}

long long sizeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

TEST(LogWriter, FileReaching50MiBKeepsItsLast2MiB) {
  const std::string record = numbered(1, 100);
  for (long long reached : {kLimit - 1, kLimit, kLimit + 5000}) {
    vxtest::TempDir folder;
    std::wstring path = folder.file(L"log.txt");
    std::string pattern = presize(path, reached - static_cast<long long>(record.size()));
    common::LogWriter writer(path);
    writer.append(record);
    writer.flush();
    if (reached < kLimit) {
      EXPECT_EQ(sizeOf(path), reached);
      continue;
    }
    std::string tail = (pattern + record).substr(pattern.size() + record.size() - kKept);
    // Compared whole; a mismatch of 2 MiB strings is not worth printing.
    EXPECT_TRUE(vxtest::readFile(path) == tail) << reached;
    // Later records follow the kept part.
    writer.append("after\r\n");
    writer.flush();
    EXPECT_TRUE(vxtest::readFile(path) == tail + "after\r\n") << reached;
  }
}

// A view of the file held elsewhere makes shortening it fail
// (ERROR_USER_MAPPED_FILE) after the tail was already copied over the head.
// The cut is then given up for the run and reported once, not repeated on
// every write.
TEST(LogWriter, ACutThatCannotShortenTheFileIsNotRepeated) {
  vxtest::TempDir folder;
  std::wstring path = folder.file(L"log.txt");
  const std::string record = numbered(1, 100);
  const std::string pattern = presize(path, kLimit - static_cast<long long>(record.size()));
  utility::ScopedHandle reader(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(reader.valid());
  utility::ScopedHandle mapping(::CreateFileMappingW(reader.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  ASSERT_TRUE(mapping.valid());
  const void* view = ::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0);
  ASSERT_NE(view, nullptr);

  vxtest::LogCapture log;
  common::LogWriter writer(path);
  writer.append(record);
  writer.flush();
  const std::string tail = (pattern + record).substr(pattern.size() + record.size() - kKept);
  const std::string afterCut = vxtest::readFile(path);
  EXPECT_EQ(static_cast<long long>(afterCut.size()), kLimit);
  EXPECT_TRUE(afterCut.compare(0, kKept, tail) == 0);
  EXPECT_EQ(log.lines(),
            std::vector<std::wstring>{L"common::LogWriter::reportCutFailure: log cut failed, error = 1224, "
                                      L"the log is no longer cut"});

  writer.append("after\r\n");
  writer.flush();
  EXPECT_TRUE(vxtest::readFile(path) == afterCut + "after\r\n");
  EXPECT_EQ(log.lines().size(), 1u);
  ::UnmapViewOfFile(view);
}

}  // namespace
