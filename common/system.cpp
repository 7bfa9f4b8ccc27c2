#include "common/system.h"

#include <shlobj.h>

#include "common/file_ctrl.h"
#include "common/hidden_text.h"
#include "common/path_text.h"
#include "common/process_path.h"
#include "common/reg_ctrl.h"
#include "common/seams.h"
#include "common/system_language.h"

CSystem g_system;

namespace {

std::wstring ShellFolderKey() {
  static constexpr hidden::Text kKey(L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
  return hidden::Decode(kKey.Stored());
}

FolderSource SpecialFolder(int csidl) {
  return [csidl] {
    wchar_t path[MAX_PATH] = {};
    return SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE) ? std::wstring(path) : std::wstring();
  };
}

FolderSource Environment(const wchar_t* name) {
  return [name] {
    wchar_t value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
  };
}

std::wstring ShellFolderValue(HKEY root, const std::wstring& valueName) {
  const RegString value = CRegCtrl().ReadString(root, ShellFolderKey(), valueName);
  // A bare drive root or shorter is not a usable folder.
  if (value.value.size() < 4) return {};
  if (!FolderExists(value.value) && !g_files.CreateFolderPath(value.value)) return {};
  return WithTrailingBackslash(value.value);
}

std::wstring OrNotice(std::wstring folder, const wchar_t* notice) {
  if (folder.empty()) ShowMessage(notice);
  return folder;
}

}  // namespace

std::wstring FirstFolder(std::initializer_list<FolderSource> sources) {
  for (const FolderSource& source : sources) {
    std::wstring folder = source();
    if (!folder.empty()) return WithTrailingBackslash(std::move(folder));
  }
  return {};
}

std::wstring CSystem::GetTempFolder() const {
  const FolderSource tempPath = [] {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, path);
    return length > 0 && length <= MAX_PATH ? std::wstring(path, length) : std::wstring();
  };
  return OrNotice(FirstFolder({tempPath, Environment(L"TMP"), Environment(L"TEMP")}), L"INVTMPPATH!");
}

std::wstring CSystem::GetDesktopFolder() const {
  return FirstFolder({SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY), [this] { return ReadCommonShellFolder(L"Common Desktop"); },
                      [this] { return GetUserDesktopFolder(); }});
}

std::wstring CSystem::GetUserDesktopFolder() const {
  return FirstFolder({SpecialFolder(CSIDL_DESKTOP), [this] { return ReadShellFolder(L"Desktop"); }});
}

std::wstring CSystem::GetDocumentsFolder() const {
  return OrNotice(FirstFolder({SpecialFolder(CSIDL_PERSONAL), [this] { return ReadShellFolder(L"Personal"); }}),
                  L"INVDOCPATH!");
}

std::wstring CSystem::GetAppDataFolder() const {
  return OrNotice(FirstFolder({SpecialFolder(CSIDL_APPDATA), Environment(L"APPDATA"),
                               [this] { return ReadShellFolder(L"AppData"); }}),
                  L"INVAPPDATAPATH!");
}

std::wstring CSystem::GetLocalAppDataFolder() const {
  return OrNotice(FirstFolder({SpecialFolder(CSIDL_LOCAL_APPDATA), Environment(L"LOCALAPPDATA"),
                               [this] { return ReadShellFolder(L"Local AppData"); }}),
                  L"INVLOCALDATAPATH!");
}

std::wstring CSystem::ReadShellFolder(const std::wstring& valueName) const {
  return ShellFolderValue(HKEY_CURRENT_USER, valueName);
}

std::wstring CSystem::ReadCommonShellFolder(const std::wstring& valueName) const {
  return ShellFolderValue(HKEY_LOCAL_MACHINE, valueName);
}

std::wstring CSystem::GetWindowProcessPath(HWND window) const { return ::GetWindowProcessPath(window); }

std::wstring CSystem::GetProcessPath(DWORD processId) const { return ::GetProcessPath(processId); }

bool CSystem::DevicePathToDrivePath(std::wstring& path) const { return ::DevicePathToDrivePath(path); }

bool CSystem::IsChineseSystem() const { return ::IsChineseSystem(); }
