#pragma once
#include <windows.h>

#include <string>

class FileTree;

// The main window's start-up steps that need nothing of the window but its handle.

// The version the title shows: the copier library's beside the installer, else the installer's own.
struct CopierVersionInfo {
  std::wstring version;
  bool fullPackage = true;  // the full library, not the limited one
};
CopierVersionInfo ReadCopierVersion(const std::wstring& installerFolder);

// Places the signal database; "SUCC" or the reason the window must close.
std::wstring PlaceSignalDatabase(const std::wstring& installerFolder, const FileTree& packageFiles);

void CreateDesktopShortcut(const std::wstring& installerPath);

// A Simplified Chinese edition on a Traditional Chinese system points to the Traditional one.
void ShowTraditionalChineseNotice(HWND owner);
