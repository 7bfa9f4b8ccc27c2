#pragma once
#include <windows.h>

#include <string>

// Why a file or folder of a terminal could not be written, from the system error: engine message
// 10 for a file in use, the administrator text for a refused write, the drive and the room the
// package needs (neededBytes) for a full disk, else the system's text with the path.
std::wstring CopyFailureText(DWORD error, const std::wstring& path, ULONGLONG neededBytes);

// The free bytes for this user on the drive of path; 0 when it cannot be asked.
ULONGLONG FreeBytesAt(const std::wstring& path);

// "Cannot read <file> from the package" with the system's reason.
std::wstring UnreadablePackageFileText(const std::wstring& file, DWORD error);
