#include "deploy/deploy_terminal.h"

#include <vector>

#include "charts/first_chart.h"
#include "common/command_line.h"
#include "common/edition.h"
#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/winmsg.h"
#include "deploy/deploy_trace.h"
#include "deploy/experts_ini.h"
#include "deploy/terminal_closing.h"
#include "terminal/mt_assist.h"

namespace {

void TrimCommas(std::wstring& list) {
  while (!list.empty() && list.back() == L',') list.pop_back();
}

// Both roots deployed, the first failure ending the run; lists and written files gathered.
struct RootsRun {
  std::wstring result;
  std::vector<std::wstring> switchOn;  // roots whose experts.ini is to be switched on
  std::vector<std::wstring> written;
};

RootsRun DeployRoots(const DeploySource& source, const std::vector<std::wstring>& roots, DeployLists& lists) {
  RootsRun run;
  for (const std::wstring& root : roots) {
    DeployState state;
    bool switchOn = false;
    const std::wstring result = DeployPackageFiles(source, root, lists, state, switchOn);
    run.written.insert(run.written.end(), state.written.begin(), state.written.end());
    if (switchOn) run.switchOn.push_back(root);
    // An install folder without code folders of its own is not used by a terminal whose data
    // folder took the files.
    if (result.empty() || (!run.result.empty() && result == EngineMessage(kMsgLogInFirst))) continue;
    // Either tree failing fails the terminal; the other is not touched after it.
    if (!IsSuccessOutcome(result)) {
      run.result = result;
      return run;
    }
    if (run.result.empty()) run.result = result;
  }
  if (run.result.empty()) run.result = EngineMessage(kMsgRunTerminalFirst);
  return run;
}

std::wstring WrittenNote(const std::vector<std::wstring>& written) {
  if (written.empty()) return {};
  std::wstring note = L"\n" + g_lang.GetText(msg::kAlreadyReplaced);
  for (const std::wstring& file : written) note += L"\n" + file;
  return note;
}

// experts.ini and the chart only once every file is in place.
std::wstring FinishInstall(const RootsRun& run, const DeploySource& source, const std::wstring& terminalFolder,
                           const std::wstring& eaName, SignalRole role, const std::wstring& dataTarget,
                           RunPolicy& policy) {
  if (!IsSuccessOutcome(run.result)) return run.result + WrittenNote(run.written);
  for (const std::wstring& root : run.switchOn) {
    const std::wstring failure = EnableExpertsIni(NormalizePath(root + L"\\"));
    if (!failure.empty()) return failure;
  }
  std::wstring result = run.result;
  // Files in place but no EA on a chart is not a plain success: the row says why.
  chart_files::ChartStep step{source.copierEas, &policy, {}};
  const std::wstring chartNote = chart_files::EnsureEaOnFirstChart(role, terminalFolder, eaName, dataTarget, step);
  for (const std::wstring& notice : step.notShown) TraceNotice(notice);
  if (!chartNote.empty()) result += L"\n" + chartNote;
  return result;
}

}  // namespace

InstallOutcome DeployToTerminal(const DeploySource& source, const std::wstring& terminalFolder, bool compose,
                                const std::wstring& eaName, SignalRole role, RunPolicy& policy,
                                TerminalRestart* restart) {
  const Closing closing = CloseIfRunning(g_mtAssist.GetTerminalExe(terminalFolder), policy, restart);
  // Files a running terminal holds must not be half replaced.
  if (!closing.refusal.empty()) return closing.refusal;
  // A terminal started portable keeps its data in the install folder, whatever per-user
  // data folder an earlier start left behind.
  const bool portable = HasOption(closing.restart.arguments, L"/portable");
  const std::wstring dataTarget = portable ? L"" : g_mtAssist.GetDataMqlFolder(terminalFolder);
  DeployLists lists;
  const RootsRun run = DeployRoots(source, {dataTarget, g_mtAssist.GetMqlFolder(terminalFolder)}, lists);
  const std::wstring result = FinishInstall(run, source, terminalFolder, eaName, role, dataTarget, policy);
  if (closing.closed) {
    if (restart) restart->closed = true;
    StartAgain(closing.restart, policy, restart);
  }
  return compose ? ComposeOutcome(result, std::move(lists)) : result;
}

std::wstring ComposeOutcome(const InstallOutcome& result, DeployLists lists) {
  std::wstring text = result;
  if (!IsSuccessOutcome(text)) text = EngineMessage(kMsgInstallFailed) + L":\n" + text;
  text = ReplaceAll(text, kOutcomeSuccess, EngineMessage(kMsgInstallCompleted));
  text = ReplaceAll(text, L"{RERUN}", EngineMessage(kMsgRestartTerminal));
  text = ReplaceAll(text, L"{RELOAD}", EngineMessage(kMsgReloadEa));
  text = ReplaceAll(text, L" - ", L"\n");
  text += L"\n";
  TrimCommas(lists.experts);
  TrimCommas(lists.indicators);
  if (!lists.experts.empty()) text += L"\n" + EngineMessage(kMsgInstalledEa) + lists.experts;
  if (!lists.indicators.empty()) text += L"\n" + EngineMessage(kMsgInstalledIndicators) + lists.indicators;
  return text;
}
