#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "common/path_text.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_discovery.h"
#include "tests/support/fake_terminal_process.h"
#include "tests/support/temp_folder.h"
#include "tests/terminal/terminal_fixture.h"

namespace {

using ::testing::UnorderedElementsAre;

const wchar_t kInstallKey[] = L"Software\\MetaQuotes Software\\MetaTrader 4";
const wchar_t kXpMuiCacheKey[] = L"Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache";
const wchar_t kMuiCacheKey[] = L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache";

std::vector<std::wstring> Split(const std::wstring& candidates) {
  std::vector<std::wstring> folders;
  std::size_t start = 0;
  for (std::size_t bar = candidates.find(L'|'); bar != std::wstring::npos; bar = candidates.find(L'|', start)) {
    folders.push_back(candidates.substr(start, bar - start));
    start = bar + 1;
  }
  return folders;
}

long Count(const std::vector<std::wstring>& folders, const std::wstring& folder) {
  return std::count_if(folders.begin(), folders.end(),
                       [&](const std::wstring& found) { return ToLower(found) == ToLower(folder); });
}

class DiscoveryTest : public ::testing::Test {
 protected:
  void SetUp() override { EndStrayTerminals(); }

  // The fixture tree as the only fixed drive, and nothing from any other source.
  DiscoverySources DriveOnly() const {
    std::wstring root = drive_.Path();
    root.pop_back();
    const auto none = [] { return std::vector<std::wstring>(); };
    return {[root] { return std::vector<std::wstring>{root}; }, [] { return std::wstring(); }, none, none};
  }

  TempFolder drive_;
};

TEST_F(DiscoveryTest, DriveScanReachesTwoLevelsAndTheFinanceFolderOnly) {
  MakeTerminal(drive_ / L"MT4");
  MakeTerminal(drive_ / L"MT4\\Nested");
  MakeTerminal(drive_ / L"Brokers\\MT4 B", L"terminal64.exe");
  MakeTerminal(drive_ / L"Brokers\\Deep\\MT4 C");
  MakeTerminal(drive_ / L"Program Files\\Finance\\Fin Term");
  MakeTerminal(drive_ / L"$RECYCLE.BIN");
  MakeTerminal(drive_ / L"$RECYCLE.BIN\\MT4 D");
  MakeTerminal(drive_ / L"System Volume Information\\MT4 E");
  WriteBytes(drive_ / L"notes.txt", "");

  EXPECT_THAT(Split(FindTerminals(DriveOnly())),
              UnorderedElementsAre(drive_ / L"MT4", drive_ / L"Brokers\\MT4 B", drive_ / L"Program Files\\Finance\\Fin Term"));

  MakeTerminal(drive_.Path());
  const std::vector<std::wstring> withRoot = Split(FindTerminals(DriveOnly()));
  ASSERT_EQ(withRoot.size(), 4u);
  EXPECT_EQ(withRoot.front(), drive_.Path());
}

TEST_F(DiscoveryTest, DeeperTerminalsComeFromTheRegistryTheShellRecordsAndRunningTerminals) {
  const std::wstring deep = drive_ / L"Deep\\Level\\";
  const std::wstring recorded = deep + L"Recorded";
  const std::wstring oldShell = deep + L"Old Shell";
  const std::wstring newShell = deep + L"New Shell";
  const std::wstring running = deep + L"Running";
  const std::wstring tool = deep + L"Tool";
  MakeTerminal(recorded);
  MakeTerminal(oldShell);
  MakeTerminal(newShell);
  MakeFolder(running + L"\\config");
  WriteBytes(tool + L"\\tool.exe", "MZ");
  ScopedUserValue install(kInstallKey, L"InstallPath", recorded + L"\\");
  ScopedUserValue xp(kXpMuiCacheKey, oldShell + L"\\terminal.exe", L"MT4");
  ScopedUserValue xpTool(kXpMuiCacheKey, tool + L"\\tool.exe", L"Tool");
  ScopedUserValue seven(kMuiCacheKey, newShell + L"\\terminal.exe.FriendlyAppName", L"MT4");
  ScopedUserValue sevenOld(kMuiCacheKey, oldShell + L"\\terminal.exe.ApplicationCompany", L"Broker");
  ScopedUserValue sevenRunning(kMuiCacheKey, running + L"\\terminal.exe.FriendlyAppName", L"MT4");
  FakeTerminal fake(running, L"90909090: Delta-Live");
  ASSERT_TRUE(fake.Window());
  DiscoverySources sources = MachineDiscoverySources();
  sources.fixedDrives = DriveOnly().fixedDrives;

  const std::wstring candidates = FindTerminals(sources);
  const std::vector<std::wstring> found = Split(candidates);
  ASSERT_FALSE(found.empty());
  EXPECT_EQ(found.front(), recorded);
  EXPECT_EQ(Count(found, oldShell), 1) << candidates;
  EXPECT_EQ(Count(found, newShell), 1) << candidates;
  EXPECT_EQ(Count(found, running), 1) << candidates;
  EXPECT_EQ(Count(found, tool), 0) << candidates;

  std::vector<TerminalEntry> rows;
  MergeSearchResult(rows, candidates);
  const auto row = std::find_if(rows.begin(), rows.end(),
                                [&](const TerminalEntry& r) { return ToLower(r.installFolder) == ToLower(running); });
  ASSERT_NE(row, rows.end());
  EXPECT_EQ(row->account, L"90909090");
}

TEST_F(DiscoveryTest, MergeKeepsTheFirstLetterCaseAndNoEaFolders) {
  const std::wstring terminal = drive_ / L"MT4";
  MakeTerminal(terminal);
  MakeFolder(terminal + L"\\experts");
  WriteBytes(terminal + L"\\logs\\20240201.log", "0\t08:00:00.000\tAlpha-Demo\t'24242424': login on Alpha\r\n");
  std::wstring upper = terminal;
  CharUpperW(upper.data());
  DiscoverySources sources = DriveOnly();
  sources.installPath = [upper] { return upper + L"\\"; };
  sources.muiCacheNames = [terminal] { return std::vector<std::wstring>{terminal + L"\\experts\\helper.exe"}; };

  const std::wstring candidates = FindTerminals(sources);
  EXPECT_EQ(Count(Split(candidates), terminal), 2) << candidates;
  EXPECT_EQ(Count(Split(candidates), terminal + L"\\experts"), 1) << candidates;

  sources.installPath = [this] { return drive_ / L"Uninstalled"; };
  EXPECT_EQ(Count(Split(FindTerminals(sources)), drive_ / L"Uninstalled"), 0);

  std::vector<TerminalEntry> rows = {{true, drive_ / L"Gone", L"stale"}};
  MergeSearchResult(rows, candidates);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].account, L"");
  EXPECT_EQ(rows[1].installFolder, upper);
  EXPECT_EQ(rows[1].account, L"24242424");
}

