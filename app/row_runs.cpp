#include "app/row_runs.h"

#include "app/copier_report.h"
#include "app/dlg_inst_multi.h"
#include "app/window_run.h"
#include "common/command_line.h"
#include "common/file_ctrl.h"
#include "common/file_failure.h"
#include "common/file_tree.h"
#include "common/message_ids.h"
#include "common/message_pump.h"
#include "common/path_text.h"
#include "common/product.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/winmsg.h"
#include "deploy/package_role.h"
#include "engine/terminal_runs.h"
#include "terminal/data_folder_map.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_entry.h"
#include "terminal/terminal_probe_text.h"

namespace {

// What one run of an install command did: a failure first, else a note (files in, no EA on a chart).
InstallRun SummaryOf(const std::vector<RowResult>& results) {
  InstallRun run;
  run.processed = !results.empty();
  for (const RowResult& result : results) {
    if (!result.succeeded && run.firstFailure.empty()) run.firstFailure = result.state;
    if (result.succeeded && result.state != g_lang.GetText(msg::kInstallCompleted) && run.firstNote.empty()) {
      run.firstNote = result.state;
    }
  }
  return run;
}

}  // namespace

InstallRun RowRuns::InstallRows(const InstallJob& job, const std::vector<int>& indexes) {
  TakeAccessDenied();
  std::vector<RowResult> results;
  std::vector<StartedTerminal> started;
  {
    const BusyRun busy(w_.Window(), w_.busy_, Busy::kRunning);
    WindowRun ui(w_.Window(), w_.busy_, w_.rows_, w_.listView_, indexes);
    results = RunInstall(w_.rows_.Folders(indexes), job, ui, ui);
    started = ui.Started();
  }
  w_.FollowRestarts(started);
  w_.CheckCopiers();
  return SummaryOf(results);
}

void RowRuns::ShowInstallSummary(const InstallRun& run, bool plain) {
  if (!run.processed && w_.rows_.rows.empty()) {
    const std::wstring caption = g_lang.GetProductText(product_text::kDisplayName);
    if (Prompt().AskOkCancel(w_.Window(), g_lang.GetText(msg::kSelectInstallFolder), caption)) w_.lists_.Add();
  } else if (!run.processed) {
    ShowMessage(g_lang.GetText(msg::kSelectTerminalOnList), w_.Window());
  } else if (plain || (run.firstFailure.empty() && run.firstNote.empty())) {
    ShowMessage(g_lang.GetText(msg::kCompleted), w_.Window());
  } else {
    ShowMessage(run.firstFailure.empty() ? run.firstNote : run.firstFailure, w_.Window());
  }
}

void RowRuns::Install(SignalRole role) {
  w_.SyncSelection();
  InstallOn(role, w_.rows_.ForRun());
}

void RowRuns::CheckCopier() {
  w_.SyncSelection();
  const std::optional<int> selected = w_.rows_.Selected();
  if (!selected) return;
  const TerminalEntry& row = w_.rows_.rows[*selected];
  const CopierTarget* target = w_.copier_.TargetOf(row.role);
  if (!target) return;
  g_mtAssist.RunningTerminalPaths();
  const CopierCheck check =
      ::CheckCopier(row.installFolder, *target, g_mtAssist.exePaths, DataFolderMap(CMTAssist::DataFolderRoot()));
  w_.rows_.rows[*selected].copier = CopierColumnText(check.health);
  w_.listView_.ShowCopierColumn(w_.rows_);
  const std::wstring report = CopierReportText(row.installFolder, check);
  const std::wstring caption = g_lang.GetProductText(product_text::kDisplayName);
  if (check.health.problems.empty()) {
    Prompt().Show(w_.Window(), report, caption);
    return;
  }
  const std::wstring question = report + L"\n\n" + g_lang.GetText(msg::kCopierRepairQuestion);
  if (!Prompt().AskYesNo(w_.Window(), question, caption)) return;
  InstallOn(row.role == g_lang.GetText(msg::kRoleReceiver) ? kRoleReceiver : kRoleProvider, {*selected});
}

void RowRuns::InstallOn(SignalRole role, const std::vector<int>& indexes) {
  InstallJob job;
  job.plain = role == kRoleProvider && !g_product.edition->fullFeature;
  if (job.plain) {
    job.source = PlainSourceOf(w_.package_);
  } else {
    if (w_.package_.ProviderPackageName().empty() || w_.package_.ReceiverPackageName().empty()) {
      w_.package_.DetectPackage(false);
    }
    w_.package_.SetLibrariesMask(CopierLibrariesMask());
    const std::optional<std::wstring> eaName = w_.package_.ChooseRoleEa(role);
    if (!eaName) return;
    job.source = SourceOf(w_.package_, role);
    job.eaName = *eaName;
    job.role = role;
    job.roleWord = g_lang.GetText(role == kRoleReceiver ? msg::kRoleReceiver : msg::kRoleProvider);
  }
  ShowInstallSummary(InstallRows(job, indexes), job.plain);
  OfferElevatedRestart();
}

