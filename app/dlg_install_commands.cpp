#include <windows.h>

#include "app/dlg_inst_multi.h"
#include "app/window_run.h"
#include "common/file_failure.h"
#include "common/message_ids.h"
#include "common/product.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/winmsg.h"
#include "deploy/package_role.h"
#include "engine/terminal_runs.h"

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

// Installs into every chosen row, writing each outcome into its Type and State.
InstallRun CDlgInstMulti::InstallRows(const InstallJob& job) {
  SyncSelection();
  const std::vector<int> indexes = rows_.ForRun();
  TakeAccessDenied();
  const BusyRun busy(Window(), busy_, Busy::kRunning);
  WindowRun ui(Window(), busy_, rows_, listView_, indexes);
  return SummaryOf(RunInstall(rows_.Folders(indexes), job, ui, ui));
}

void CDlgInstMulti::ShowInstallSummary(const InstallRun& run, bool plain) {
  if (!run.processed && rows_.rows.empty()) {
    const std::wstring caption = g_lang.GetProductText(product_text::kDisplayName);
    if (Prompt().AskOkCancel(Window(), g_lang.GetText(msg::kSelectInstallFolder), caption)) OnAdd();
  } else if (!run.processed) {
    ShowMessage(g_lang.GetText(msg::kSelectTerminalOnList), Window());
  } else if (plain || (run.firstFailure.empty() && run.firstNote.empty())) {
    ShowMessage(g_lang.GetText(msg::kCompleted), Window());
  } else {
    ShowMessage(run.firstFailure.empty() ? run.firstNote : run.firstFailure, Window());
  }
}

void CDlgInstMulti::OnInstall(SignalRole role) {
  InstallJob job;
  job.plain = role == kRoleProvider && !g_product.edition->fullFeature;
  if (job.plain) {
    job.source = PlainSourceOf(package_);
  } else {
    if (package_.ProviderPackageName().empty() || package_.ReceiverPackageName().empty()) {
      package_.DetectPackage(false);
    }
    package_.SetLibrariesMask(CopierLibrariesMask());
    const std::optional<std::wstring> eaName = package_.ChooseRoleEa(role);
    if (!eaName) return;
    job.source = SourceOf(package_, role);
    job.eaName = *eaName;
    job.role = role;
    job.roleWord = g_lang.GetText(role == kRoleReceiver ? msg::kRoleReceiver : msg::kRoleProvider);
  }
  ShowInstallSummary(InstallRows(job), job.plain);
  OfferElevatedRestart();
}
