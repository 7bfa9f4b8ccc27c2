#pragma once
#include <windows.h>

#include <string>

// The system's own text for an error code, followed by the code: "Access is denied (#5)".
std::wstring SystemReason(DWORD error);
// Bytes as megabytes with one decimal: "2.5".
std::wstring MegabytesText(ULONGLONG bytes);
