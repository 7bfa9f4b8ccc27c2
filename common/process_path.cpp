#include "common/process_path.h"

#include <psapi.h>

#include <vector>

#include "common/device_path.h"
#include "common/unique_handle.h"

namespace {

std::vector<DriveDevice> CurrentDriveDevices() {
  std::vector<DriveDevice> drives;
  wchar_t roots[1000] = {};
  const DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(std::size(roots)), roots);
  if (length == 0 || length >= std::size(roots)) return drives;
  for (const wchar_t* root = roots; *root; root += wcslen(root) + 1) {
    const std::wstring drive(root, 2);
    wchar_t device[100] = {};
    if (QueryDosDeviceW(drive.c_str(), device, static_cast<DWORD>(std::size(device))) == 0) continue;
    drives.push_back({drive, device});
  }
  return drives;
}

std::wstring ImagePathByDeviceName(HANDLE process) {
  wchar_t image[MAX_PATH] = {};
  if (GetProcessImageFileNameW(process, image, MAX_PATH) == 0) return {};
  std::wstring path = image;
  return DevicePathToDrivePath(path) ? path : std::wstring();
}

}  // namespace

std::wstring GetProcessPathLimited(DWORD processId) {
  UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return {};
  wchar_t image[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (!QueryFullProcessImageNameW(process.Get(), 0, image, &size)) return {};
  return std::wstring(image, size);
}

bool DevicePathToDrivePath(std::wstring& path) { return ReplaceDevicePrefix(path, CurrentDriveDevices()); }

std::wstring GetProcessPath(DWORD processId) {
  if (processId == 0) return {};
  UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
  if (process) {
    std::wstring path = ImagePathByDeviceName(process.Get());
    if (!path.empty()) return path;
  }
  // Limited query access is all an unelevated program gets on an elevated one, and the
  // full image name also covers network drives, whose device path no drive letter names.
  return GetProcessPathLimited(processId);
}

std::wstring GetWindowProcessPath(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return GetProcessPath(processId);
}
