#include "app/list_commands.h"

#include "app/dlg_about.h"
#include "app/dlg_inst_multi.h"
#include "app/resource.h"
#include "app/window_run.h"
#include "common/file_ctrl.h"
#include "common/ini_file.h"
#include "common/message_ids.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/winmsg.h"
#include "engine/terminal_runs.h"
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

std::vector<std::wstring> EveryLanguage(int id) {
  return {TextInEveryLanguage(id, 0), TextInEveryLanguage(id, 1), TextInEveryLanguage(id, 2)};
}

}  // namespace

void ListCommands::ExplainClickedState(const NMITEMACTIVATE& click) {
  w_.SyncSelection();
  const std::optional<int> selected = w_.rows_.Selected();
  if (click.iSubItem != 4 || !selected) return;
  std::vector<std::wstring> outcomes = EveryLanguage(msg::kUninstallCompleted);
  for (const std::wstring& text : EveryLanguage(msg::kNothingToUninstall)) outcomes.push_back(text);
  const std::wstring text =
      ExplainState(w_.rows_.rows[*selected].state, EveryLanguage(msg::kInstallCompleted), outcomes);
  if (!text.empty()) ShowMessage(text, w_.Window());
}

void ListCommands::LaunchOrOpenSelected() {
  w_.SyncSelection();
  const std::optional<int> selected = w_.rows_.Selected();
  if (!selected) return;
  std::wstring target = w_.rows_.rows[*selected].installFolder;
  if (IsDlgButtonChecked(w_.Window(), IDC_CLICK_TO_LAUNCH) == BST_CHECKED) {
    if (target.empty() || target.back() != L'\\') target += L'\\';
    target = g_mtAssist.GetTerminalExe(target);
  }
  if (PathKind(target) != kPathNone) {
    Launcher().Open(target, L"", SW_SHOWNORMAL, L"");
  } else {
    ShowMessage(target + L" not found!", w_.Window());
  }
}

void ListCommands::SelectAll() {
  w_.rows_.TickAll();
  w_.ShowRows();
}

void ListCommands::Inverse() {
  w_.rows_.InvertTicks();
  w_.ShowRows();
}

void ListCommands::Add() {
  g_mtAssist.ScanRunningTerminals(true, true);
  std::wstring folder = Prompt().BrowseFolder(w_.Window(), g_lang.GetText(msg::kSelectInstallFolder), L"");
  if (folder.empty()) return;
  if (!g_mtAssist.IsTerminalFolder(folder)) {
    ShowMessage(g_lang.GetText(msg::kInvalidInstallFolder) + L"\n" + folder, w_.Window());
    return;
  }
  if (IsListed(folder, w_.rows_.rows)) {
    const std::wstring caption = g_lang.GetProductText(product_text::kDisplayName);
    if (Prompt().AskYesNo(w_.Window(), g_lang.GetText(msg::kPlatformExists), caption)) w_.runs_.DuplicateAndStart(folder);
    return;
  }
  TerminalEntry row;
  row.installFolder = NormalizeInstallFolder(folder);
  row.account = g_mtAssist.AccountOf(row.installFolder);
  w_.rows_.rows.push_back(row);
  w_.ShowRows();
  w_.SaveTerminalList();
}

void ListCommands::Remove() {
  w_.SyncSelection();
  if (!w_.rows_.RemoveTickedOrSelected()) {
    ShowMessage(g_lang.GetText(msg::kSelectTerminalToRemove), w_.Window());
    return;
  }
  w_.ShowRows();
  ShowMessage(g_lang.GetText(msg::kCompleted), w_.Window());
  w_.SaveTerminalList();
}

void ListCommands::Refresh() {
  w_.SyncSelection();
  w_.rows_.RemoveWhere([](TerminalEntry& row) {
    const FolderPresence presence = PresenceOfFolder(row.installFolder);
    row.unavailable = presence == FolderPresence::kUnavailable;
    return presence == FolderPresence::kGone;
  });
  w_.ShowRows();
  w_.SearchAndRefresh(true);
}

void ListCommands::Help() { g_files.OpenInBrowser(g_lang.GetProductText(product_text::kHelpAddress)); }

void ListCommands::ContactUs() {
  CDlgAbout about(w_.Instance(), w_.copierVersion_);
  about.RunModal(w_.Window());
}

void ListCommands::OptionBox(int id, const wchar_t* key) {
  g_config.WriteMain(key, IsDlgButtonChecked(w_.Window(), id) == BST_CHECKED ? L"" : L"0");
}

void ListCommands::HideShow(int showCommand) {
  const std::vector<int> indexes = w_.rows_.TickedOrAll();
  g_mtAssist.ShowTerminalsUnder(w_.rows_.Folders(indexes), showCommand);
  for (int index : indexes) w_.rows_.rows[index].ticked = false;
  w_.ShowRows();
}

void ListCommands::CloseTerminals() {
  const std::wstring caption = g_lang.GetProductText(product_text::kDisplayName);
  if (w_.rows_.AnyTicked()) {
    if (!Prompt().AskYesNo(w_.Window(), g_lang.GetText(msg::kConfirmCloseSelected), caption)) return;
    const std::vector<int> indexes = w_.rows_.TickedOrAll();
    {
      const BusyRun busy(w_.Window(), w_.busy_, Busy::kRunning);
      WindowRun ui(w_.Window(), w_.busy_, w_.rows_, w_.listView_, {});
      const RunWatch watch(ui, ui);
      g_mtAssist.CloseTerminalsUnder(w_.rows_.Folders(indexes));
    }
    for (int index : indexes) w_.rows_.rows[index].ticked = false;
    w_.ShowRows();
  } else {
    if (!Prompt().AskYesNo(w_.Window(), g_lang.GetText(msg::kConfirmCloseAll), caption)) return;
    const BusyRun busy(w_.Window(), w_.busy_, Busy::kRunning);
    WindowRun ui(w_.Window(), w_.busy_, w_.rows_, w_.listView_, {});
    const RunWatch watch(ui, ui);
    g_mtAssist.CloseAllTerminals();
  }
  Wait().Sleep(1000);
}

void ListCommands::Launch() {
  w_.SyncSelection();
  const std::vector<int> indexes = w_.rows_.TickedOrSelected();
  if (indexes.empty()) {
    ShowMessage(g_lang.GetText(msg::kSelectInstallFolder), w_.Window());
    return;
  }
  for (int index : indexes) {
    w_.rows_.rows[index].ticked = false;
    std::wstring folder = w_.rows_.rows[index].installFolder;
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    const std::wstring exe = g_mtAssist.GetTerminalExe(folder);
    if (PathKind(exe) != kPathNone) {
      Launcher().Open(exe, L"", SW_SHOWNORMAL, L"");
    } else {
      ShowMessage(L"Terminal not found!\n" + exe, w_.Window());
    }
    Wait().Sleep(500);
  }
  w_.ShowRows();
}

void ListCommands::OpenFolder() {
  w_.SyncSelection();
  const std::vector<int> ticked = w_.rows_.AnyTicked() ? w_.rows_.TickedOrAll() : std::vector<int>{};
  const int index = w_.rows_.Selected().value_or(ticked.empty() ? -1 : ticked.front());
  if (index < 0) {
    ShowMessage(g_lang.GetText(msg::kSelectInstallFolder), w_.Window());
    return;
  }
  Launcher().Open(w_.rows_.rows[index].installFolder, L"", SW_SHOWNORMAL, L"");
}
