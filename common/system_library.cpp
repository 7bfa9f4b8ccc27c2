#include "common/system_library.h"

#include <string>

HMODULE SystemLibrary(const wchar_t* name) {
  // Never freed: callers keep the functions they found for the life of the process.
  if (const HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
  // A Windows 7 without update KB2533623 rejects the flag: a full path is just as safe.
  wchar_t system[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(system) + L"\\" + name).c_str());
}
