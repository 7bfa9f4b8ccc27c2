#include "deploy/run_record.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "common/content_digest.h"
#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/product.h"
#include "common/unique_handle.h"
#include "deploy/record_store.h"
#include "terminal/data_folder_id.h"
#include "terminal/mt_assist.h"

namespace {

// Large files are only ever replaced whole, never edited in place, so a second name keeps
// their old content at no cost; a copy where the volume does not allow it.
constexpr LONGLONG kLinkFromBytes = 1 << 20;

std::wstring ManifestPath(const std::wstring& recordFolder) { return recordFolder + L"manifest.txt"; }

std::wstring TerminalRecordsFolder(const std::wstring& terminalFolder) {
  const std::wstring records = RecordsFolder();
  const std::wstring id = records.empty() ? L"" : TerminalDataId(NormalizePath(terminalFolder));
  return id.empty() ? L"" : records + id + L"\\";
}

bool KeepContent(const std::wstring& path, const std::wstring& copy, FileChange change) {
  if (change != FileChange::kEdit && g_files.GetFileLength(path) >= kLinkFromBytes &&
      CreateHardLinkW(copy.c_str(), path.c_str(), nullptr)) {
    return true;
  }
  return ReplaceFileWithCopy(path, copy) == ERROR_SUCCESS;
}

// Size and last write time; nothing when the file is not there.
std::optional<std::pair<std::uint64_t, std::uint64_t>> Stamp(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  const auto quad = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
  return std::pair{quad(data.nFileSizeHigh, data.nFileSizeLow),
                   quad(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

std::wstring NextRunName(const std::vector<std::wstring>& runs) {
  const unsigned last = runs.empty() ? 0 : std::stoul(FileNameOf(runs.back(), true));
  wchar_t name[16];
  std::swprintf(name, 16, L"%06u", last + 1);
  return name;
}

}  // namespace

std::wstring RecordsFolder() { return g_product.dataFolder.empty() ? L"" : g_product.dataFolder + L"records\\"; }

std::vector<std::wstring> TerminalRecords(const std::wstring& terminalFolder) {
  return RunFolders(TerminalRecordsFolder(terminalFolder));
}

std::optional<RunManifest> ReadManifest(const std::wstring& recordFolder) {
  const std::optional<std::wstring> text = g_files.ReadUtf16TextFile(ManifestPath(recordFolder));
  return text ? DecodeManifest(*text) : std::nullopt;
}

std::wstring FileDigest(const std::wstring& path) {
  if (PathKind(path) != kPathFile) return kNoFile;
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return kNotYetKnown;
  std::vector<char> block(1 << 20);
  ContentDigest digest;
  for (DWORD read = 0;;) {
    if (!ReadFile(file.Get(), block.data(), static_cast<DWORD>(block.size()), &read, nullptr)) return kNotYetKnown;
    if (read == 0) return digest.Text();
    digest.Add(block.data(), read);
  }
}

std::optional<std::size_t> InterruptedChanges(const std::wstring& terminalFolder) {
  const std::vector<std::wstring> runs = TerminalRecords(terminalFolder);
  if (runs.empty()) return std::nullopt;
  const std::optional<RunManifest> manifest = ReadManifest(runs.back());
  if (!manifest || manifest->complete) return std::nullopt;
  // The last change listed may not have been made before the run ended.
  return std::ranges::count_if(manifest->changes, [&](const RecordChange& change) {
    return FileDigest(manifest->roots[change.root] + change.path) != change.before;
  });
}

RunRecorder::RunRecorder(const std::wstring& terminalFolder, std::wstring kind)
    : previous_(SetChangeWatch(this)), terminalRecords_(TerminalRecordsFolder(terminalFolder)) {
  manifest_.kind = std::move(kind);
  if (terminalRecords_.empty()) return;
  const std::wstring install = WithTrailingBackslash(NormalizePath(terminalFolder));
  manifest_.roots.push_back(install);
  const std::wstring data = g_mtAssist.GetDataFolder(install);
  if (!data.empty() && ToLower(data) != ToLower(install)) manifest_.roots.push_back(WithTrailingBackslash(data));
}

RunRecorder::~RunRecorder() {
  SetChangeWatch(previous_);
  if (folder_.empty() || broken_) return;
  for (std::size_t i = 0; i < manifest_.changes.size(); ++i) manifest_.changes[i].after = AfterDigest(i);
  manifest_.complete = true;
  WriteManifest();
  PruneTerminalRecords(terminalRecords_);
}

std::wstring RunRecorder::AfterDigest(std::size_t index) const {
  const std::wstring path = manifest_.roots[manifest_.changes[index].root] + manifest_.changes[index].path;
  const auto known = written_.find(index);
  if (known != written_.end()) {
    const auto stamp = Stamp(path);
    if (stamp && stamp->first == known->second.size && stamp->second == known->second.time) return known->second.digest;
  }
  return FileDigest(path);
}

void RunRecorder::Written(const std::wstring& path, const std::wstring& digest) {
  const auto seen = seen_.find(ToLower(NormalizePath(path)));
  if (seen == seen_.end() || seen->second >= manifest_.changes.size()) return;
  const auto stamp = Stamp(path);
  if (stamp) written_[seen->second] = {digest, stamp->first, stamp->second};
}

void RunRecorder::BeforeChange(const std::wstring& path, FileChange change) {
  if (busy_ || broken_ || terminalRecords_.empty()) return;
  const std::wstring normal = NormalizePath(path);
  const std::wstring lower = ToLower(normal);
  for (std::size_t root = 0; root < manifest_.roots.size(); ++root) {
    if (!lower.starts_with(ToLower(manifest_.roots[root]))) continue;
    const std::wstring relative = normal.substr(manifest_.roots[root].size());
    if (!IsSafeRelativePath(relative) || !seen_.emplace(lower, manifest_.changes.size()).second) return;
    busy_ = true;
    broken_ = !Record(normal, root, relative, change);
    // A record that cannot be trusted is no record: the run goes on without one.
    if (broken_ && !folder_.empty()) g_files.DeleteFolder(folder_);
    busy_ = false;
    return;
  }
}

bool RunRecorder::Record(const std::wstring& path, std::size_t root, const std::wstring& relative,
                         FileChange change) {
  if (folder_.empty() && !Open()) return false;
  RecordChange entry{root, relative, RecordAction::kCreated, FileDigest(path), kNotYetKnown, L""};
  if (entry.before == kNotYetKnown) return false;
  if (entry.before != kNoFile) {
    entry.action = change == FileChange::kDelete ? RecordAction::kDeleted
                   : change == FileChange::kEdit ? RecordAction::kEdited
                                                 : RecordAction::kReplaced;
    entry.copy = std::to_wstring(manifest_.changes.size() + 1);
    if (!KeepContent(path, folder_ + entry.copy, change)) return false;
  }
  manifest_.changes.push_back(entry);
  return WriteManifest();
}

bool RunRecorder::Open() {
  const std::wstring folder = terminalRecords_ + NextRunName(RunFolders(terminalRecords_)) + L"\\";
  if (!g_files.CreateFolderPath(folder)) return false;
  folder_ = folder;
  return true;
}

bool RunRecorder::WriteManifest() const {
  const std::wstring text = L"\xFEFF" + EncodeManifest(manifest_);
  const DWORD error = ReplaceFileThrough(ManifestPath(folder_), [&text](HANDLE file) {
    return WriteBlock(file, reinterpret_cast<const char*>(text.data()), static_cast<DWORD>(text.size() * 2));
  });
  return error == ERROR_SUCCESS;
}
