#pragma once
#include <windows.h>

#include <optional>
#include <string>

// How a running process was started, as its process parameters hold it.
struct ProcessStart {
  std::wstring commandLine;
  std::wstring folder;  // the working folder, with its trailing backslash
};

// Nothing when the process refuses reading its memory (one running as administrator) or
// its parameters cannot be read whole.
std::optional<ProcessStart> ReadProcessStart(DWORD processId);
