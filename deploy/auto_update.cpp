#include "deploy/auto_update.h"

#include <optional>

#include "common/file_ctrl.h"
#include "common/file_tree.h"
#include "common/ini_file.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/seams.h"
#include "common/winmsg.h"
#include "deploy/terminal_update.h"
#include "deploy/update_log.h"
#include "terminal/data_folder_map.h"
#include "terminal/mt_assist.h"

namespace {

constexpr wchar_t kVersionKey[] = L"V";
constexpr wchar_t kFolderKey[] = L"DIR";

bool PassDue(const std::wstring& stored, const std::wstring& version) {
  if (version.empty()) return false;
  return stored.empty() || g_files.CompareVersion(stored, version) == 1;
}

std::optional<CopierFiles> FindCopierFiles(const FileTree& installerFiles) {
  CopierFiles files;
  files.dll = installerFiles.FirstContaining(L"orbix.dll");
  if (files.dll.empty()) files.dll = installerFiles.FirstContaining(L"orbixw.dll");
  if (files.dll.empty()) return std::nullopt;
  files.library = ParentFolderOf(files.dll) + FileNameOf(files.dll, false) + L".lib";
  files.eas = installerFiles.AllContaining(L"*.ex4");
  return files;
}

void FinishPass(const AutoUpdateRequest& request, const UpdatePass& pass, const CUpdateLog& log) {
  for (const TerminalStart& start : pass.restarts) {
    if (!request.policy || request.policy->MayStartTerminal(start.exePath)) StartTerminal(start);
  }
  if (!pass.failures.empty()) {
    NotifyThrough(request.policy, UpdateFailureText(pass.failures));
  } else if (!pass.updated.empty()) {
    NotifyThrough(request.policy, g_lang.GetText(msg::kUpdateCompleted));
  }
  log.Done(pass.version);
  if (pass.failures.empty()) {
    g_config.WriteMain(kVersionKey, pass.version);
    g_config.WriteMain(kFolderKey, request.installerFolder);
  }
  log.DeleteIfLarge();
}

}  // namespace

bool AutoUpdateTerminals(const AutoUpdateRequest& request) {
  const std::wstring stored = g_config.ReadMain(kVersionKey);
  // Before the first search no terminal is listed: a pass then would mark them all as updated.
  if (request.terminalFolders.empty() || !PassDue(stored, request.installerVersion)) return true;
  const CUpdateLog log(UpdateLogPath());
  log.Start(stored, request.installerVersion);
  const FileTree listed = request.installerFiles ? FileTree() : FileTree(request.installerFolder);
  const std::optional<CopierFiles> files = FindCopierFiles(request.installerFiles ? *request.installerFiles : listed);
  if (!files) return true;
  UpdatePass pass{.version = request.installerVersion, .policy = request.policy};
  const DataFolderMap dataFolders(CMTAssist::DataFolderRoot());
  for (const std::wstring& folder : request.terminalFolders) {
    if (UpdateTerminal(folder, *files, dataFolders, pass, log) == TerminalUpdate::kDeclined) return true;
    if (request.betweenTerminals) request.betweenTerminals();
  }
  FinishPass(request, pass, log);
  return pass.failures.empty();
}
