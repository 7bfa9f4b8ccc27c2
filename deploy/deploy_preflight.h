#pragma once
#include <windows.h>

#include <string>
#include <vector>

// One package folder and the terminal folder its files go to.
struct FolderJob {
  std::wstring from;
  std::wstring masks;
  std::wstring to;
};

// Checked before the first file goes into a root: every package file can be read, every
// folder that receives a file can be written and the drive has room for what differs. ""
// when the copy may start, else the reason; neededBytes receives what will be written.
std::wstring PreflightRoot(const std::wstring& root, const std::vector<FolderJob>& jobs, ULONGLONG& neededBytes);
