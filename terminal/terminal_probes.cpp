#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/system.h"
#include "terminal/data_folder_map.h"
#include "terminal/journal_account.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_probe_text.h"

namespace {

bool Exists(const std::wstring& path) { return PathKind(path) != kPathNone; }

bool AnyExists(const std::wstring& folder, const auto& names) {
  for (const wchar_t* name : names) {
    if (Exists(folder + name)) return true;
  }
  return false;
}

std::wstring LargestExe(const std::wstring& folder) {
  std::vector<std::wstring> programs;
  g_files.FindFiles(folder, programs, false, L"*.exe");
  return g_files.LargestFile(programs);
}

std::wstring AccountFromTerminal(const std::wstring& dataFolder, const std::wstring& installFolder) {
  for (const std::wstring& folder : {dataFolder, WithTrailingBackslash(installFolder)}) {
    if (folder.empty()) continue;
    std::wstring account = AccountFromJournals(folder + L"logs\\");
    if (!account.empty()) return account;
  }
  return {};
}

}  // namespace

bool CMTAssist::IsTerminalFolder(const std::wstring& path) const {
  // An empty path would probe the root of the current drive.
  if (Trim(path).empty()) return false;
  const std::wstring folder = TerminalTestFolder(path);
  return AnyExists(folder, kTerminalProgramNames) && AnyExists(folder, kTerminalDataNames);
}

std::wstring CMTAssist::GetTerminalExe(const std::wstring& path) const {
  const std::wstring folder = TerminalExeFolder(path);
  const std::wstring parent = ParentFolderOf(folder);
  std::wstring chosen;
  for (const wchar_t* name : {L"terminal.exe", L"terminal64.exe"}) {
    for (const std::wstring& base : {folder, parent}) {
      if (chosen.empty() && !base.empty() && Exists(base + name)) chosen = base + name;
    }
  }
  if (chosen.empty()) chosen = LargestExe(folder);
  if (!FileExists(chosen)) chosen = folder + L"terminal.exe";
  return chosen;
}

std::wstring CMTAssist::DataFolderRoot() {
  const std::wstring appData = g_system.GetAppDataFolder();
  return appData.empty() ? std::wstring() : appData + L"MetaQuotes\\Terminal\\";
}

std::wstring CMTAssist::GetDataFolder(const std::wstring& installFolder) const {
  return GetDataFolder(installFolder, DataFolderRoot());
}

std::wstring CMTAssist::GetDataFolder(const std::wstring& installFolder, const std::wstring& dataRoot) const {
  return DataFolderMap(dataRoot).Find(installFolder);
}

std::wstring CMTAssist::GetDataMqlFolder(const std::wstring& installFolder) const {
  return GetDataMqlFolder(installFolder, DataFolderRoot());
}

std::wstring CMTAssist::GetDataMqlFolder(const std::wstring& installFolder, const std::wstring& dataRoot) const {
  return GetDataMqlFolder(installFolder, DataFolderMap(dataRoot));
}

std::wstring CMTAssist::GetDataMqlFolder(const std::wstring& installFolder, const DataFolderMap& dataFolders) const {
  const std::wstring dataFolder = dataFolders.Find(installFolder);
  if (dataFolder.empty()) return {};
  for (const wchar_t* name : {L"\\MQL4\\", L"\\MQL5\\"}) {
    const std::wstring folder = NormalizePath(dataFolder + name);
    if (FolderExists(folder)) return folder;
  }
  return {};
}

std::wstring CMTAssist::GetMqlFolder(const std::wstring& base) const {
  // An empty base would name folders in the root of the current drive.
  if (Trim(base).empty()) return {};
  for (const wchar_t* name : {L"\\MQL4\\", L"\\MQL5\\", L"\\"}) {
    const std::wstring folder = NormalizePath(base + name);
    if (FolderExists(folder)) return folder;
  }
  return {};
}

std::wstring CMTAssist::ReadAccountFromLogs(const std::wstring& installFolder) const {
  return ReadAccountFromLogs(installFolder, DataFolderRoot());
}

std::wstring CMTAssist::ReadAccountFromLogs(const std::wstring& installFolder, const std::wstring& dataRoot) const {
  if (installFolder.empty()) return {};
  return AccountFromTerminal(GetDataFolder(installFolder, dataRoot), installFolder);
}

std::wstring CMTAssist::ReadAccountFromLogs(const std::wstring& installFolder, const DataFolderMap& dataFolders) const {
  if (installFolder.empty()) return {};
  return AccountFromTerminal(dataFolders.Find(installFolder), installFolder);
}

std::wstring CMTAssist::FindRunningAccount(const std::wstring& installFolder) const {
  // A window whose process could not be opened has an empty path; it must not match.
  if (installFolder.empty()) return {};
  const std::wstring wanted = ToLower(WithTrailingBackslash(installFolder));
  for (std::size_t i = 0; i < exePaths.size(); ++i) {
    if (ToLower(ParentFolderOf(exePaths[i])) == wanted) return i < accounts.size() ? accounts[i] : std::wstring();
  }
  return {};
}

std::wstring CMTAssist::AccountOf(const std::wstring& installFolder) const {
  std::wstring account = FindRunningAccount(installFolder);
  return account.empty() ? ReadAccountFromLogs(installFolder) : account;
}

std::wstring CMTAssist::AccountOf(const std::wstring& installFolder, const DataFolderMap& dataFolders) const {
  return AccountOf(installFolder, dataFolders, {});
}

std::wstring CMTAssist::AccountOf(const std::wstring& installFolder, const DataFolderMap& dataFolders,
                                  const std::unordered_map<std::wstring, std::wstring>& readAhead) const {
  std::wstring account = FindRunningAccount(installFolder);
  if (!account.empty()) return account;
  const auto read = readAhead.find(installFolder);
  return read != readAhead.end() ? read->second : ReadAccountFromLogs(installFolder, dataFolders);
}
