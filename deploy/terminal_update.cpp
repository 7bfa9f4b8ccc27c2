#include "deploy/terminal_update.h"

#include <algorithm>

#include "charts/profile_booleans.h"
#include "common/error_text.h"
#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/winmsg.h"
#include "deploy/checksum.h"
#include "deploy/run_record.h"
#include "terminal/data_folder_map.h"
#include "terminal/mt_assist.h"

namespace {

// A terminal that is ending still maps its DLL for a moment: the copy is tried again this often.
constexpr int kFreeAttempts = 10;
constexpr DWORD kFreeWaitMs = 500;

struct TerminalRoots {
  std::wstring folder;
  std::wstring exe;
  std::wstring code;  // of the installation folder
  std::wstring data;  // of the per-user data folder

  std::vector<std::wstring> Present() const {
    std::vector<std::wstring> roots;
    for (const std::wstring* root : {&code, &data}) {
      if (!root->empty()) roots.push_back(*root);
    }
    return roots;
  }
};

TerminalRoots RootsOf(const std::wstring& terminalFolder, const DataFolderMap& dataFolders) {
  TerminalRoots roots;
  roots.folder = WithTrailingBackslash(terminalFolder);
  roots.exe = g_mtAssist.GetTerminalExe(roots.folder);
  roots.code = g_mtAssist.GetMqlFolder(roots.folder);
  roots.data = g_mtAssist.GetDataMqlFolder(roots.folder, dataFolders);
  return roots;
}

std::wstring InstalledVersion(const std::wstring& root, const std::wstring& dllName) {
  return g_files.GetFileVersionText(root + L"libraries\\" + dllName);
}

// A DLL without a readable version is left alone: it may not be the copier's.
bool RootNeedsUpdate(const std::wstring& root, const std::wstring& dllName, const std::wstring& version) {
  const std::wstring installed = InstalledVersion(root, dllName);
  return !installed.empty() && g_files.CompareVersion(installed, version) == 1;
}

bool NeedsUpdate(const TerminalRoots& roots, const std::wstring& dllName, const std::wstring& version) {
  return std::ranges::any_of(roots.Present(),
                             [&](const std::wstring& root) { return RootNeedsUpdate(root, dllName, version); });
}

bool ConfirmOnce(UpdatePass& pass) {
  if (pass.asked) return true;
  PromptPolicy prompt(nullptr);
  pass.asked = (pass.policy ? *pass.policy : prompt).MayUpdateTerminals();
  return pass.asked;
}

void AddOnce(std::vector<std::wstring>& list, const std::wstring& item) {
  if (std::ranges::find(list, item) == list.end()) list.push_back(item);
}

bool IsInUse(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_USER_MAPPED_FILE ||
         (error >= ERROR_UNABLE_TO_REMOVE_REPLACED && error <= ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
}

// ERROR_SUCCESS when the target holds the source afterwards.
DWORD CopyOver(const std::wstring& source, const std::wstring& target) {
  // The copy's own error: clean-up after a failed write changes the thread's last error.
  DWORD error = ERROR_SUCCESS;
  const int result = g_files.CopyFileTo(source, target, true, &error);
  if (result == kCopyDone || result == kCopySamePath) return ERROR_SUCCESS;
  return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
}

std::wstring ReasonText(const std::wstring& path, DWORD error) {
  int id = msg::kUpdateFileFailed;
  if (error == ERROR_ACCESS_DENIED) id = msg::kUpdateNeedsAdmin;
  if (IsInUse(error)) id = msg::kUpdateFileInUse;
  if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL) id = msg::kUpdateDiskFull;
  const std::wstring text = ReplaceAll(g_lang.GetText(id), L"{0}", path);
  return ReplaceAll(text, L"{1}", SystemReason(error));
}

// One code root's outcome: the first file that kept its old version.
struct RootRun {
  const TerminalRoots& roots;
  UpdatePass& pass;
  const CUpdateLog& log;
  bool failed = false;

