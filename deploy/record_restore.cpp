#include "deploy/record_restore.h"

#include <windows.h>

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "deploy/run_record.h"

namespace {

std::wstring FreeNameBeside(const std::wstring& path) {
  std::wstring name = path + L".previous";
  for (int n = 2; PathKind(name) != kPathNone; ++n) name = path + L".previous" + std::to_wstring(n);
  return name;
}

bool PutBack(const std::wstring& copy, const std::wstring& path) {
  g_files.CreateFolderPath(ParentFolderOf(path));
  return ReplaceFileWithCopy(copy, path) == ERROR_SUCCESS;
}

void RestoreChange(const RunManifest& manifest, const RecordChange& change, const std::wstring& record,
                   RestoreResult& result) {
  const std::wstring path = manifest.roots[change.root] + change.path;
  const std::wstring now = FileDigest(path);
  if (now == change.before) return;
  // A run cut off never wrote its after digests: what is there is taken as its own.
  const bool ours = !manifest.complete || change.after == kNotYetKnown || now == change.after;
  if (!ours) {
    if (change.copy.empty()) {
      result.kept.push_back(path);
      return;
    }
    const std::wstring beside = FreeNameBeside(path);
    if (!PutBack(record + change.copy, beside)) result.failed.push_back(path);
    result.kept.push_back(path + L" -> " + beside);
    return;
  }
  const bool done = change.before == kNoFile ? g_files.DeleteOneFile(path) : PutBack(record + change.copy, path);
  if (!done) result.failed.push_back(path);
}

// GetTempFileNameW's name: the prefix, one to four hex digits without leading zeros, ".tmp".
bool IsReplacementTemporary(const std::wstring& name) {
  const std::wstring lower = ToLower(name);
  if (lower.size() < 9 || lower.size() > 11 || !lower.starts_with(L"pdk") || !lower.ends_with(L".tmp")) return false;
  return lower.find_first_not_of(L"0123456789abcdef", 3) == lower.size() - 4;
}

// The temporary file of a replacement in flight when the run ended.
void RemoveLeftTemporaries(const std::wstring& folder) {
  std::vector<std::wstring> files;
  g_files.FindFiles(folder, files, false, L"pdk*.tmp");
  for (const std::wstring& file : files) {
    if (IsReplacementTemporary(FileNameOf(file, true))) DeleteFileW(file.c_str());
  }
}

}  // namespace

RestoreResult RestoreNewestRecord(const std::wstring& terminalFolder) {
  RestoreResult result;
  const std::vector<std::wstring> runs = TerminalRecords(terminalFolder);
  const std::optional<RunManifest> manifest = runs.empty() ? std::nullopt : ReadManifest(runs.back());
  if (!manifest) return result;
  result.found = true;
  const RunRecorder recorder(terminalFolder, L"restore");
  for (auto change = manifest->changes.rbegin(); change != manifest->changes.rend(); ++change) {
    RestoreChange(*manifest, *change, runs.back(), result);
  }
  if (!manifest->complete && !manifest->changes.empty()) {
    const RecordChange& last = manifest->changes.back();
    RemoveLeftTemporaries(ParentFolderOf(manifest->roots[last.root] + last.path));
  }
  return result;
}
