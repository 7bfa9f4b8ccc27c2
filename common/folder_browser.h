#pragma once
#include <windows.h>

#include <string>

// The shell's folder browser: the folder picked with a trailing backslash, or "" on cancel.
std::wstring ShowFolderBrowser(HWND owner, const std::wstring& title, const std::wstring& initialFolder);
