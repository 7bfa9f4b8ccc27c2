#include <windows.h>

// Stands in for a DLL left beside the installer by another download: once loaded it leaves
// a file of its own name with ".loaded" appended.
BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t path[MAX_PATH + 8] = {};
  GetModuleFileNameW(self, path, MAX_PATH);
  lstrcatW(path, L".loaded");
  CloseHandle(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  return TRUE;
}
