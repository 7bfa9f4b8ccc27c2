#include "app/terminal_list_store.h"

#include "common/ini_file.h"
#include "common/message_ids.h"
#include "common/product.h"
#include "common/winmsg.h"
#include "engine/terminal_runs.h"
#include "terminal/data_folder_map.h"
#include "terminal/folder_presence.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_list_codec.h"

namespace {

std::vector<StoredTerminal> StoredTerminals(const std::wstring& stored) {
  if (stored.empty()) return {};
  return DecodeTerminalListEntries(stored, g_lang.GetText(msg::kRoleProvider), g_lang.GetText(msg::kRoleReceiver),
                                   g_lang.GetText(msg::kInstallCompleted), g_lang.GetText(msg::kNothingToUninstall));
}

}  // namespace

std::wstring SettingsFilePath() {
  return g_product.dataFolder.empty() ? L"" : g_product.dataFolder + L"tcinst.cfg";
}

std::vector<std::wstring> StoredFolders(const std::wstring& settingsFile) {
  std::vector<std::wstring> folders;
  for (const StoredTerminal& item : StoredTerminals(CIniFile::ReadFrom(CConfig::PathFor(settingsFile), L"MAIN", L"PATH"))) {
    folders.push_back(item.entry.installFolder);
  }
  return folders;
}

std::vector<TerminalEntry> LoadRows(const std::wstring& stored, const AccountPrefetch::Accounts& readAhead) {
  const std::vector<StoredTerminal> entries = StoredTerminals(stored);
  g_mtAssist.ScanRunningTerminals(true, true);
  std::vector<RunningTerminal> running;
  for (std::size_t i = 0; i < g_mtAssist.exePaths.size(); ++i) {
    running.push_back({g_mtAssist.ScannedPathAsRun(i), g_mtAssist.accounts[i]});
  }
  const DataFolderMap dataFolders(CMTAssist::DataFolderRoot());
  std::vector<TerminalEntry> rows = MergeTerminalRows(entries, running, PresenceOfFolder, [&](const std::wstring& folder) {
    return g_mtAssist.AccountOf(folder, dataFolders, readAhead);
  });
  // A run the process did not live to finish says so until the row is run again.
  for (TerminalEntry& row : rows) {
    if (std::wstring interrupted = InterruptedRowState(row.installFolder); !interrupted.empty()) row.state = interrupted;
  }
  return rows;
}

void StoreRows(const TerminalRows& rows) {
  g_config.WriteMain(L"PATH", EncodeTerminalList(rows.rows, g_lang.GetText(msg::kRoleProvider),
                                                 g_lang.GetText(msg::kRoleReceiver), g_lang.GetText(msg::kCanceled),
                                                 g_lang.GetText(msg::kSearching)));
}
