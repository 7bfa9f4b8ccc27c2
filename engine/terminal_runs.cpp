#include "engine/terminal_runs.h"

#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/winmsg.h"
#include "deploy/deploy_terminal.h"
#include "deploy/engine_messages.h"
#include "deploy/record_store.h"
#include "deploy/run_record.h"
#include "deploy/uninstall.h"
#include "deploy/uninstall_text.h"

RunWatch::RunWatch(RunPolicy& policy, RunObserver& observer) : policy_(policy), observer_(observer) {
  SetCloseWatch(this);
}

RunWatch::~RunWatch() { SetCloseWatch(nullptr); }

bool RunWatch::KeepWaiting(const std::wstring& terminal, int secondsLeft) {
  observer_.WaitingForClose(terminal, secondsLeft);
  return !policy_.StopRequested();
}

std::wstring InstallRowState(std::wstring outcome, const std::wstring& roleWord) {
  outcome = ReplaceAll(std::move(outcome), L"\n", L"#");
  if (!IsSuccessOutcome(outcome)) return g_lang.GetText(msg::kInstallFailed) + L"#" + outcome;
  const std::wstring reload = ReplaceAll(g_lang.GetText(msg::kNeedReload), L"{0}", roleWord);
  outcome = ReplaceAll(std::move(outcome), kOutcomeSuccess, g_lang.GetText(msg::kInstallCompleted));
  outcome = ReplaceAll(std::move(outcome), L"RERUN", g_lang.GetText(msg::kNeedRestart));
  return ReplaceAll(std::move(outcome), L"RELOAD", reload);
}

void ApplyRowResult(const RowResult& result, TerminalEntry& row) {
  row.state = result.state;
  if (result.role) row.role = *result.role;
  if (result.untick) row.ticked = false;
}

std::vector<RowResult> RunInstall(const std::vector<std::wstring>& folders, const InstallJob& job,
                                  RunPolicy& policy, RunObserver& observer) {
  const RunWatch watch(policy, observer);
  const std::wstring stateWord = job.plain ? g_lang.GetText(msg::kRoleProvider) : job.roleWord;
  std::vector<RowResult> results;
  for (std::size_t i = 0; i < folders.size(); ++i) {
    observer.RowStarted(i, g_lang.GetText(msg::kInstalling));
    TerminalRestart restart;
    RowResult result;
    const RunRecorder recorder(folders[i], L"install");
    result.outcome = DeployToTerminal(job.source, folders[i], false, job.eaName, job.role, policy, &restart);
    result.state = InstallRowState(result.outcome, stateWord);
    result.succeeded = IsSuccessOutcome(result.outcome);
    result.role = job.plain ? L"EA" : job.roleWord;
    result.untick = result.succeeded && !job.plain;
    result.closed = restart.closed;
    result.restarted = restart.restarted;
    if (result.closed && !result.restarted) result.state += L"#" + g_lang.GetText(msg::kNotStartedWithoutDesktop);
    observer.RowFinished(i, result);
    results.push_back(std::move(result));
  }
  PruneAllRecords();
  return results;
}

std::vector<RowResult> RunUninstall(const std::vector<std::wstring>& folders, const std::wstring& installerFolder,
                                    RunPolicy& policy, RunObserver& observer) {
  std::vector<RowResult> results;
  for (std::size_t i = 0; i < folders.size(); ++i) {
    observer.RowStarted(i, g_lang.GetText(msg::kUninstalling));
    RowResult result;
    const RunRecorder recorder(folders[i], L"uninstall");
    result.outcome = UninstallTerminal(WithTrailingBackslash(folders[i]), installerFolder, &policy);
    const UninstallRowText text = RowTextOf(result.outcome);
    result.state = g_lang.GetText(text.message);
    if (text.clearsType) result.role = L"";
    result.succeeded = result.outcome == kUninstallRemoved || result.outcome == kUninstallNothingFound;
    result.untick = true;
    observer.RowFinished(i, result);
    results.push_back(std::move(result));
  }
  PruneAllRecords();
  return results;
}

bool RunUpdate(AutoUpdateRequest request, RunPolicy& policy, RunObserver& observer) {
  const RunWatch watch(policy, observer);
  request.policy = &policy;
  const bool updated = AutoUpdateTerminals(request);
  PruneAllRecords();
  return updated;
}

DuplicateOutcome RunDuplicate(const std::wstring& folder, RunPolicy& policy, RunObserver& observer) {
  return DuplicateTerminal(folder, [&](const CopyProgress& progress) {
    observer.Copying(progress);
    return !policy.StopRequested();
  });
}
