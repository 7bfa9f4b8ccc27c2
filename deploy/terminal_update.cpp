#include "deploy/terminal_update.h"

#include <algorithm>

#include "charts/profile_booleans.h"
#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/product_texts.h"
#include "common/seams.h"
#include "common/winmsg.h"
#include "deploy/checksum.h"
#include "terminal/mt_assist.h"

namespace {

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

TerminalRoots RootsOf(const std::wstring& terminalFolder) {
  TerminalRoots roots;
  roots.folder = WithTrailingBackslash(terminalFolder);
  roots.exe = g_mtAssist.GetTerminalExe(roots.folder);
  roots.code = g_mtAssist.GetMqlFolder(roots.folder);
  roots.data = g_mtAssist.GetDataMqlFolder(roots.folder);
  return roots;
}

std::wstring InstalledVersion(const std::wstring& root, const std::wstring& dllName) {
  return g_files.GetFileVersionText(root + L"libraries\\" + dllName);
}

// A DLL without a readable version is left alone: it may not be the copier's.
bool NeedsUpdate(const TerminalRoots& roots, const std::wstring& dllName, const std::wstring& version) {
  return std::ranges::any_of(roots.Present(), [&](const std::wstring& root) {
    const std::wstring installed = InstalledVersion(root, dllName);
    return !installed.empty() && g_files.CompareVersion(installed, version) == 1;
  });
}

bool ConfirmOnce(UpdatePass& pass) {
  if (pass.asked) return true;
  const std::wstring caption = g_lang.GetProductText(product_text::kDisplayName);
  pass.asked = Prompt().AskYesNo(pass.owner, g_lang.GetText(msg::kNewRelease), caption);
  return pass.asked;
}

bool Replace(const std::wstring& source, const std::wstring& target, UpdatePass& pass, const CUpdateLog& log) {
  log.File(target);
  const int result = g_files.CopyFileTo(source, target, true);
  if (result == kCopyDone || result == kCopySamePath) return true;
  log.Failed(target);
  pass.complete = false;
  return false;
}

bool ReplaceLibrary(const TerminalRoots& roots, const CopierFiles& files, UpdatePass& pass, const CUpdateLog& log) {
  if (!FileExists(files.library)) return true;
  const std::wstring digest = FileMd5(files.library);
  bool replaced = true;
  for (const std::wstring& root : roots.Present()) {
    const std::wstring target = root + L"libraries\\" + FileNameOf(files.library, true);
    if (FileExists(target) && FileMd5(target) != digest && !Replace(files.library, target, pass, log)) {
      replaced = false;
    }
  }
  return replaced;
}

bool ReplaceEas(const TerminalRoots& roots, const CopierFiles& files, UpdatePass& pass, const CUpdateLog& log) {
  bool replaced = true;
  for (const std::wstring& ea : files.eas) {
    for (const std::wstring& root : roots.Present()) {
      const std::wstring target = root + L"experts\\" + FileNameOf(ea, true);
      if (!FileExists(target)) continue;
      if (!Replace(ea, target, pass, log)) {
        replaced = false;
      } else if (std::ranges::find(pass.updated, roots.folder) == pass.updated.end()) {
        pass.updated.push_back(roots.folder);
      }
    }
  }
  return replaced;
}

// The terminal holds its DLL open while it runs; it is closed and started again at the end.
void FreeDll(const std::wstring& dll, const std::wstring& exe, UpdatePass& pass) {
  if (g_files.DeleteOneFile(dll)) return;
  const TerminalClose closed = g_mtAssist.CloseForRestart(exe);
  if (closed.outcome == CloseOutcome::kClosed &&
      std::ranges::find(pass.restarts, closed.start.exePath, &TerminalStart::exePath) == pass.restarts.end()) {
    pass.restarts.push_back(closed.start);
  }
}

void ReplaceDll(const TerminalRoots& roots, const CopierFiles& files, UpdatePass& pass, const CUpdateLog& log) {
  for (const std::wstring& root : roots.Present()) {
    const std::wstring target = root + L"libraries\\" + FileNameOf(files.dll, true);
    if (!FileExists(target)) continue;
    FreeDll(target, roots.exe, pass);
    Replace(files.dll, target, pass, log);
  }
}

}  // namespace

TerminalUpdate UpdateTerminal(const std::wstring& terminalFolder, const CopierFiles& files, UpdatePass& pass,
                              const CUpdateLog& log) {
  const TerminalRoots roots = RootsOf(terminalFolder);
  if (roots.code.empty() && roots.data.empty()) return TerminalUpdate::kSkipped;
  const std::wstring dllName = FileNameOf(files.dll, true);
  if (!NeedsUpdate(roots, dllName, pass.version)) {
    const std::wstring& shown = roots.code.empty() ? roots.data : roots.code;
    log.Skip(shown, InstalledVersion(shown, dllName));
    return TerminalUpdate::kSkipped;
  }
  if (!ConfirmOnce(pass)) return TerminalUpdate::kDeclined;
  const bool libraryReplaced = ReplaceLibrary(roots, files, pass, log);
  const bool easReplaced = ReplaceEas(roots, files, pass, log);
  // The DLL goes last and only after the rest: while it is old the terminal counts as out of
  // date, so the next start offers it the files that failed now.
  if (libraryReplaced && easReplaced) ReplaceDll(roots, files, pass, log);
  NormalizeProfileBooleans(roots.code);
  NormalizeProfileBooleans(roots.data);
  return TerminalUpdate::kUpdated;
}
