#pragma once
#include <windows.h>

// DLLs outside the system's KnownDLLs list are loaded at first use from System32 only, never
// by a static import: a file of the same name beside the installer (often Downloads) would be
// loaded before the program's first line runs.
HMODULE SystemLibrary(const wchar_t* name);

// The function `name` of the System32 DLL `dll` as the given pointer type; nullptr when
// either is missing. Callers keep the result in a static, so the DLL is loaded once.
template <typename Function>
Function* SystemFunction(const wchar_t* dll, const char* name) {
  const HMODULE module = SystemLibrary(dll);
  return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
