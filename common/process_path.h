#pragma once
#include <windows.h>

#include <string>

// Rewrites a device path ("\Device\HarddiskVolume1\...") in place into a drive path
// ("C:\..."); false, with the path unchanged, when no drive letter stands for its device.
bool DevicePathToDrivePath(std::wstring& path);
// The full image path of a process, or "" when it cannot be opened or read.
std::wstring GetProcessPath(DWORD processId);
// The image path read with limited query access, which GetProcessPath falls back to
// when the process refuses full query access (an elevated terminal does) or its device
// path names no drive.
std::wstring GetProcessPathLimited(DWORD processId);
// The full image path of the program that owns a window, or "".
std::wstring GetWindowProcessPath(HWND window);
