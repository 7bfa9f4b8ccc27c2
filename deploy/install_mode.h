#pragma once
#include <string_view>

// Which install buttons the window offers.
enum InstallMode : int {
  kBothRoles = 0,
  kProviderOnly = 1,
  kReceiverOnly = 2,
};

// Decided by case-sensitive words in the installer's full path; Receiver words win.
InstallMode InstallModeFromPath(std::wstring_view installerPath);
