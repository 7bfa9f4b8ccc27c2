#include "common/file_ctrl.h"
#include "common/path_text.h"

CFileCtrl g_files;

int PathKind(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return kPathNone;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? kPathFolder : kPathFile;
}

bool FolderExists(const std::wstring& path) { return PathKind(path) == kPathFolder; }

bool FileExists(const std::wstring& path) { return PathKind(path) == kPathFile; }

std::wstring GetModuleFilePath() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, length < MAX_PATH ? length : MAX_PATH);
}

std::wstring GetModuleFolder() { return ParentFolderOf(GetModuleFilePath()); }

std::wstring GetFixedDrives() {
  wchar_t buffer[256] = {};
  const DWORD length = GetLogicalDriveStringsW(255, buffer);
  if (length == 0 || length > 255) return {};
  std::wstring drives;
  for (const wchar_t* root = buffer; *root != 0; root += wcslen(root) + 1) {
    if (GetDriveTypeW(root) != DRIVE_FIXED) continue;
    if (!drives.empty()) drives += L'|';
    drives += std::wstring(root, 2);
  }
  return drives;
}
