#pragma once
// Drive probes: which fixed drives exist, what the system says about each,
// how much room they have and whether a typed path can be an install
// directory. No state, no log; failures give neutral values.

#include <string>
#include <vector>

#include "utility/drive_choice.h"

namespace utility::usystem {

// Roots ("C:\") of the fixed, not hot-pluggable drives, in drive-letter order.
std::vector<std::wstring> enumFixedDrives();

// True unless the volume's storage device says it has neither removable media
// nor a hot-pluggable device; false when the volume cannot be opened.
bool isHotplugDrive(const std::wstring& root);

// True when the storage device of drive ("C:") reports TRIM enabled.
bool isTrimEnabled(const std::wstring& drive);

// What the drive choice needs to know about root; beyond the type only
// gathered for fixed drives.
DriveFacts queryDriveFacts(const std::wstring& root);

// The drive's weight for the drive choice (see driveWeight).
double getDriveWeight(const std::wstring& root);

// Root of the preferred drive for a default install directory, or empty.
std::wstring getMaxFreeSpaceDrive();

// Reads what the drive choice needs to know about one drive root.
using DriveFactsQuery = DriveFacts (*)(const std::wstring& root);
// getMaxFreeSpaceDrive with the facts of every logical drive taken from query.
std::wstring getMaxFreeSpaceDrive(DriveFactsQuery query);

// MiB available to this user on the drive of path; 0 when unknown.
double getDiskFreeSpaceMB(const std::wstring& path);

// True when path has the shape of an install directory and its drive has
// room available to this user.
bool isValidInstallPath(const std::wstring& path);

}  // namespace utility::usystem
