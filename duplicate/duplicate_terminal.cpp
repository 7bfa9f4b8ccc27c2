#include "duplicate/duplicate_terminal.h"

#include <cwchar>
#include <vector>

#include "common/error_text.h"
#include "common/file_ctrl.h"
#include "common/file_failure.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/product_texts.h"
#include "common/unique_handle.h"
#include "common/winmsg.h"
#include "duplicate/copy_name.h"
#include "terminal/data_folder_id.h"
#include "terminal/mt_assist.h"

namespace {

constexpr const wchar_t* kCopyFolders[] = {L"\\config",         L"\\profiles", L"\\MQL4\\Experts", L"\\MQL4\\Indicators",
                                           L"\\MQL4\\Libraries", L"\\Sounds",  L"\\templates"};

std::wstring Trimmed(std::wstring folder) {
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  while (!folder.empty() && folder.front() == L'\\') folder.erase(0, 1);
  return folder;
}

// Where a copy keeps its data: the folder its terminal names by the id of its path.
struct CopyFolders {
  std::wstring source;
  std::wstring target;
  std::wstring sourceData;  // "" for a terminal that keeps its data beside its programs
  std::wstring targetData;
};

// The saved login stays with the first account.
void PlanTree(const std::wstring& from, const std::wstring& to, CopyPlan& plan) {
  for (const wchar_t* relative : kCopyFolders) {
    const bool config = std::wstring(relative) == L"\\config";
    PlanFolder(from + relative, to + relative, plan,
               config ? std::vector<std::wstring>{L"server.ini", L"servers.dat"} : std::vector<std::wstring>{});
  }
}

CopyPlan PlanOf(const CopyFolders& folders) {
  CopyPlan plan;
  plan.folders.push_back(folders.target);
  std::vector<std::wstring> files;
  g_files.FindFiles(folders.source, files, false, L"*.exe,*.dll,*.ico");
  for (const std::wstring& file : files) {
    const double bytes = g_files.GetFileLength(file);
    PlanFile(file, folders.target + L"\\" + FileNameOf(file, true), bytes > 0 ? static_cast<ULONGLONG>(bytes) : 0,
             plan);
  }
  PlanTree(folders.source, folders.target, plan);
  if (!folders.sourceData.empty()) {
    plan.folders.push_back(folders.targetData);
    PlanTree(folders.sourceData, folders.targetData, plan);
  }
  return plan;
}

// "" when the plan fits on every volume it writes to.
std::wstring RoomProblem(const CopyPlan& plan, const CopyFolders& folders) {
  std::vector<std::wstring> places{ParentFolderOf(folders.target)};
  if (!folders.targetData.empty()) places.push_back(ParentFolderOf(folders.targetData));
  std::wstring checked;
  for (const std::wstring& place : places) {
    VolumeRoom room;
    if (!RoomFor(plan, place, room) || ToLower(room.volume) == checked) continue;
    checked = ToLower(room.volume);
    if (room.needed <= room.free) continue;
    std::wstring text = ReplaceAll(g_lang.GetText(msg::kNoRoomForCopy), L"{0}", room.volume);
    text = ReplaceAll(std::move(text), L"{1}", MegabytesText(room.needed));
    return ReplaceAll(std::move(text), L"{2}", MegabytesText(room.free));
  }
  return {};
}

std::wstring FailureText(const CopyRun& run) {
  // Only a refused write is helped by running as administrator.
  const bool denied = run.error == ERROR_ACCESS_DENIED;
  if (denied) NoteFileFailure(run.error);
  std::wstring text = g_lang.GetText(denied              ? msg::kCopyFailed
                                     : run.from.empty() ? msg::kCreateFolderFailed
                                                        : msg::kCopyFileFailed);
  text += L"\n" + SystemReason(run.error);
  if (!run.from.empty()) text += L"\n" + run.from;
  return text + L"\n" + run.to;
}

bool WriteOrigin(const std::wstring& dataFolder, const std::wstring& installFolder) {
  UniqueHandle file(CreateFileW((dataFolder + L"\\origin.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  // UTF-16 LE with its mark and no line break, as the terminal writes it.
  const std::wstring text = L"\xFEFF" + installFolder;
  const DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  DWORD written = 0;
  return WriteFile(file.Get(), text.data(), size, &written, nullptr) && written == size;
}

// Only folders this copy made exist under these names.
std::wstring RemoveCopy(const CopyFolders& folders) {
  std::wstring left;
  for (const std::wstring& folder : {folders.target, folders.targetData}) {
    if (folder.empty() || !FolderExists(folder)) continue;
    g_files.DeleteFolder(folder);
    if (FolderExists(folder)) left += L"\n" + folder;
  }
  return left.empty() ? g_lang.GetText(msg::kCopyRemoved) : g_lang.GetText(msg::kCopyNotRemoved) + left;
}

std::wstring LinksNote(const CopyPlan& plan) {
  if (plan.links.empty()) return {};
  std::wstring note = L"\n\n" + g_lang.GetText(msg::kLinksLeftOut);
  for (const std::wstring& link : plan.links) note += L"\n" + link;
  return note;
}

DuplicateOutcome Copy(const CopyFolders& folders, const CopyProgressFn& progress) {
  const CopyPlan plan = PlanOf(folders);
  const std::wstring noRoom = RoomProblem(plan, folders);
  if (!noRoom.empty()) return {false, L"", noRoom};
  CopyRun run = RunCopyPlan(plan, progress);
  if (run.result == CopyRun::kDone && !folders.targetData.empty() && !WriteOrigin(folders.targetData, folders.target)) {
    run = {CopyRun::kFailed, GetLastError(), L"", folders.targetData + L"\\origin.txt"};
  }
  if (run.result == CopyRun::kCancelled) return {false, folders.target, g_lang.GetText(msg::kDuplicateCancelled) + L"\n" + RemoveCopy(folders)};
  if (run.result == CopyRun::kFailed) return {false, folders.target, FailureText(run) + L"\n" + RemoveCopy(folders)};
  return {true, folders.target, g_lang.GetText(msg::kDuplicateDone) + L"\n" + folders.target + LinksNote(plan)};
}

}  // namespace

std::wstring DuplicateProgressText(const CopyProgress& progress) {
  std::wstring text = ReplaceAll(g_lang.GetText(msg::kDuplicateProgress), L"{0}", std::to_wstring(progress.files));
  text = ReplaceAll(std::move(text), L"{1}", std::to_wstring(progress.totalFiles));
  text = ReplaceAll(std::move(text), L"{2}", MegabytesText(progress.bytes));
  return ReplaceAll(std::move(text), L"{3}", MegabytesText(progress.totalBytes));
}

DuplicateOutcome DuplicateTerminal(const std::wstring& sourceFolder, const CopyProgressFn& progress) {
  return DuplicateTerminal(sourceFolder, progress, CMTAssist::DataFolderRoot());
}

DuplicateOutcome DuplicateTerminal(const std::wstring& sourceFolder, const CopyProgressFn& progress,
                                   const std::wstring& dataRoot) {
  CopyFolders folders;
  folders.source = Trimmed(sourceFolder);
  if (!FolderExists(folders.source + L"\\config") || !FolderExists(folders.source + L"\\profiles")) {
    return {false, L"", L"Invalid MT4 directory!\n" + folders.source};
  }
  folders.sourceData = Trimmed(g_mtAssist.GetDataFolder(folders.source, dataRoot));
  // A number whose data folder outlived an earlier copy is skipped: that folder is not ours.
  const std::wstring root = WithTrailingBackslash(dataRoot);
  folders.target = NextCopyName(folders.source, [&](const std::wstring& folder) {
    return FolderExists(folder) || (!root.empty() && FolderExists(root + TerminalDataId(folder)));
  });
  if (folders.target.empty()) {
    return {false, L"", g_lang.GetProductText(product_text::kNoFreeCopyName) + L"\n" + folders.source};
  }
  if (!folders.sourceData.empty()) folders.targetData = root + TerminalDataId(folders.target);
  return Copy(folders, progress);
}
