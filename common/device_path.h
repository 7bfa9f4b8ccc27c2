#pragma once
#include <string>
#include <vector>

// A drive as "X:" and the device name its letter stands for, such as
// "\Device\HarddiskVolume1".
struct DriveDevice {
  std::wstring drive;
  std::wstring device;
};

// Replaces the device name at the start of path by the first drive whose device it is.
// A device counts only when the path goes on with "\" or ends there, so Volume1 never
// claims a path on Volume10. Drives A: and B: are never considered. False, with the path
// unchanged, when no drive matches.
bool ReplaceDevicePrefix(std::wstring& path, const std::vector<DriveDevice>& drives);
