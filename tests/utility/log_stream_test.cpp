#include "utility/log_stream.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/common/temp_dir.h"
#include "utility/log_writer.h"

namespace {

const common::LogStamp kStamp{1, 2, 3, 4, 5, 6, 42};

// Builds one record through a writer whose thread never runs, then writes
// the queue out and returns the file.
std::string recordFile(const std::string& functionName, const std::string& message) {
  vxtest::TempDir folder;
  {
    common::LogWriter writer(folder.file(L"log.txt"));
    common::LogStream(kStamp, functionName.c_str(), 7, &writer) << message;
    writer.flush();
  }
  return vxtest::readFile(folder.file(L"log.txt"));
}

TEST(LogStream, RecordIsHeaderMessageAndCrLf) {
  EXPECT_EQ(recordFile("CAppModel::init", "hello 100%"),
            "01-02\t03:04:05.006\t0042\tCAppModel::init\t(7):hello 100%\r\n");
  common::LogStamp wide{12, 31, 23, 59, 59, 999, 123456};
  vxtest::TempDir folder;
  {
    common::LogWriter writer(folder.file(L"log.txt"));
    common::LogStream(wide, "f", -1, &writer) << "";
  }
  EXPECT_EQ(vxtest::readFile(folder.file(L"log.txt")), "12-31\t23:59:59.999\t123456\tf\t(-1):\r\n");
}

// The header here takes 29 bytes plus the function name; with a 900-byte
// message and CR LF a 93-character name makes exactly 1024 bytes.
TEST(LogStream, RecordOfMoreThan1024BytesIsDroppedWhole) {
  const std::string message(900, 'x');
  struct Case {
    std::size_t nameLength;
    bool written;
  };
  for (Case c : {Case{93, true}, Case{94, false}, Case{2000, false}}) {
    std::string file = recordFile(std::string(c.nameLength, 'f'), message);
    if (c.written) {
      EXPECT_EQ(file.size(), 1024u) << c.nameLength;
      EXPECT_EQ(file.substr(file.size() - 902), message + "\r\n");
    } else {
      EXPECT_EQ(file, "") << c.nameLength;
    }
  }
}

}  // namespace
