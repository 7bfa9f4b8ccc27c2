#include "deploy/record_store.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/unique_handle.h"
#include "deploy/run_record.h"

namespace {

struct RunFolder {
  std::wstring path;  // with a trailing backslash
  std::uint64_t bytes = 0;
  std::uint64_t made = 0;
};

bool IsRunName(const wchar_t* name) {
  const std::size_t length = wcslen(name);
  return length > 0 && length < 10 && std::all_of(name, name + length, [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

template <typename Visit>
void EachEntry(const std::wstring& folder, Visit visit) {
  WIN32_FIND_DATAW entry{};
  UniqueFind find(FindFirstFileW((folder + L"*").c_str(), &entry));
  if (!find) return;
  do {
    if (wcscmp(entry.cFileName, L".") != 0 && wcscmp(entry.cFileName, L"..") != 0) visit(entry);
  } while (FindNextFileW(find.Get(), &entry));
}

std::uint64_t Quad(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

std::vector<RunFolder> RunsIn(const std::wstring& terminalRecords, bool withBytes) {
  std::vector<RunFolder> runs;
  EachEntry(terminalRecords, [&](const WIN32_FIND_DATAW& entry) {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsRunName(entry.cFileName)) return;
    RunFolder run{terminalRecords + entry.cFileName + L"\\", 0,
                  Quad(entry.ftCreationTime.dwHighDateTime, entry.ftCreationTime.dwLowDateTime)};
    if (withBytes) {
      EachEntry(run.path, [&](const WIN32_FIND_DATAW& file) { run.bytes += Quad(file.nFileSizeHigh, file.nFileSizeLow); });
    }
    runs.push_back(run);
  });
  std::ranges::sort(runs, [](const RunFolder& a, const RunFolder& b) {
    return std::stoul(FileNameOf(a.path.substr(0, a.path.size() - 1), true)) <
           std::stoul(FileNameOf(b.path.substr(0, b.path.size() - 1), true));
  });
  return runs;
}

}  // namespace

std::vector<std::wstring> RunFolders(const std::wstring& terminalRecords) {
  std::vector<std::wstring> folders;
  if (terminalRecords.empty()) return folders;
  for (const RunFolder& run : RunsIn(terminalRecords, false)) folders.push_back(run.path);
  return folders;
}

void PruneTerminalRecords(const std::wstring& terminalRecords) {
  const std::vector<std::wstring> runs = RunFolders(terminalRecords);
  for (std::size_t i = 0; i + kRecordsPerTerminal < runs.size(); ++i) g_files.DeleteFolder(runs[i]);
}

void PruneAllRecords() {
  const std::wstring records = RecordsFolder();
  if (records.empty()) return;
  std::vector<RunFolder> older;
  std::uint64_t total = 0;
  EachEntry(records, [&](const WIN32_FIND_DATAW& entry) {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    std::vector<RunFolder> runs = RunsIn(records + entry.cFileName + L"\\", true);
    for (const RunFolder& run : runs) total += run.bytes;
    if (!runs.empty()) older.insert(older.end(), runs.begin(), runs.end() - 1);
  });
  std::ranges::sort(older, {}, &RunFolder::made);
  for (const RunFolder& run : older) {
    if (total <= kRecordsBytes) return;
    g_files.DeleteFolder(run.path);
    total -= run.bytes;
  }
}
