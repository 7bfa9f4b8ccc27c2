#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/winmsg.h"
#include "deploy/package_role.h"
#include "deploy/record_restore.h"
#include "deploy/record_store.h"
#include "deploy/run_record.h"
#include "deploy/terminal_closing.h"
#include "deploy/uninstall.h"
#include "engine/terminal_runs.h"
#include "terminal/mt_assist.h"

namespace {

// The Type the terminal's files say: the role of the copier EA found in its code folders.
std::wstring RoleWordOfFiles(const std::wstring& folder, const std::wstring& installerFolder) {
  const CopierFileLists lists = ReadCopierFileLists(installerFolder, true);
  for (const std::wstring& root : {g_mtAssist.GetDataMqlFolder(folder), g_mtAssist.GetMqlFolder(folder)}) {
    for (const std::wstring& name : SplitFileList(lists.experts)) {
      if (root.empty() || !FileExists(WithTrailingBackslash(root) + L"experts\\" + name)) continue;
      const SignalRole role = PackageRoleOfName(name);
      if (role != kRoleNone) return g_lang.GetText(role == kRoleReceiver ? msg::kRoleReceiver : msg::kRoleProvider);
    }
  }
  return {};
}

std::wstring Listed(int id, const std::vector<std::wstring>& files) {
  std::wstring text;
  for (const std::wstring& file : files) text += L"#" + ReplaceAll(g_lang.GetText(id), L"{0}", file);
  return text;
}

RowResult RestoreRow(const std::wstring& folder, const std::wstring& installerFolder, RunPolicy& policy) {
  RowResult result;
  result.untick = true;
  if (TerminalRecords(folder).empty()) {
    result.state = g_lang.GetText(msg::kNoRecordToRestore);
    return result;
  }
  TerminalRestart restart;
  const Closing closing = CloseIfRunning(g_mtAssist.GetTerminalExe(folder), policy, &restart);
  if (!closing.refusal.empty()) {
    result.state = g_lang.GetText(msg::kInstallFailed) + L"#" + ReplaceAll(closing.refusal, L"\n", L"#");
    return result;
  }
  const RestoreResult restored = RestoreNewestRecord(folder);
  if (closing.closed) {
    restart.closed = true;
    StartAgain(closing.restart, policy, &restart);
  }
  result.succeeded = restored.found && restored.failed.empty();
  result.state = g_lang.GetText(result.succeeded ? msg::kRestoreCompleted : msg::kInstallFailed) +
                 Listed(msg::kRestoreFailed, restored.failed) + Listed(msg::kRestoreKeptFile, restored.kept);
  result.role = RoleWordOfFiles(folder, installerFolder);
  result.closed = restart.closed;
  result.restarted = restart.restarted;
  return result;
}

}  // namespace

std::vector<RowResult> RunRestore(const std::vector<std::wstring>& folders, const std::wstring& installerFolder,
                                  RunPolicy& policy, RunObserver& observer) {
  const RunWatch watch(policy, observer);
  std::vector<RowResult> results;
  for (std::size_t i = 0; i < folders.size(); ++i) {
    observer.RowStarted(i, g_lang.GetText(msg::kRestoring));
    results.push_back(RestoreRow(WithTrailingBackslash(folders[i]), installerFolder, policy));
    if (results.back().closed && !results.back().restarted) {
      results.back().state += L"#" + g_lang.GetText(msg::kNotStartedWithoutDesktop);
    }
    observer.RowFinished(i, results.back());
  }
  PruneAllRecords();
  return results;
}

std::wstring InterruptedRowState(const std::wstring& folder) {
  const std::optional<std::size_t> done = InterruptedChanges(folder);
  return done ? ReplaceAll(g_lang.GetText(msg::kRunInterrupted), L"{0}", std::to_wstring(*done)) : L"";
}
