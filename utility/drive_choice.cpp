#include "utility/drive_choice.h"

namespace utility::usystem {

double bytesToMiB(std::uint64_t bytes) { return static_cast<double>(bytes) / 1048576.0; }

bool isOfferedDrive(const DriveFacts& drive) { return drive.type == kDriveFixed && !drive.hotplug; }

double driveWeight(const DriveFacts& drive) {
  if (!drive.freeSpaceKnown) return 0;
  // A failed volume query does not exclude the drive; a known other file
  // system (exFAT, ReFS, ...) does.
  if (drive.fileSystemKnown && drive.fileSystem != L"FAT32" && drive.fileSystem != L"NTFS") return 0;
  double weight = bytesToMiB(drive.availableBytes);
  if (drive.trimEnabled && static_cast<long long>(weight) > kSolidStateBoostMiB) weight *= 1000;
  return weight;
}

std::wstring chooseDrive(const std::vector<DriveFacts>& drives) {
  double best = 0;
  std::wstring result;
  for (const DriveFacts& drive : drives) {
    if (!isOfferedDrive(drive)) continue;
    double weight = driveWeight(drive);
    if (weight > best) {
      best = weight;
      result = drive.root;
    }
  }
  return result;
}

}  // namespace utility::usystem
