// The installer's file name as a browser saves it, split into its parameters.
#include <gtest/gtest.h>

#include "app/file_name_params.h"

namespace {

struct NameCase {
  const wchar_t* baseName;
  bool present;
  const wchar_t* tag;
  const wchar_t* language;
  const wchar_t* channel;
  const wchar_t* package;
};

class FileNameParamsTable : public testing::TestWithParam<NameCase> {};

TEST_P(FileNameParamsTable, PiecesLandInTheirParameters) {
  const NameCase& c = GetParam();
  const FileNameParams params = parseFileNameParams(c.baseName);
  EXPECT_EQ(params.present, c.present);
  EXPECT_EQ(params.tag, c.tag);
  EXPECT_EQ(params.language, c.language);
  EXPECT_EQ(params.channel, c.channel);
  EXPECT_EQ(params.package, c.package);
}

INSTANTIATE_TEST_SUITE_P(
    Names,
    FileNameParamsTable,
    testing::Values(NameCase{L"setup", false, L"", L"", L"", L""},
                    NameCase{L"vandorix9_kr_1234", false, L"", L"", L"", L""},
                    NameCase{L"Vandorix9_kr_2033_x", true, L"Vandorix9", L"kr", L"2033", L""},
                    // The copy number a browser appends stays in the ignored last piece.
                    NameCase{L"vandorix9_kr_2033_x (1)", true, L"vandorix9", L"kr", L"2033", L""},
                    NameCase{L"vandorix9_kr_1234_x", true, L"vandorix9", L"kr", L"1234", L""},
                    NameCase{L"vandorix9_vn_com.game.app_1500_x", true, L"vandorix9", L"vn", L"1500", L"com.game.app"},
                    NameCase{L"vandorix9_vn_com.game.app_1500_x (2)", true, L"vandorix9", L"vn", L"1500",
                             L"com.game.app"},
                    // Four pieces: the 3rd is the channel even when it is not digits.
                    NameCase{L"vandorix9_vn_com.game.app_1500", true, L"vandorix9", L"vn", L"com.game.app", L""},
                    // Digits in the 3rd piece always mean the channel.
                    NameCase{L"vandorix9_th_1500_abc_x", true, L"vandorix9", L"th", L"1500", L""},
                    // An empty 3rd piece counts as digits: no channel, no package.
                    NameCase{L"vandorix9_kr__77_x", true, L"vandorix9", L"kr", L"", L""},
                    NameCase{L" VANDORIX64 _ ens _ 1200 _a", true, L"VANDORIX64", L"ens", L"1200", L""},
                    NameCase{L"vandorix9_english_77_x", true, L"vandorix9", L"english", L"77", L""}));

}  // namespace
