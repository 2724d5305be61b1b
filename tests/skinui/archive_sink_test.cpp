// The sinks and the decoder are used through their own headers, which must
// not carry the LZMA SDK's types and macros into the code that includes them.
#include "skinui/core/resources/archive_decoder.h"
#include "skinui/core/resources/archive_directory_sink.h"
#include "skinui/core/resources/archive_memory_sink.h"

#if defined(SZ_OK) || defined(ZIP7_INC_7Z_H)
#error "an archive glue header exposes the LZMA SDK"
#endif

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skinui/core/resources/archive_extract.h"
#include "tests/skinui/test_archives.h"

namespace {

TEST(ArchiveSink, MemorySinkCountsEveryByteItHandsOut) {
  vxtest::Bytes archive = vxtest::ResourceBytes(vxtest::kSkinLzma2);
  std::vector<std::wstring> names;
  size_t bytes = 0;
  SkinUI::ArchiveFileCallback callback = [&](const wchar_t* name, const unsigned char*, size_t n) {
    names.push_back(name);
    bytes += n;
  };
  SkinUI::CArchiveMemorySink sink(callback);
  EXPECT_EQ(SkinUI::DecodeArchive(archive.data(), archive.size(), sink), SkinUI::kArchiveOk);
  EXPECT_EQ(sink.Error(), 0);
  EXPECT_EQ(sink.Total(), bytes);
  EXPECT_EQ(names.size(), 4u);
}

}  // namespace
