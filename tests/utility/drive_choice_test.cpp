#include "utility/drive_choice.h"

#include <gtest/gtest.h>

namespace {

using utility::usystem::DriveFacts;

constexpr std::uint64_t kMiB = 1048576;
constexpr std::uint64_t kGiB = 1024 * kMiB;

// An NTFS fixed drive whose facts were all read.
DriveFacts drive(const wchar_t* root, std::uint64_t bytes, bool ssd = false) {
  DriveFacts facts;
  facts.root = root;
  facts.type = utility::usystem::kDriveFixed;
  facts.freeSpaceKnown = true;
  facts.availableBytes = bytes;
  facts.fileSystemKnown = true;
  facts.fileSystem = L"NTFS";
  facts.trimEnabled = ssd;
  return facts;
}

DriveFacts withFileSystem(DriveFacts facts, const wchar_t* name) {
  facts.fileSystem = name;
  return facts;
}

DriveFacts hotplug(DriveFacts facts) {
  facts.hotplug = true;
  return facts;
}

DriveFacts ofType(DriveFacts facts, unsigned type) {
  facts.type = type;
  return facts;
}

DriveFacts volumeUnknown(DriveFacts facts) {
  facts.fileSystemKnown = false;
  facts.fileSystem.clear();
  return facts;
}

DriveFacts spaceUnknown(DriveFacts facts) {
  facts.freeSpaceKnown = false;
  facts.availableBytes = 0;
  return facts;
}

struct WeightCase {
  const char* name;
  DriveFacts facts;
  double weight;
};

TEST(DriveChoice, WeightIsFreeMiBBoostedForLargeSolidStateDrives) {
  const WeightCase cases[] = {
      {"rotating 900 GiB", drive(L"C:\\", 900 * kGiB), 921600.0},
      {"solid-state 40 GiB is boosted", drive(L"C:\\", 40 * kGiB, true), 40960000.0},
      {"solid-state exactly 30720 MiB is not", drive(L"C:\\", 30720 * kMiB, true), 30720.0},
      {"solid-state 30720.5 MiB truncates to 30720", drive(L"C:\\", 30720 * kMiB + kMiB / 2, true), 30720.5},
      {"solid-state 30721 MiB is boosted", drive(L"C:\\", 30721 * kMiB, true), 30721000.0},
      {"fraction of a MiB kept", drive(L"C:\\", kMiB + kMiB / 2), 1.5},
      {"FAT32 counts", withFileSystem(drive(L"C:\\", 10 * kMiB), L"FAT32"), 10.0},
      {"exFAT weighs nothing", withFileSystem(drive(L"C:\\", 500 * kGiB), L"exFAT"), 0.0},
      {"ReFS weighs nothing", withFileSystem(drive(L"C:\\", 500 * kGiB), L"ReFS"), 0.0},
      {"file-system names are case-sensitive", withFileSystem(drive(L"C:\\", 500 * kGiB), L"ntfs"), 0.0},
      {"unreadable volume is not excluded", volumeUnknown(drive(L"C:\\", 64 * kMiB)), 64.0},
      {"unreadable free space weighs nothing", spaceUnknown(drive(L"C:\\", 0, true)), 0.0},
  };
  for (const WeightCase& c : cases) {
    EXPECT_DOUBLE_EQ(utility::usystem::driveWeight(c.facts), c.weight) << c.name;
  }
}

struct ChoiceCase {
  const char* name;
  std::vector<DriveFacts> drives;
  const wchar_t* chosen;
};

TEST(DriveChoice, PicksTheOfferedDriveOfGreatestWeight) {
  const ChoiceCase cases[] = {
      {"the one drive that qualifies is chosen", {drive(L"C:\\", kGiB)}, L"C:\\"},
      {"more free space wins", {drive(L"C:\\", 100 * kGiB), drive(L"D:\\", 200 * kGiB)}, L"D:\\"},
      {"solid-state over 30 GiB beats any rotating drive",
       {drive(L"C:\\", 900 * kGiB), drive(L"D:\\", 40 * kGiB, true)},
       L"D:\\"},
      {"solid-state at exactly 30720 MiB gets no boost",
       {drive(L"C:\\", 30720 * kMiB, true), drive(L"D:\\", 30721 * kMiB)},
       L"D:\\"},
      {"hot-plug drive never chosen", {drive(L"C:\\", 100 * kGiB), hotplug(drive(L"E:\\", 2048 * kGiB))}, L"C:\\"},
      {"exFAT drive never chosen",
       {drive(L"C:\\", 50 * kGiB), withFileSystem(drive(L"E:\\", 500 * kGiB), L"exFAT")},
       L"C:\\"},
      {"equal weights: earlier drive wins", {drive(L"C:\\", 100 * kGiB), drive(L"D:\\", 100 * kGiB)}, L"C:\\"},
      {"removable type never chosen", {ofType(drive(L"F:\\", 900 * kGiB), 2), drive(L"G:\\", kGiB)}, L"G:\\"},
      {"network type never chosen", {ofType(drive(L"N:\\", 900 * kGiB), 4)}, L""},
      {"all weigh zero gives no drive",
       {drive(L"C:\\", 0), withFileSystem(drive(L"D:\\", 9 * kGiB), L"exFAT"), spaceUnknown(drive(L"E:\\", 0))},
       L""},
      {"no drives gives no drive", {}, L""},
  };
  for (const ChoiceCase& c : cases) {
    EXPECT_EQ(utility::usystem::chooseDrive(c.drives), c.chosen) << c.name;
  }
}

}  // namespace
