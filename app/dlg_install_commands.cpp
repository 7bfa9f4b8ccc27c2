#include <windows.h>

#include "app/dlg_inst_multi.h"
#include "app/queued_input.h"
#include "common/file_ctrl.h"
#include "common/file_failure.h"
#include "common/message_ids.h"
#include "common/message_pump.h"
#include "common/product.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/winmsg.h"
#include "deploy/deploy_terminal.h"
#include "deploy/package_role.h"

std::wstring CDlgInstMulti::OutcomeState(std::wstring outcome, const std::wstring& roleWord) const {
  outcome = ReplaceAll(std::move(outcome), L"\n", L"#");
  if (!IsSuccessOutcome(outcome)) return g_lang.GetText(msg::kInstallFailed) + L"#" + outcome;
  const std::wstring reload = ReplaceAll(g_lang.GetText(msg::kNeedReload), L"{0}", roleWord);
  outcome = ReplaceAll(std::move(outcome), kOutcomeSuccess, g_lang.GetText(msg::kInstallCompleted));
  outcome = ReplaceAll(std::move(outcome), L"RERUN", g_lang.GetText(msg::kNeedRestart));
  return ReplaceAll(std::move(outcome), L"RELOAD", reload);
}

std::vector<int> CDlgInstMulti::RowsToInstall() {
  SyncSelection();
  std::vector<int> indexes;
  const bool anyTicked = rows_.AnyTicked();
  for (int i = 0; i < static_cast<int>(rows_.rows.size()); ++i) {
    if (anyTicked ? rows_.rows[i].ticked : i == rows_.selectionMark) indexes.push_back(i);
  }
  return indexes;
}

// Installs into every chosen row, writing each outcome into its Type and State.
InstallRun CDlgInstMulti::InstallRows(const DeploySource& source, const std::wstring& eaName, SignalRole role,
                                      bool plain) {
  const std::wstring roleWord = g_lang.GetText(role == kRoleReceiver ? msg::kRoleReceiver : msg::kRoleProvider);
  InstallRun run;
  TakeAccessDenied();
  const BusyRun busy(Window(), busy_, Busy::kRunning, this);
  for (int index : RowsToInstall()) {
    TerminalEntry& row = rows_.rows[index];
    run.processed = true;
    row.state = g_lang.GetText(msg::kInstalling);
    row.unavailable = false;  // the outcome shows from now on, whether the drive is back or not
    listView_.ShowRow(rows_, index);
    DispatchPaintMessages();
    const std::wstring state = OutcomeState(DeployToTerminal(source, row.installFolder, false, eaName, role, Window()),
                                            plain ? g_lang.GetText(msg::kRoleProvider) : roleWord);
    ShowSearchStatus(false);
    const bool succeeded = state.rfind(g_lang.GetText(msg::kInstallCompleted), 0) == 0;
    row.role = plain ? L"EA" : roleWord;
    row.state = state;
    if (succeeded && !plain) row.ticked = false;
    if (!succeeded && run.firstFailure.empty()) run.firstFailure = state;
    if (succeeded && state != g_lang.GetText(msg::kInstallCompleted) && run.firstNote.empty()) run.firstNote = state;
    listView_.ShowRow(rows_, index);
  }
  return run;
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
  if (role == kRoleProvider && !g_product.edition->fullFeature) {
    PlainInstall();
    return;
  }
  if (package_.ProviderPackageName().empty() || package_.ReceiverPackageName().empty()) package_.DetectPackage(false);
  package_.SetLibrariesMask(CopierLibrariesMask());
  const std::optional<std::wstring> eaName = package_.ChooseRoleEa(role);
  if (!eaName) return;
  ShowInstallSummary(InstallRows(SourceOf(package_, role), *eaName, role, false), false);
  OfferElevatedRestart();
}

void CDlgInstMulti::PlainInstall() {
  DeploySource source;
  source.roleFolder = package_.PackageFolder();
  source.experts = source.roleFolder + L"experts\\";
  source.libraries = SubfolderOr(source.roleFolder, L"libraries", L"experts\\libraries");
  source.indicators = SubfolderOr(source.roleFolder, L"indicators", L"experts\\indicators");
  source.expertsMask = package_.ExpertsMask();
  source.librariesMask = package_.LibrariesMask();
  ShowInstallSummary(InstallRows(source, L"", kRoleNone, true), true);
  OfferElevatedRestart();
}
