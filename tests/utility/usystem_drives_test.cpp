#include "utility/usystem_drives.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "utility/usystem_os.h"

namespace {

bool contains(const std::vector<std::wstring>& roots, const std::wstring& root) {
  return std::find(roots.begin(), roots.end(), root) != roots.end();
}

// What Wine answers for its C: drive: a fixed NTFS volume with room that can
// be opened, but whose storage IOCTLs fail (ERROR_NOT_SUPPORTED). A device
// that does not answer counts as hot-plug, so C: is never offered here.
TEST(DriveProbes, WineCDriveFacts) {
  const utility::usystem::DriveFacts c = utility::usystem::queryDriveFacts(L"C:\\");
  EXPECT_EQ(c.type, utility::usystem::kDriveFixed);
  EXPECT_TRUE(c.freeSpaceKnown);
  EXPECT_GT(c.availableBytes, 0u);
  EXPECT_TRUE(c.fileSystemKnown);
  EXPECT_EQ(c.fileSystem, L"NTFS");
  EXPECT_TRUE(c.hotplug);
  EXPECT_FALSE(utility::usystem::isTrimEnabled(L"C:"));
  // The weight of a hot-plug drive is its free space alone; other programs
  // write to the same host disk meanwhile, so the two reads may differ a bit.
  EXPECT_NEAR(utility::usystem::getDriveWeight(L"C:\\"), utility::usystem::bytesToMiB(c.availableBytes), 1024.0);

  EXPECT_FALSE(contains(utility::usystem::enumFixedDrives(), L"C:\\"));
  EXPECT_NE(utility::usystem::getMaxFreeSpaceDrive(), L"C:\\");
}

// Whatever drive is preferred must be one of the listed fixed drives.
TEST(DriveProbes, PreferredDriveIsAListedFixedDrive) {
  const std::wstring preferred = utility::usystem::getMaxFreeSpaceDrive();
  if (!preferred.empty()) {
    EXPECT_TRUE(contains(utility::usystem::enumFixedDrives(), preferred)) << preferred;
  }
  for (const std::wstring& root : utility::usystem::enumFixedDrives()) {
    EXPECT_EQ(::GetDriveTypeW(root.c_str()), static_cast<UINT>(DRIVE_FIXED)) << root;
    EXPECT_FALSE(utility::usystem::isHotplugDrive(root)) << root;
  }
}

// Wine's facts with the hot-plug answer of a built-in disk: what a real
// machine's system disk reports.
utility::usystem::DriveFacts asBuiltInDisk(const std::wstring& root) {
  utility::usystem::DriveFacts facts = utility::usystem::queryDriveFacts(root);
  facts.hotplug = false;
  return facts;
}

TEST(DriveProbes, ADriveWhoseFactsQualifyIsPreferred) {
  EXPECT_EQ(utility::usystem::chooseDrive({asBuiltInDisk(L"C:\\")}), L"C:\\");
  const std::wstring preferred = utility::usystem::getMaxFreeSpaceDrive(&asBuiltInDisk);
  ASSERT_FALSE(preferred.empty());
  EXPECT_EQ(::GetDriveTypeW(preferred.c_str()), static_cast<UINT>(DRIVE_FIXED)) << preferred;
  EXPECT_GT(utility::usystem::driveWeight(asBuiltInDisk(preferred)), 0) << preferred;
}

TEST(DriveProbes, FreeSpaceOfAPathsDrive) {
  // Any path on the drive counts, existing or not; only its first 3 characters are used.
  const double mib = utility::usystem::getDiskFreeSpaceMB(L"C:\\no such folder\\x");
  EXPECT_GT(mib, 0);
  EXPECT_EQ(utility::usystem::getDiskFreeSpaceMB(L"\x01:\\x"), 0);
  EXPECT_EQ(utility::usystem::getDiskFreeSpaceMB(L""), 0);
}

// Wine's prefix is set to Windows 10, which reports 6.2 to a program whose
// manifest lists no supported versions.
TEST(OsProbes, WineReportsVistaOrLater) { EXPECT_TRUE(utility::usystem::isVistaOrLater()); }

}  // namespace