TEST_F(DiscoveryTest, ListingAnswersAsTheProbesDo) {
  struct Case {
    std::wstring folder;
    bool terminal;
  };
  const std::vector<Case> cases = {
      {drive_ / L"Full", true},         {drive_ / L"Upper64", true},    {drive_ / L"Mql5", true},
      {drive_ / L"ProgramAsFile", true},  {drive_ / L"Editor", true},     {drive_ / L"Full\\Tool.exe", true},
      {drive_ / L"Full\\experts", true}, {drive_ / L"ProgramOnly", false}, {drive_ / L"DataOnly", false},
      {drive_ / L"Empty", false},       {drive_ / L"Missing", false},
  };
  MakeTerminal(drive_ / L"Full");
  MakeFolder(drive_ / L"Full\\Tool.exe\\config");
  MakeFolder(drive_ / L"Full\\experts");
  WriteBytes(drive_ / L"Upper64\\TERMINAL64.EXE", "MZ");
  MakeFolder(drive_ / L"Upper64\\Templates");
  MakeFolder(drive_ / L"Mql5\\MQL5");
  WriteBytes(drive_ / L"Mql5\\HISTORY", "");
  WriteBytes(drive_ / L"ProgramAsFile\\experts", "");
  MakeFolder(drive_ / L"ProgramAsFile\\profiles");
  WriteBytes(drive_ / L"Editor\\MetaEditor.EXE", "MZ");
  WriteBytes(drive_ / L"Editor\\sounds", "");
  WriteBytes(drive_ / L"ProgramOnly\\terminal.exe", "MZ");
  MakeFolder(drive_ / L"DataOnly\\config");
  MakeFolder(drive_ / L"Empty");

  for (const Case& c : cases) {
    EXPECT_EQ(g_mtAssist.IsTerminalFolder(c.folder), c.terminal) << c.folder;
    EXPECT_EQ(IsTerminalFolderListed(c.folder, ListFolder(c.folder)), c.terminal) << c.folder;
  }
}

}  // namespace