void RowRuns::Uninstall() {
  w_.SyncSelection();
  const std::vector<int> indexes = w_.rows_.ForRun();
  if (indexes.empty()) {
    ShowMessage(g_lang.GetText(msg::kSelectToUninstall), w_.Window());
    return;
  }
  TakeAccessDenied();
  {
    const BusyRun busy(w_.Window(), w_.busy_, Busy::kRunning);
    WindowRun ui(w_.Window(), w_.busy_, w_.rows_, w_.listView_, indexes);
    RunUninstall(w_.rows_.Folders(indexes), ParentFolderOf(w_.installerPath_), ui, ui);
  }
  w_.CheckCopiers();
  OfferElevatedRestart();
}

void RowRuns::Restore() {
  w_.SyncSelection();
  const std::optional<int> selected = w_.rows_.Selected();
  if (!selected) {
    ShowMessage(g_lang.GetText(msg::kSelectTerminalOnList), w_.Window());
    return;
  }
  TakeAccessDenied();
  std::vector<StartedTerminal> started;
  {
    const BusyRun busy(w_.Window(), w_.busy_, Busy::kRunning);
    WindowRun ui(w_.Window(), w_.busy_, w_.rows_, w_.listView_, {*selected});
    RunRestore({w_.rows_.rows[*selected].installFolder}, ParentFolderOf(w_.installerPath_), ui, ui);
    started = ui.Started();
  }
  w_.FollowRestarts(started);
  w_.CheckCopiers();
  w_.SaveTerminalList();
  OfferElevatedRestart();
}

void RowRuns::Duplicate() {
  w_.SyncSelection();
  const std::optional<int> selected = w_.rows_.Selected();
  if (!selected) {
    ShowMessage(g_lang.GetText(msg::kChooseToDuplicate), w_.Window());
    return;
  }
  const std::wstring folder = w_.rows_.rows[*selected].installFolder;
  const std::wstring question = g_lang.GetText(msg::kConfirmDuplicate) + L"\n" + folder;
  if (Prompt().AskYesNo(w_.Window(), question, g_lang.GetProductText(product_text::kDisplayName))) {
    DuplicateAndStart(folder);
  }
}

std::wstring RowRuns::ListedRole(const std::wstring& folder) const {
  for (const TerminalEntry& row : w_.rows_.rows) {
    if (RowKey(row.installFolder) == RowKey(folder)) return row.role;
  }
  return {};
}

void RowRuns::DuplicateAndStart(const std::wstring& folder) {
  DuplicateOutcome outcome;
  {
    const BusyRun busy(w_.Window(), w_.busy_, Busy::kDuplicating, g_lang.GetText(msg::kDuplicating));
    WindowRun ui(w_.Window(), w_.busy_, w_.rows_, w_.listView_, {});
    outcome = RunDuplicate(folder, ui, ui);
  }
  ShowMessage(outcome.message, w_.Window());
  if (outcome.succeeded) {
    w_.rows_.rows.push_back({false, NormalizeInstallFolder(outcome.target), L"", ListedRole(folder), L""});
    w_.ShowRows();
    w_.SaveTerminalList();
    g_files.ShellOpen(g_mtAssist.GetTerminalExe(WithTrailingBackslash(outcome.target)));
  }
}

void RowRuns::StartUpUpdate(const FileTree& packageFiles) {
  TakeAccessDenied();
  std::vector<StartedTerminal> started;
  {
    const BusyRun busy(w_.Window(), w_.busy_, Busy::kRunning);
    WindowRun ui(w_.Window(), w_.busy_, w_.rows_, w_.listView_, {});
    std::vector<std::wstring> folders;
    for (const TerminalEntry& row : w_.rows_.rows) folders.push_back(row.installFolder);
    RunUpdate({folders, ParentFolderOf(w_.installerPath_), w_.copierVersion_, nullptr, DispatchPaintMessages, &packageFiles},
              ui, ui);
    started = ui.Started();
  }
  w_.FollowRestarts(started);
  OfferElevatedRestart();
}

// Most terminals live in the user's own folders, so the installer asks for administrator
// rights only after a terminal folder refused a write, once per command.
void RowRuns::OfferElevatedRestart() {
  if (!TakeAccessDenied() || Launcher().IsElevated()) return;
  if (!PromptPolicy(w_.Window()).MayRestartAsAdministrator()) return;
  w_.SaveTerminalList();
  // A refused elevation (ERROR_CANCELLED) is an answer too: the rows keep their failures.
  if (Launcher().Run(L"runas", w_.installerPath_, ArgumentsAfterProgram(GetCommandLineW())) == ERROR_SUCCESS) {
    w_.End(IDCANCEL);
  }
}
