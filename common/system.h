#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>

// Special folders, process paths and the system language. Folders end with a backslash;
// "" means nothing was found.
class CSystem {
 public:
  virtual ~CSystem() = default;

  std::wstring GetTempFolder() const;
  std::wstring GetDesktopFolder() const;
  std::wstring GetUserDesktopFolder() const;
  std::wstring GetDocumentsFolder() const;
  std::wstring GetAppDataFolder() const;
  std::wstring GetLocalAppDataFolder() const;

  // Values of the Explorer's shell folder key, per user and machine-wide.
  std::wstring ReadShellFolder(const std::wstring& valueName) const;
  std::wstring ReadCommonShellFolder(const std::wstring& valueName) const;

  // The drive-letter path of the program behind a window or process; "" when unknown.
  std::wstring GetWindowProcessPath(HWND window) const;
  std::wstring GetProcessPath(DWORD processId) const;
  bool DevicePathToDrivePath(std::wstring& path) const;

  bool IsChineseSystem() const;
};

extern CSystem g_system;

using FolderSource = std::function<std::wstring()>;
// The first source that gives a non-empty folder, with a trailing backslash; "" when none does.
std::wstring FirstFolder(std::initializer_list<FolderSource> sources);
