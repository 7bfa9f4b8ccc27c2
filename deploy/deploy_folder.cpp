#include "deploy/deploy_folder.h"

#include <set>
#include <vector>

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "deploy/copy_failure.h"
#include "deploy/deploy_trace.h"
#include "deploy/file_equality.h"

namespace {

// The source of a compiled EA is deployed with it but not named as an EA of its own.
bool HasCompiledTwin(const std::wstring& file) {
  if (FileExtensionOf(file, false) != L"mq4") return false;
  return FileExists(file.substr(0, file.size() - 3) + L"ex4");
}

// False when the file failed and the folder has to stop.
bool DeployFile(const std::wstring& sourceFile, const std::wstring& targetFolder, std::wstring& list,
                bool overwrite, DeployState& state, int& count) {
  const std::wstring name = FileNameOf(sourceFile, true);
  const std::wstring targetFile = targetFolder + name;
  const bool keepIni = KeepsExistingTarget(targetFile);
  const bool targetExisted = FileExists(targetFile);
  bool copied = false;
  DWORD error = 0;
  const int result = CopyForDeploy(sourceFile, targetFile, overwrite, &copied, &error);
  if (copied) TraceFileCopied(result, sourceFile, targetFile);
  if (result == kCopyNoSource) {
    state.errorText = UnreadablePackageFileText(sourceFile, error);
    return false;
  }
  if (copied && result == kCopyDone) state.written.push_back(targetFile);
  if (copied && FileExtensionOf(sourceFile, false) == L"ex4") {
    (targetExisted ? state.executableReplaced : state.executableAdded) = true;
  }
  if (result == kCopyDone) {
    ++count;
    if (!HasCompiledTwin(sourceFile)) list += name + L",";
    return true;
  }
  if ((overwrite && !keepIni) || !FileExists(targetFile)) {
    const ULONGLONG own = static_cast<ULONGLONG>(g_files.GetFileLength(sourceFile));
    state.errorText = CopyFailureText(error, targetFile, state.neededBytes ? state.neededBytes : own);
    return false;
  }
  return true;
}

}  // namespace

// Overlapping masks list a file more than once.
std::vector<std::wstring> ListPackageFiles(const std::wstring& folder, const std::wstring& masks) {
  std::vector<std::wstring> files;
  g_files.FindFiles(folder, files, false, masks);
  std::set<std::wstring> seen;
  std::erase_if(files, [&seen](const std::wstring& file) { return !seen.insert(ToLower(file)).second; });
  return files;
}

int DeployFolder(const std::wstring& sourceFolder, const std::wstring& masks, const std::wstring& targetFolder,
                 std::wstring& list, bool overwrite, DeployState& state) {
  if (!state.errorText.empty()) return 0;
  const std::wstring target = NormalizePath(targetFolder + L"\\");
  const std::vector<std::wstring> files = ListPackageFiles(sourceFolder, masks);
  TraceFolderListed(static_cast<int>(files.size()), sourceFolder, masks);
  int count = 0;
  for (const std::wstring& file : files) {
    if (!DeployFile(file, target, list, overwrite, state, count)) break;
  }
  return count;
}
