#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include "common/device_path.h"
#include "common/process_path.h"

namespace {

std::wstring OwnModulePath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

TEST(DevicePath, MatchesWholeDeviceNamesOnly) {
  const std::vector<DriveDevice> drives = {
      {L"C:", L"\\Device\\HarddiskVolume1"},
      {L"D:", L"\\Device\\HarddiskVolume10"},
  };
  std::wstring path = L"\\Device\\HarddiskVolume10\\MT4\\terminal.exe";
  EXPECT_TRUE(ReplaceDevicePrefix(path, drives));
  EXPECT_EQ(path, L"D:\\MT4\\terminal.exe");

  path = L"\\device\\harddiskvolume1\\MT4\\terminal.exe";
  EXPECT_TRUE(ReplaceDevicePrefix(path, drives));
  EXPECT_EQ(path, L"C:\\MT4\\terminal.exe");

  path = L"\\Device\\HarddiskVolume1";
  EXPECT_TRUE(ReplaceDevicePrefix(path, drives));
  EXPECT_EQ(path, L"C:");
}

TEST(DevicePath, UnknownDevicesAndFloppyDrivesLeaveThePath) {
  const std::vector<DriveDevice> drives = {
      {L"A:", L"\\Device\\Floppy0"},
      {L"B:", L"\\Device\\HarddiskVolume2"},
      {L"C:", L"\\Device\\HarddiskVolume1"},
  };
  for (const wchar_t* original : {L"\\Device\\Floppy0\\x.exe", L"\\Device\\HarddiskVolume2\\x.exe",
                                  L"\\Device\\HarddiskVolume12\\x.exe", L"\\Device\\Mup\\srv\\x.exe"}) {
    std::wstring path = original;
    EXPECT_FALSE(ReplaceDevicePrefix(path, drives)) << original;
    EXPECT_EQ(path, original);
  }
}

TEST(ProcessPath, OwnProcessByDeviceNameAndByLimitedQuery) {
  const std::wstring expected = OwnModulePath();
  wchar_t image[MAX_PATH] = {};
  ASSERT_GT(GetProcessImageFileNameW(GetCurrentProcess(), image, MAX_PATH), 0u);
  std::wstring converted = image;
  ASSERT_TRUE(DevicePathToDrivePath(converted)) << image;
  EXPECT_EQ(_wcsicmp(converted.c_str(), expected.c_str()), 0) << converted;

  EXPECT_EQ(_wcsicmp(GetProcessPath(GetCurrentProcessId()).c_str(), expected.c_str()), 0);
  EXPECT_EQ(_wcsicmp(GetProcessPathLimited(GetCurrentProcessId()).c_str(), expected.c_str()), 0);
  EXPECT_EQ(GetProcessPath(0), L"");

  std::wstring unknown = L"\\Device\\NoSuchDevice\\x.exe";
  EXPECT_FALSE(DevicePathToDrivePath(unknown));
  EXPECT_EQ(unknown, L"\\Device\\NoSuchDevice\\x.exe");
}

}  // namespace