  void Note(const std::wstring& target, DWORD error) {
    if (error == ERROR_SUCCESS) return;
    log.Failed(target);
    if (!failed) pass.failures.push_back({roots.folder, ReasonText(target, error)});
    failed = true;
  }
  bool Replace(const std::wstring& source, const std::wstring& target) {
    log.File(target);
    const DWORD error = CopyOver(source, target);
    Note(target, error);
    return error == ERROR_SUCCESS;
  }
};

void ReplaceLibrary(const std::wstring& root, const CopierFiles& files, RootRun& run) {
  if (!FileExists(files.library)) return;
  const std::wstring target = root + L"libraries\\" + FileNameOf(files.library, true);
  if (FileExists(target) && FileMd5(target) != FileMd5(files.library)) run.Replace(files.library, target);
}

void ReplaceEas(const std::wstring& root, const CopierFiles& files, RootRun& run) {
  for (const std::wstring& ea : files.eas) {
    const std::wstring target = root + L"experts\\" + FileNameOf(ea, true);
    if (FileExists(target) && run.Replace(ea, target)) AddOnce(run.pass.updated, run.roots.folder);
  }
}

// The new DLL goes over the old one, which stays until the new one is in place. Only a DLL in
// use closes its terminal, which is started again at the end of the pass.
void ReplaceDll(const std::wstring& target, const CopierFiles& files, RootRun& run) {
  run.log.File(target);
  DWORD error = CopyOver(files.dll, target);
  // Once the user stopped a close wait, no further terminal of the pass is closed.
  if (IsInUse(error) && !run.pass.closeStopped) {
    const TerminalClose closed = g_mtAssist.CloseForRestart(run.roots.exe);
    run.pass.closeStopped = IsStopped(closed.outcome);
    // One that closed after the stop is free all the same, and is started again with the rest.
    const bool freed = !closed.start.exePath.empty();
    std::vector<TerminalStart>& restarts = run.pass.restarts;
    if (freed && std::ranges::find(restarts, closed.start.exePath, &TerminalStart::exePath) == restarts.end()) {
      restarts.push_back(closed.start);
    }
    for (int attempt = 0; freed && IsInUse(error) && attempt < kFreeAttempts; ++attempt) {
      Wait().Sleep(kFreeWaitMs);
      error = CopyOver(files.dll, target);
    }
  }
  run.Note(target, error);
}

void UpdateRoot(const std::wstring& root, const CopierFiles& files, RootRun& run) {
  ReplaceLibrary(root, files, run);
  ReplaceEas(root, files, run);
  // The DLL goes last and only after the rest of its root: while it is old the root counts as
  // out of date, so the next start offers it the files that failed now.
  const std::wstring dllName = FileNameOf(files.dll, true);
  if (!run.failed && RootNeedsUpdate(root, dllName, run.pass.version)) {
    ReplaceDll(root + L"libraries\\" + dllName, files, run);
  }
}

}  // namespace

TerminalUpdate UpdateTerminal(const std::wstring& terminalFolder, const CopierFiles& files,
                              const DataFolderMap& dataFolders, UpdatePass& pass, const CUpdateLog& log) {
  const TerminalRoots roots = RootsOf(terminalFolder, dataFolders);
  if (roots.code.empty() && roots.data.empty()) return TerminalUpdate::kSkipped;
  const std::wstring dllName = FileNameOf(files.dll, true);
  if (!NeedsUpdate(roots, dllName, pass.version)) {
    const std::wstring& shown = roots.code.empty() ? roots.data : roots.code;
    log.Skip(shown, InstalledVersion(shown, dllName));
    return TerminalUpdate::kSkipped;
  }
  if (!ConfirmOnce(pass)) return TerminalUpdate::kDeclined;
  const RunRecorder recorder(terminalFolder, L"update");
  // Each root on its own: an install folder the user may not write must not keep the data
  // folder, which the terminal uses, on the old DLL.
  for (const std::wstring& root : roots.Present()) {
    RootRun run{roots, pass, log};
    UpdateRoot(root, files, run);
    NormalizeProfileBooleans(root, pass.policy);
  }
  return TerminalUpdate::kUpdated;
}

std::wstring UpdateFailureText(const std::vector<UpdateFailure>& failures) {
  if (failures.empty()) return {};
  std::wstring text = g_lang.GetText(msg::kUpdateIncomplete);
  std::wstring shownFolder;
  for (const UpdateFailure& failure : failures) {
    if (failure.terminalFolder != shownFolder) text += L"\n\n" + failure.terminalFolder;
    shownFolder = failure.terminalFolder;
    text += L"\n" + failure.reason;
  }
  return text;
}
