// Times the drive scan of the terminal search on a synthetic drive of 5,142 folders
// (the root, 53 first-level folders, 96 second-level folders in each), beside a bare
// listing of the same folders and a scan that probes every name separately.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "common/unique_handle.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_discovery.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int kFirstLevel = 53;
constexpr int kSecondLevel = 96;
constexpr int kRounds = 5;

std::wstring Name(const wchar_t* prefix, int index) { return prefix + std::to_wstring(index); }

void BuildTree(const std::wstring& root) {
  for (int i = 0; i < kFirstLevel; ++i) {
    const std::wstring first = root + Name(L"Folder ", i);
    CreateDirectoryW(first.c_str(), nullptr);
    for (int j = 0; j < kSecondLevel; ++j) CreateDirectoryW((first + Name(L"\\Sub ", j)).c_str(), nullptr);
    WriteBytes(first + L"\\readme.txt", "text");
  }
  // A few terminals among them, as on a real drive.
  for (int i = 0; i < kFirstLevel; i += 10) {
    const std::wstring terminal = root + Name(L"Folder ", i) + L"\\Sub 1\\";
    WriteBytes(terminal + L"terminal.exe", "MZ");
    CreateDirectoryW((terminal + L"config").c_str(), nullptr);
  }
}

std::vector<std::wstring> Subfolders(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry{};
  UniqueFind find(FindFirstFileW((folder + L"*").c_str(), &entry));
  if (!find) return names;
  do {
    const std::wstring name = entry.cFileName;
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find.Get(), &entry));
  return names;
}

// Lists every folder of the two levels once; returns how many there are.
int ListTwoLevels(const std::wstring& root) {
  int listed = 1;
  for (const std::wstring& first : Subfolders(root)) {
    ++listed;
    for (const std::wstring& second : Subfolders(root + first + L"\\")) {
      ++listed;
      Subfolders(root + first + L"\\" + second + L"\\");
    }
  }
  return listed;
}

// The scan as separate existence probes: the listings needed to find the folders, then
// up to 14 probes in each.
int ProbeTwoLevels(const std::wstring& root) {
  int terminals = g_mtAssist.IsTerminalFolder(root);
  for (const std::wstring& first : Subfolders(root)) {
    terminals += g_mtAssist.IsTerminalFolder(root + first);
    for (const std::wstring& second : Subfolders(root + first + L"\\")) {
      terminals += g_mtAssist.IsTerminalFolder(root + first + L"\\" + second);
    }
  }
  return terminals;
}

double Seconds(const std::function<void()>& run) {
  LARGE_INTEGER frequency{}, start{}, end{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  run();
  QueryPerformanceCounter(&end);
  return static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}

}  // namespace

int main() {
  TempFolder drive;
  BuildTree(drive.Path());
  std::wstring root = drive.Path();
  root.pop_back();
  const auto none = [] { return std::vector<std::wstring>(); };
  const DiscoverySources sources{[root] { return std::vector<std::wstring>{root}; }, [] { return std::wstring(); },
                                 none, none};

  int folders = 0;
  std::wstring found;
  int terminals = 0;
  // Rounds alternate and the best of each counts, so a busy moment or a cold cache
  // favours neither side.
  double bare = 1e9, scan = 1e9, probes = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    bare = std::min(bare, Seconds([&] { folders = ListTwoLevels(drive.Path()); }));
    scan = std::min(scan, Seconds([&] { found = FindTerminals(sources); }));
    probes = std::min(probes, Seconds([&] { terminals = ProbeTwoLevels(drive.Path()); }));
  }

  std::printf("folders:                %d\n", folders);
  std::printf("bare two-level listing: %.3f s\n", bare);
  std::printf("terminal scan:          %.3f s (%.2fx the bare listing, %zu terminals)\n", scan, scan / bare,
              static_cast<std::size_t>(std::count(found.begin(), found.end(), L'|')));
  std::printf("probe per name:         %.3f s (%d terminals)\n", probes, terminals);
  return 0;
}
