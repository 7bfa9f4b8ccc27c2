#include <windows.h>

#include "app/dlg_about.h"
#include "app/dlg_inst_multi.h"
#include "app/resource.h"
#include "common/file_ctrl.h"
#include "common/ini_file.h"
#include "common/message_ids.h"
#include "common/message_pump.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/winmsg.h"
#include "terminal/terminal_discovery.h"
#include "terminal/data_folder_map.h"
#include "terminal/folder_presence.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_list_codec.h"
#include "terminal/terminal_probe_text.h"

namespace {

std::wstring TextInEveryLanguage(int id, int language) {
  CWinmsg catalog;
  catalog.FillTables();
  catalog.SetLanguage(language);
  return catalog.GetText(id);
}

std::vector<StoredTerminal> StoredTerminals(const std::wstring& stored) {
  if (stored.empty()) return {};
  return DecodeTerminalListEntries(stored, g_lang.GetText(msg::kRoleProvider), g_lang.GetText(msg::kRoleReceiver),
                                   g_lang.GetText(msg::kInstallCompleted), g_lang.GetText(msg::kNothingToUninstall));
}

std::vector<std::wstring> EveryLanguage(int id) {
  return {TextInEveryLanguage(id, 0), TextInEveryLanguage(id, 1), TextInEveryLanguage(id, 2)};
}

}  // namespace

std::wstring CDlgInstMulti::AccountOf(const std::wstring& installFolder) const {
  return g_mtAssist.AccountOf(installFolder);
}

void CDlgInstMulti::SetUpList() {
  listView_.Attach(Item(IDC_TERMINAL_LIST));
  RECT rect{};
  GetWindowRect(Window(), &rect);
  listView_.SetUp(rect.right - rect.left);
  rows_ = {};
}

// The window is made while the stored terminals' journals are read.
void CDlgInstMulti::ReadAccountsAhead() {
  std::vector<std::wstring> folders;
  for (const StoredTerminal& item : StoredTerminals(CIniFile::ReadFrom(CConfig::PathFor(SettingsFile()), L"MAIN", L"PATH"))) {
    folders.push_back(item.entry.installFolder);
  }
  if (!folders.empty()) accountsAhead_.Start(std::move(folders), CMTAssist::DataFolderRoot());
}

void CDlgInstMulti::LoadTerminalList() {
  const std::wstring stored = g_config.ReadMain(L"PATH");
  if (stored.empty()) SetTimer(Window(), kSearchTimer, 100, nullptr);
  const std::vector<StoredTerminal> entries = StoredTerminals(stored);
  g_mtAssist.ScanRunningTerminals(true, true);
  std::vector<RunningTerminal> running;
  for (std::size_t i = 0; i < g_mtAssist.exePaths.size(); ++i) {
    running.push_back({g_mtAssist.ScannedPathAsRun(i), g_mtAssist.accounts[i]});
  }
  const DataFolderMap dataFolders(CMTAssist::DataFolderRoot());
  const AccountPrefetch::Accounts readAhead = accountsAhead_.Take();
  rows_.rows = MergeTerminalRows(entries, running, PresenceOfFolder, [&](const std::wstring& folder) {
    return g_mtAssist.AccountOf(folder, dataFolders, readAhead);
  });
  ShowRows();
}

void CDlgInstMulti::SaveTerminalList() {
  g_config.WriteMain(L"PATH", EncodeTerminalList(rows_.rows, g_lang.GetText(msg::kRoleProvider),
                                                 g_lang.GetText(msg::kRoleReceiver), g_lang.GetText(msg::kCanceled),
                                                 g_lang.GetText(msg::kSearching)));
}

bool CDlgInstMulti::RefuseWhileSearching() {
  if (busy_.now != Busy::kSearching) return false;
  ShowMessage(g_lang.GetText(msg::kSearching), Window());
  return true;
}

void CDlgInstMulti::SyncSelection() { rows_.selectionMark = listView_.SelectionMark(); }

void CDlgInstMulti::ExplainClickedState(const NMITEMACTIVATE& click) {
  SyncSelection();
  if (click.iSubItem != 4 || rows_.selectionMark < 0 || rows_.selectionMark >= static_cast<int>(rows_.rows.size())) {
    return;
  }
  std::vector<std::wstring> outcomes = EveryLanguage(msg::kUninstallCompleted);
  for (const std::wstring& text : EveryLanguage(msg::kNothingToUninstall)) outcomes.push_back(text);
  const std::wstring text =
      ExplainState(rows_.rows[rows_.selectionMark].state, EveryLanguage(msg::kInstallCompleted), outcomes);
  if (!text.empty()) ShowMessage(text, Window());
}

