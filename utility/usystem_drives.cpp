#include "utility/usystem_drives.h"

#include <windows.h>
#include <winioctl.h>

#include <cwchar>

#include "utility/install_path.h"
#include "utility/scoped_handle.h"

namespace utility::usystem {

namespace {

// Every root GetLogicalDriveStringsW lists, in its order.
std::vector<std::wstring> logicalDriveRoots() {
  std::vector<std::wstring> roots;
  const DWORD length = ::GetLogicalDriveStringsW(0, nullptr);
  if (length == 0) return roots;
  std::wstring buffer(length, L'\0');
  const DWORD written = ::GetLogicalDriveStringsW(length, buffer.data());
  if (written == 0 || written >= length) return roots;
  for (const wchar_t* root = buffer.c_str(); *root != L'\0'; root += wcslen(root) + 1) roots.emplace_back(root);
  return roots;
}

// Opening a volume needs administrator rights; without them this fails.
ScopedHandle openVolume(const std::wstring& drive) {
  const std::wstring device = L"\\\\.\\" + drive.substr(0, 2);
  return ScopedHandle(::CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
}

bool availableBytes(const std::wstring& path, std::uint64_t* bytes) {
  ULARGE_INTEGER available = {};
  if (!::GetDiskFreeSpaceExW(path.substr(0, 3).c_str(), &available, nullptr, nullptr)) return false;
  *bytes = available.QuadPart;
  return true;
}

void readWeightFacts(DriveFacts& drive) {
  drive.freeSpaceKnown = availableBytes(drive.root, &drive.availableBytes);
  DWORD flags = 0;
  wchar_t fileSystem[1024] = {};
  drive.fileSystemKnown = ::GetVolumeInformationW(drive.root.c_str(), nullptr, 0, nullptr, nullptr, &flags, fileSystem,
                                                  ARRAYSIZE(fileSystem)) != FALSE;
  if (drive.fileSystemKnown) drive.fileSystem = fileSystem;
  drive.trimEnabled = isTrimEnabled(drive.root.substr(0, 2));
}

}  // namespace

std::vector<std::wstring> enumFixedDrives() {
  std::vector<std::wstring> fixed;
  for (const std::wstring& root : logicalDriveRoots()) {
    if (::GetDriveTypeW(root.c_str()) == DRIVE_FIXED && !isHotplugDrive(root)) fixed.push_back(root);
  }
  return fixed;
}

bool isHotplugDrive(const std::wstring& root) {
  ScopedHandle volume = openVolume(root);
  if (!volume) return false;
  STORAGE_HOTPLUG_INFO info = {};
  DWORD returned = 0;
  const bool answered = ::DeviceIoControl(volume.get(), IOCTL_STORAGE_GET_HOTPLUG_INFO, nullptr, 0, &info, sizeof(info),
                                          &returned, nullptr) != FALSE;
  // A device that does not answer is not trusted to stay plugged in.
  return !answered || info.MediaRemovable != 0 || info.DeviceHotplug != 0;
}

bool isTrimEnabled(const std::wstring& drive) {
  ScopedHandle volume = openVolume(drive);
  if (!volume) return false;
  STORAGE_PROPERTY_QUERY query = {};
  query.PropertyId = StorageDeviceTrimProperty;
  query.QueryType = PropertyStandardQuery;
  DEVICE_TRIM_DESCRIPTOR trim = {};
  DWORD returned = 0;
  return ::DeviceIoControl(volume.get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query), &trim, sizeof(trim),
                           &returned, nullptr) &&
         trim.TrimEnabled == 1;
}

DriveFacts queryDriveFacts(const std::wstring& root) {
  DriveFacts drive;
  drive.root = root;
  drive.type = ::GetDriveTypeW(root.c_str());
  if (drive.type != kDriveFixed) return drive;
  drive.hotplug = isHotplugDrive(root);
  readWeightFacts(drive);
  return drive;
}

double getDriveWeight(const std::wstring& root) {
  DriveFacts drive;
  drive.root = root;
  readWeightFacts(drive);
  return driveWeight(drive);
}

std::wstring getMaxFreeSpaceDrive() { return getMaxFreeSpaceDrive(&queryDriveFacts); }

std::wstring getMaxFreeSpaceDrive(DriveFactsQuery query) {
  std::vector<DriveFacts> drives;
  for (const std::wstring& root : logicalDriveRoots()) drives.push_back(query(root));
  return chooseDrive(drives);
}

double getDiskFreeSpaceMB(const std::wstring& path) {
  std::uint64_t bytes = 0;
  return availableBytes(path, &bytes) ? bytesToMiB(bytes) : 0;
}

bool isValidInstallPath(const std::wstring& path) {
  const std::wstring candidate = installPathCandidate(path);
  if (!hasInstallPathShape(candidate)) return false;
  std::uint64_t bytes = 0;
  return availableBytes(candidate, &bytes) && bytes > 0;
}

}  // namespace utility::usystem
