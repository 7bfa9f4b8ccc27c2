#include "common/dll_search.h"

#include <windows.h>

void RestrictDllSearch() {
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  // Missing on a Windows 7 without update KB2533623.
  const auto setDefault = reinterpret_cast<SetDirectories>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
  SetSearchPathMode(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT);
}
