#pragma once
// Which fixed drive receives the product when the user has chosen none.
// Platform-free: it works on facts gathered per drive, so every rule can be
// checked without real drives.

#include <cstdint>
#include <string>
#include <vector>

namespace utility::usystem {

// Drive kind as GetDriveTypeW reports it; only fixed drives are offered.
constexpr unsigned kDriveFixed = 3;

// Free space above which a solid-state drive is preferred to any rotating one.
constexpr long long kSolidStateBoostMiB = 30720;

// What the system told about one drive.
struct DriveFacts {
  std::wstring root;                 // "C:\"
  unsigned type = 0;                 // GetDriveTypeW value
  bool hotplug = false;              // removable media or hot-pluggable device
  bool freeSpaceKnown = false;       // the free-space query succeeded
  std::uint64_t availableBytes = 0;  // bytes available to the caller
  bool fileSystemKnown = false;      // the volume query succeeded
  std::wstring fileSystem;           // "NTFS", "FAT32", "exFAT", ...
  bool trimEnabled = false;          // taken to mean a solid-state drive
};

// Bytes as MiB, with fraction.
double bytesToMiB(std::uint64_t bytes);

// True for a fixed drive that is not hot-pluggable.
bool isOfferedDrive(const DriveFacts& drive);

// Free MiB, times 1000 for a solid-state drive above the boost threshold;
// 0 when free space is unknown or the file system is neither FAT32 nor NTFS.
double driveWeight(const DriveFacts& drive);

// Root of the offered drive of greatest weight (the earlier one on a tie),
// or the empty string when none weighs more than 0.
std::wstring chooseDrive(const std::vector<DriveFacts>& drives);

}  // namespace utility::usystem
