// The main window's number and text rules: the install path clean-up, the
// download amount text, the download bar and the simulated install creep.
#include "ui/main_frame_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(NormalizeInstallPath, FoldsSlashesAndSpaces) {
  struct Case {
    const wchar_t* in;
    const wchar_t* out;
  } cases[] = {
      {L"D:/Games", L"D:\\Games\\"},
      {L"D:/Games/", L"D:\\Games\\"},
      {L"D:\\Games\\Vandorix\\", L"D:\\Games\\Vandorix\\"},
      {L"D:\\\\Games", L"D:\\Games\\"},
      // One pass that resumes after each replacement: three become two.
      {L"D:\\\\\\Games", L"D:\\\\Games\\"},
      {L"D://Games", L"D:\\Games\\"},
      {L"  D:\\Games  ", L"D:\\Games\\"},
      // Only U+0020 is trimmed.
      {L"\tD:\\Games", L"\tD:\\Games\\"},
      {L"D:\\Games\t", L"D:\\Games\t\\"},
      {L"D:\\My Games", L"D:\\My Games\\"},
      {L"", L""},
      {L"   ", L""},
      {L"/", L"\\"},
  };
  for (const Case& c : cases) {
    std::wstring path = c.in;
    mainframe::normalizeInstallPath(path);
    EXPECT_EQ(path, c.out) << "in: [" << std::wstring(c.in) << "]";
  }
}

TEST(DownloadAmountText, ShowsTheReceivedUnitAndTheTotalInMegabytes) {
  constexpr int kMiB = 1024 * 1024;
  struct Case {
    int received;
    int total;
    const wchar_t* text;
  } cases[] = {
      {512, 10 * kMiB, L"512.00B/10.00M"},
      {1572864, 52428800, L"1.50M/50.00M"},
      {1023, 10 * kMiB, L"1023.00B/10.00M"},
      {1024, 10 * kMiB, L"1.00KB/10.00M"},
      {1536, 10 * kMiB, L"1.50KB/10.00M"},
      {524288, 10 * kMiB, L"512.00KB/10.00M"},
      {1048575, 10 * kMiB, L"1024.00KB/10.00M"},
      {1048576, 10 * kMiB, L"1.00M/10.00M"},
      {1, 1, L"1.00B/0.00M"},
      {3 * kMiB, 5 * kMiB / 2, L"3.00M/2.50M"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(mainframe::downloadAmountText(c.received, c.total), c.text) << c.received << " of " << c.total;
  }
}

TEST(DownloadBarValue, FillsUpToSixtyThreeWithAMinimumOfThreeUnlessArabic) {
  struct Case {
    int percent;
    int value;
    int arabicValue;
  } cases[] = {
      {0, 3, 0},     // 0 < 1: the percent itself, then the minimum
      {1, 3, 1},     // 0.63 < 1: the percent itself
      {2, 3, 1},     // 1.26: not below 1, truncated
      {4, 3, 2},     // 2.52
      {5, 3, 3},     // 3.15
      {10, 6, 6},    // 6.3
      {37, 23, 23},  // 23.31
      {50, 31, 31},  // 31.5
      {99, 62, 62},  // 62.37
      {100, 63, 63},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(mainframe::downloadBarValue(c.percent, false), c.value) << c.percent;
    EXPECT_EQ(mainframe::downloadBarValue(c.percent, true), c.arabicValue) << c.percent << " arabic";
  }
}

TEST(InstallCreepValue, IsSixtyFourPlusTheStepCappedAtThirtyFive) {
  const int cases[][2] = {{0, 64}, {1, 65}, {2, 66}, {34, 98}, {35, 99}, {36, 99}, {1000, 99}};
  for (const auto& c : cases) EXPECT_EQ(mainframe::installCreepValue(c[0]), c[1]) << c[0];
}

// The install timer's ticks: the step is capped, shown, then advanced by 2.
TEST(InstallCreepValue, TicksCreepFromSixtyFourToNinetyEightThenStayAtNinetyNine) {
  std::vector<int> shown;
  int step = 0;
  for (int tick = 0; tick < 22; ++tick) {
    step = std::min(step, 35);
    shown.push_back(mainframe::installCreepValue(step));
    step += 2;
  }
  std::vector<int> expected;
  for (int value = 64; value <= 98; value += 2) expected.push_back(value);
  while (expected.size() < shown.size()) expected.push_back(99);
  EXPECT_EQ(shown, expected);
}

}  // namespace
