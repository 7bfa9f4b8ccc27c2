// Times the drive scan of the terminal search on a synthetic drive of 5,142 folders
// (the root, 53 first-level folders, 96 second-level folders in each), beside a bare
// listing of the same folders and a scan that probes every name separately.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "terminal/mt_assist.h"
#include "terminal/terminal_discovery.h"
#include "tests/bench/bench_drive.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int kFirstLevel = 53;
constexpr int kSecondLevel = 96;
constexpr int kRounds = 5;

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

}  // namespace

int main() {
  TempFolder drive;
  BuildDrive(drive.Path(), kFirstLevel, kSecondLevel);
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
