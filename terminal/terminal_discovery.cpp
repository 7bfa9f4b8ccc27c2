#include "terminal/terminal_discovery.h"

#include <windows.h>

#include <algorithm>

#include "common/file_ctrl.h"
#include "common/parallel.h"
#include "common/path_text.h"
#include "common/reg_ctrl.h"
#include "common/system.h"
#include "common/unique_handle.h"
#include "terminal/data_folder_map.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_probe_text.h"

namespace {

constexpr wchar_t kInstallKey[] = L"Software\\MetaQuotes Software\\MetaTrader 4";
constexpr wchar_t kXpMuiCacheKey[] = L"Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
constexpr wchar_t kMuiCacheKey[] = L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache";
// The shell's records are read into a buffer of this many characters; a longer name ends them.
constexpr std::size_t kMaxValueName = 1024;

bool IsDotEntry(const wchar_t* name) { return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0; }

void Append(std::wstring& candidates, const std::wstring& folder) { candidates += folder + L"|"; }

std::vector<std::wstring> SplitDrives(const std::wstring& drives) {
  std::vector<std::wstring> roots;
  for (std::size_t start = 0; start < drives.size();) {
    const std::size_t bar = std::min(drives.find(L'|', start), drives.size());
    if (bar > start) roots.push_back(drives.substr(start, bar - start));
    start = bar + 1;
  }
  return roots;
}

void AppendValueNames(const wchar_t* subKey, std::vector<std::wstring>& names) {
  UniqueKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return;
  std::vector<std::wstring> found;
  CRegCtrl().ListValueNames(std::move(key), found);
  const auto tooLong = std::find_if(found.begin(), found.end(),
                                    [](const std::wstring& name) { return name.size() >= kMaxValueName; });
  names.insert(names.end(), found.begin(), tooLong);
}

std::vector<std::wstring> MuiCacheNames() {
  std::vector<std::wstring> names;
  AppendValueNames(kXpMuiCacheKey, names);
  AppendValueNames(kMuiCacheKey, names);
  return names;
}

std::vector<std::wstring> RunningTerminalExePaths() {
  // Accounts too, so the rows' accounts come from the same scan afterwards.
  g_mtAssist.ScanRunningTerminals(true, true);
  std::vector<std::wstring> paths;
  for (std::size_t i = 0; i < g_mtAssist.exePaths.size(); ++i) paths.push_back(g_mtAssist.ScannedPathAsRun(i));
  return paths;
}

void AppendWhenTerminal(const std::wstring& folder, std::wstring& candidates) {
  if (IsTerminalFolderListed(folder, ListFolder(folder))) Append(candidates, folder);
}

// The recycle bin and the restore points hold copies of deleted and old files.
bool IsSkippedRootFolder(const std::wstring& folder) {
  const std::wstring lower = ToLower(folder);
  return lower.find(L"recycle") != std::wstring::npos || lower.find(L"system volume") != std::wstring::npos;
}

// A first-level folder that is a terminal is not looked into; otherwise its subfolders are tested.
void ScanBranch(const std::wstring& folder, std::wstring& candidates) {
  const FolderListing listing = ListFolder(folder);
  if (IsTerminalFolderListed(folder, listing)) {
    Append(candidates, folder);
    return;
  }
  for (const std::wstring& name : listing.subfolders) AppendWhenTerminal(folder + L"\\" + name, candidates);
}

void ScanDrive(const std::wstring& drive, std::wstring& candidates) {
  const std::wstring root = drive + L"\\";
  const FolderListing top = ListFolder(root);
  if (IsTerminalFolderListed(root, top)) Append(candidates, root);
  for (const std::wstring& name : top.subfolders) {
    if (!IsSkippedRootFolder(root + name)) ScanBranch(root + name, candidates);
  }
  const std::wstring finance = root + L"Program Files\\Finance\\";
  for (const std::wstring& name : ListFolder(finance).subfolders) AppendWhenTerminal(finance + name, candidates);
}

// Both sources name folders already seen by either one only once.
void AppendNew(const std::wstring& folder, std::vector<std::wstring>& seen, std::wstring& candidates) {
  const std::wstring lower = ToLower(folder);
  if (std::find(seen.begin(), seen.end(), lower) != seen.end()) return;
  seen.push_back(lower);
  Append(candidates, folder);
}

}  // namespace

DiscoverySources MachineDiscoverySources() {
  return {[] { return SplitDrives(GetFixedDrives()); },
          [] { return CRegCtrl().ReadString(HKEY_CURRENT_USER, kInstallKey, L"InstallPath").value; },
          MuiCacheNames, RunningTerminalExePaths};
}

std::wstring FindTerminals() { return FindTerminals(MachineDiscoverySources()); }

std::wstring FindTerminals(const DiscoverySources& sources) {
  std::wstring candidates;
  std::wstring installPath = sources.installPath();
  if (installPath.ends_with(L'\\')) installPath.erase(installPath.find_last_not_of(L'\\') + 1);
  // A path the terminal's setup left behind after the folder went would come back on every Refresh.
  if (!installPath.empty() && g_mtAssist.IsTerminalFolder(installPath)) Append(candidates, installPath);
  for (const std::wstring& drive : sources.fixedDrives()) ScanDrive(drive, candidates);
  std::vector<std::wstring> seen;
  for (const std::wstring& name : sources.muiCacheNames()) {
    const std::wstring folder = MuiCacheProgramFolder(name);
    if (!folder.empty() && g_mtAssist.IsTerminalFolder(folder)) AppendNew(folder, seen, candidates);
  }
  for (const std::wstring& exePath : sources.runningTerminalPaths()) {
    const std::wstring folder = FoundFolder(RunningTerminalFolder(exePath));
    if (!folder.empty()) AppendNew(folder, seen, candidates);
  }
  return candidates;
}

void MergeSearchResult(std::vector<TerminalEntry>& rows, const std::wstring& candidates) {
  AppendFoundTerminals(rows, candidates);
  const DataFolderMap dataFolders(CMTAssist::DataFolderRoot());
  ForEachInParallel(rows.size(), [&](std::size_t i) { rows[i].account = g_mtAssist.AccountOf(rows[i].installFolder, dataFolders); });
}

FolderListing ListFolder(const std::wstring& folder) {
  FolderListing listing;
  WIN32_FIND_DATAW entry{};
  UniqueFind find(FindFirstFileW((WithTrailingBackslash(folder) + L"*").c_str(), &entry));
  if (!find) return listing;
  listing.listed = true;
  do {
    if (IsDotEntry(entry.cFileName)) continue;
    listing.lowerNames.push_back(ToLower(entry.cFileName));
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) listing.subfolders.emplace_back(entry.cFileName);
  } while (FindNextFileW(find.Get(), &entry));
  return listing;
}

bool IsTerminalFolderListed(const std::wstring& folder, const FolderListing& listing) {
  // A folder that cannot be listed may still answer probes; a path the test rewrites (an
  // EA folder, an .exe) names another folder than the one listed.
  if (!listing.listed || TerminalTestFolder(folder) != ToLower(WithTrailingBackslash(folder))) {
    return g_mtAssist.IsTerminalFolder(folder);
  }
  return NamesMakeTerminalFolder(listing.lowerNames);
}
