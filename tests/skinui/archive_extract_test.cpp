#include "skinui/core/resources/archive_extract.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/skinui/test_archives.h"

namespace {

using vxtest::Bytes;

struct Unpacked {
  std::wstring name;
  Bytes data;
};

struct Extraction {
  int result = -1;
  std::vector<Unpacked> files;
};

Extraction extract(const Bytes& archive) {
  Extraction out;
  out.result = SkinUI::ExtractArchiveToMemory(archive.data(), archive.size(),
                                              [&out](const wchar_t* name, const unsigned char* data, size_t n) {
                                                out.files.push_back({name, Bytes(data, data + n)});
                                              });
  return out;
}

// Every file reported must be byte-identical to its source in data/skin.
void expectMatchesSources(const std::vector<Unpacked>& files) {
  for (const Unpacked& file : files) {
    EXPECT_EQ(file.data, vxtest::SkinSource(file.name)) << std::string(file.name.begin(), file.name.end());
  }
}

// The files of damaged must be the first files of intact, in order.
void expectPrefixOf(const std::vector<Unpacked>& damaged, const std::vector<Unpacked>& intact) {
  ASSERT_LE(damaged.size(), intact.size());
  for (size_t i = 0; i < damaged.size(); ++i) {
    EXPECT_EQ(damaged[i].name, intact[i].name);
    EXPECT_EQ(damaged[i].data, intact[i].data);
  }
}

class ArchiveMethods : public testing::TestWithParam<int> {};

TEST_P(ArchiveMethods, ReportsEveryNonEmptyFileAndNoDirectoryOrEmptyFile) {
  Bytes archive = vxtest::ResourceBytes(GetParam());
  ASSERT_FALSE(archive.empty());
  Extraction out = extract(archive);
  EXPECT_EQ(out.result, SkinUI::kArchiveOk);
  std::vector<std::wstring> names;
  for (const Unpacked& file : out.files) names.push_back(file.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"common/close.png", L"common/icons/deep/arrow.bin", L"language.tsv",
                                              L"mainframe.xml"}));
  expectMatchesSources(out.files);
}

INSTANTIATE_TEST_SUITE_P(Lzma2CopyAndBcj,
                         ArchiveMethods,
                         testing::Values(vxtest::kSkinLzma2, vxtest::kSkinCopy, vxtest::kSkinBcj));

TEST(ArchiveExtract, DictionarySmallerThanTheOutputIsStreamedThroughAWindow) {
  Extraction out = extract(vxtest::ResourceBytes(vxtest::kSmallWindow));
  EXPECT_EQ(out.result, SkinUI::kArchiveOk);
  ASSERT_EQ(out.files.size(), 1u);
  EXPECT_EQ(out.files[0].name, L"big.txt");
  Bytes expected = vxtest::WindowSource();
  EXPECT_EQ(expected.size(), 12000u);
  EXPECT_EQ(out.files[0].data, expected);
}

TEST(ArchiveExtract, CrcMismatchGives1005AndKeepsTheFilesBeforeIt) {
  Bytes archive = vxtest::ResourceBytes(vxtest::kSkinCopy);
  Extraction intact = extract(archive);
  size_t at = vxtest::FindText(archive, "DEEP-ARROW");
  ASSERT_NE(at, std::string::npos);
  archive[at] ^= 0x20;

  Extraction damaged = extract(archive);
  EXPECT_EQ(damaged.result, SkinUI::kArchiveCrcError);
  expectPrefixOf(damaged.files, intact.files);
  size_t arrow = 0;
  while (arrow < intact.files.size() && intact.files[arrow].name != L"common/icons/deep/arrow.bin") ++arrow;
  EXPECT_EQ(damaged.files.size(), arrow);
}

TEST(ArchiveExtract, DamagedCompressedStreamFailsAndReportsOnlyIntactFiles) {
  Bytes archive = vxtest::ResourceBytes(vxtest::kSkinLzma2);
  Extraction intact = extract(archive);
  // The packed stream starts right after the 32-byte start header.
  for (size_t at : {size_t{40}, size_t{120}, size_t{200}}) {
    Bytes copy = archive;
    copy[at] ^= 0x55;
    Extraction damaged = extract(copy);
    EXPECT_TRUE(damaged.result == SkinUI::kArchiveDataError || damaged.result == SkinUI::kArchiveCrcError)
        << "byte " << at << " gave " << damaged.result;
    expectPrefixOf(damaged.files, intact.files);
  }
}

TEST(ArchiveExtract, TruncatedArchiveFailsWithoutReportingFiles) {
  Bytes archive = vxtest::ResourceBytes(vxtest::kSkinLzma2);
  for (size_t keep : {size_t{6}, size_t{31}, size_t{32}, archive.size() / 2, archive.size() - 1}) {
    Bytes cut(archive.begin(), archive.begin() + static_cast<std::ptrdiff_t>(keep));
    Extraction out = extract(cut);
    EXPECT_GE(out.result, SkinUI::kArchiveDataError) << "kept " << keep;
    EXPECT_LE(out.result, SkinUI::kArchiveNotAnArchive) << "kept " << keep;
    EXPECT_TRUE(out.files.empty()) << "kept " << keep;
  }
}

TEST(ArchiveExtract, BytesThatAreNoArchiveGive1014) {
  Bytes text = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'a', 'r', 'c', 'h', 'i', 'v', 'e', ' ', 'a',
                't', ' ', 'a', 'l', 'l', '.', '.', '.', '.', '.', '.', '.', '.', '.', '.', '.'};
  Bytes png = vxtest::SkinSource(L"common/close.png");
  for (const Bytes& bytes : {text, png}) {
    Extraction out = extract(bytes);
    EXPECT_EQ(out.result, SkinUI::kArchiveNotAnArchive);
    EXPECT_TRUE(out.files.empty());
  }
  EXPECT_NE(SkinUI::ExtractArchiveToMemory(nullptr, 0, {}), SkinUI::kArchiveOk);
}

TEST(ArchiveExtract, DecoderResultsMapToTheirCodes) {
  const std::pair<int, int> cases[] = {{0, 0},     {1, 1001},  {2, 1002},  {3, 1005},  {4, 1003},  {5, 1004},
                                       {6, 1006},  {7, 1007},  {8, 1008},  {9, 1009},  {10, 1010}, {11, 1011},
                                       {12, 1012}, {16, 1013}, {17, 1014}, {13, 1000}, {15, 1000}, {-1, 1000}};
  for (const auto& [sdk, code] : cases) EXPECT_EQ(SkinUI::MapDecoderResult(sdk), code) << sdk;
}

}  // namespace
