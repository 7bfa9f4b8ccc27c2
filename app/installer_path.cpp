#include "app/installer_path.h"

#include <windows.h>

std::wstring InstallerPath() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, length);
}
