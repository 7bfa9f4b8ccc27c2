#pragma once
#include <windows.h>

#include <functional>
#include <string>

// The system language the test run was started with: "en", "zh" or "tw".
std::string TestLocale();
// A Linux path as Wine's Z: drive shows it.
std::wstring WindowsPathOfUnixPath(const std::string& unixPath);
// The folder of the running test program, with a trailing backslash.
std::wstring TestProgramFolder();
// The browser that a web address is opened in, by its full path: the one the system registers,
// else the one in Program Files.
std::wstring InternetExplorerProgram();
// The first top-level window of the process that matches, else nullptr.
HWND TopWindowOf(DWORD processId, const std::function<bool(HWND)>& matches);
// The installer's main window once a process of it shows one, else nullptr.
HWND InstallerWindowOf(DWORD processId);