void CDlgInstMulti::LaunchOrOpenSelected() {
  SyncSelection();
  const std::optional<int> selected = rows_.Selected();
  if (!selected) return;
  std::wstring target = rows_.rows[*selected].installFolder;
  if (IsDlgButtonChecked(Window(), IDC_CLICK_TO_LAUNCH) == BST_CHECKED) {
    if (target.empty() || target.back() != L'\\') target += L'\\';
    target = g_mtAssist.GetTerminalExe(target);
  }
  if (PathKind(target) != kPathNone) {
    Launcher().Open(target, L"", SW_SHOWNORMAL, L"");
  } else {
    ShowMessage(target + L" not found!", Window());
  }
}

void CDlgInstMulti::OnSelectAll() {
  rows_.TickAll();
  ShowRows();
}

void CDlgInstMulti::OnInverse() {
  rows_.InvertTicks();
  ShowRows();
}

void CDlgInstMulti::OnAdd() {
  g_mtAssist.ScanRunningTerminals(true, true);
  std::wstring folder = Prompt().BrowseFolder(Window(), g_lang.GetText(msg::kSelectInstallFolder), L"");
  if (folder.empty()) return;
  if (!g_mtAssist.IsTerminalFolder(folder)) {
    ShowMessage(g_lang.GetText(msg::kInvalidInstallFolder) + L"\n" + folder, Window());
    return;
  }
  if (IsListed(folder, rows_.rows)) {
    const std::wstring caption = g_lang.GetProductText(product_text::kDisplayName);
    if (Prompt().AskYesNo(Window(), g_lang.GetText(msg::kPlatformExists), caption)) DuplicateAndStart(folder);
    return;
  }
  TerminalEntry row;
  row.installFolder = NormalizeInstallFolder(folder);
  row.account = AccountOf(row.installFolder);
  rows_.rows.push_back(row);
  ShowRows();
  SaveTerminalList();
}

void CDlgInstMulti::OnRemove() {
  SyncSelection();
  if (!rows_.RemoveTickedOrSelected()) {
    ShowMessage(g_lang.GetText(msg::kSelectTerminalToRemove), Window());
    return;
  }
  ShowRows();
  ShowMessage(g_lang.GetText(msg::kCompleted), Window());
  SaveTerminalList();
}

void CDlgInstMulti::OnRefresh() {
  SyncSelection();
  rows_.RemoveWhere([](TerminalEntry& row) {
    const FolderPresence presence = PresenceOfFolder(row.installFolder);
    row.unavailable = presence == FolderPresence::kUnavailable;
    return presence == FolderPresence::kGone;
  });
  ShowRows();
  SearchAndRefresh(true);
}

void CDlgInstMulti::OnHelp() { g_files.OpenInBrowser(g_lang.GetProductText(product_text::kHelpAddress)); }

void CDlgInstMulti::OnContactUs() {
  CDlgAbout about(Instance(), copierVersion_);
  about.RunModal(Window());
}

void CDlgInstMulti::OnOptionBox(int id, const wchar_t* key) {
  g_config.WriteMain(key, IsDlgButtonChecked(Window(), id) == BST_CHECKED ? L"" : L"0");
}

void CDlgInstMulti::ShowSearchStatus(bool searching) {
  SetDlgItemTextW(Window(), IDC_SEARCH_STATUS, searching ? g_lang.GetText(msg::kSearching).c_str() : L"");
  ShowWindow(Item(IDC_SEARCH_STATUS), searching ? SW_SHOW : SW_HIDE);
  ShowWindow(Item(IDC_TERMINAL_LIST), searching ? SW_HIDE : SW_SHOW);
}

void CDlgInstMulti::SearchAndRefresh(bool isRefresh) {
  busy_.now = Busy::kSearching;
  ShowSearchStatus(true);
  DispatchPendingMessages();
  MergeSearchResult(rows_.rows, FindTerminals());
  ShowRows();
  SaveTerminalList();
  if (isRefresh) ShowMessage(g_lang.GetText(msg::kCompleted), Window());
  ShowSearchStatus(false);
  busy_.now = Busy::kIdle;
}
