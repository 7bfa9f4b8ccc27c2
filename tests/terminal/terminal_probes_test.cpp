#include <gtest/gtest.h>
#include <windows.h>

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "terminal/data_folder_id.h"
#include "terminal/data_folder_map.h"
#include "terminal/mt_assist.h"
#include "tests/support/fake_terminal_process.h"
#include "tests/support/temp_folder.h"
#include "tests/terminal/terminal_fixture.h"

namespace {

std::string Journal(const std::string& lines) {
  return "0\t08:00:00.100\tExpert loaded successfully\r\n" + lines;
}

TEST(TerminalFolderTest, PathsIntoTheEaFoldersLeadBackToTheTerminal) {
  TempFolder temp;
  const std::wstring terminal = temp / L"MT4";
  MakeTerminal(terminal);
  MakeFolder(terminal + L"\\experts\\indicators");

  EXPECT_TRUE(g_mtAssist.IsTerminalFolder(terminal));
  EXPECT_TRUE(g_mtAssist.IsTerminalFolder(terminal + L"\\experts\\indicators"));
  EXPECT_TRUE(g_mtAssist.IsTerminalFolder(terminal + L"\\EXPERTS\\Libraries\\"));
  EXPECT_TRUE(g_mtAssist.IsTerminalFolder(L"  " + terminal + L"\\terminal.exe "));
  // EA folder names count only at the end of the path.
  const std::wstring named = temp / L"Indicators\\MT4";
  MakeTerminal(named);
  EXPECT_TRUE(g_mtAssist.IsTerminalFolder(named));
  EXPECT_EQ(g_mtAssist.GetTerminalExe(temp / L"Experts\\MT4"), ToLower(temp / L"Experts\\MT4\\terminal.exe"));
  EXPECT_FALSE(g_mtAssist.IsTerminalFolder(temp.Path()));
  EXPECT_FALSE(g_mtAssist.IsTerminalFolder(L""));
}

TEST(TerminalFolderTest, NeedsAProgramAndADataFolder) {
  TempFolder temp;
  const std::wstring folder = temp / L"Lone";
  WriteBytes(folder + L"\\terminal.exe", "MZ");
  EXPECT_FALSE(g_mtAssist.IsTerminalFolder(folder));

  WriteBytes(folder + L"\\SOUNDS", "");
  EXPECT_TRUE(g_mtAssist.IsTerminalFolder(folder));

  const std::wstring dataOnly = temp / L"DataOnly";
  MakeFolder(dataOnly + L"\\profiles");
  MakeFolder(dataOnly + L"\\history");
  EXPECT_FALSE(g_mtAssist.IsTerminalFolder(dataOnly));
  MakeFolder(dataOnly + L"\\MQL5");
  EXPECT_TRUE(g_mtAssist.IsTerminalFolder(dataOnly));
}

TEST(TerminalExeTest, PrefersTerminalExeThenTerminal64ThenTheLargestProgram) {
  TempFolder temp;
  const std::wstring both = temp / L"Both";
  WriteBytes(both + L"\\terminal.exe", "MZ");
  WriteBytes(both + L"\\terminal64.exe", "MZ64");
  const std::wstring only64 = temp / L"Only64";
  WriteBytes(only64 + L"\\terminal64.exe", "MZ");
  const std::wstring other = temp / L"Other";
  WriteBytes(other + L"\\small.exe", "MZ");
  WriteBytes(other + L"\\Large.exe", std::string(4000, 'x'));
  WriteBytes(other + L"\\huge.dll", std::string(9000, 'x'));
  const std::wstring empty = temp / L"Empty";
  MakeFolder(empty);

  EXPECT_EQ(g_mtAssist.GetTerminalExe(both + L"\\experts\\indicators"), ToLower(both + L"\\terminal.exe"));
  EXPECT_EQ(g_mtAssist.GetTerminalExe(only64), ToLower(only64 + L"\\terminal64.exe"));
  EXPECT_EQ(ToLower(g_mtAssist.GetTerminalExe(other + L"\\")), ToLower(other + L"\\large.exe"));
  EXPECT_EQ(g_mtAssist.GetTerminalExe(empty), ToLower(empty + L"\\terminal.exe"));
}

TEST(DataFolderTest, OriginTextMatchesInAnyCaseWithLineBreaksAndTheFirstListedWins) {
  TempFolder root;
  TempFolder install;
  const std::wstring folder = install / L"Broker MT4";
  MakeDataFolder(root.Path(), L"AAAA", L"C:\\Elsewhere\r\n");
  MakeDataFolder(root.Path(), L"BBBB", L" " + ToLower(folder) + L"\r\n");
  MakeDataFolder(root.Path(), L"CCCC", folder + L"\\");
  MakeFolder(root / L"DDDD");
  std::vector<std::wstring> listed;
  g_files.FindFolders(root.Path(), listed, false);
  std::wstring first;
  for (const std::wstring& data : listed) {
    if (first.empty() && (data.ends_with(L"BBBB") || data.ends_with(L"CCCC"))) first = data + L"\\";
  }

  EXPECT_EQ(g_mtAssist.GetDataFolder(folder, root.Path()), first);
  EXPECT_EQ(g_mtAssist.GetDataFolder(folder + L"\\", root.Path()), first);
  EXPECT_EQ(g_mtAssist.GetDataFolder(install / L"Broker", root.Path()), L"");
  EXPECT_EQ(g_mtAssist.GetDataFolder(folder, root / L"Missing\\"), L"");
}

TEST(DataFolderTest, TheFolderNamedByThePathsIdWinsOverACopyThatSortsFirst) {
  EXPECT_EQ(TerminalDataId(L"C:\\Program Files (x86)\\CMC Markets MetaTrader 4\\"),
            L"B313D8B5E3EEA7D6CF15F515B9125C20");
  TempFolder root;
  TempFolder install;
  const std::wstring folder = install / L"Broker MT4";
  const std::wstring id = TerminalDataId(folder);
  MakeDataFolder(root.Path(), L"0000", folder);  // a backup copy still naming the install folder
  MakeDataFolder(root.Path(), id, L"C:\\Old place");

  EXPECT_EQ(g_mtAssist.GetDataFolder(folder, root.Path()), root / id + L"\\");
}

TEST(DataFolderTest, TheMapBuiltOnceAnswersAsTheProbe) {
  TempFolder root;
  TempFolder install;
  const std::wstring byId = install / L"By id";
  const std::wstring byOrigin = install / L"By origin";
  MakeDataFolder(root.Path(), L"0000", byId);
  MakeDataFolder(root.Path(), TerminalDataId(byId), L"C:\\Old place");
  MakeDataFolder(root.Path(), L"1111", L" " + ToLower(byOrigin) + L"\r\n");
  const DataFolderMap map(root.Path());

  for (const std::wstring& folder : {byId, byOrigin, byOrigin + L"\\", install / L"Missing", std::wstring()}) {
    EXPECT_EQ(map.Find(folder), g_mtAssist.GetDataFolder(folder, root.Path())) << folder;
  }
  EXPECT_EQ(DataFolderMap(root / L"Missing\\").Find(byOrigin), L"");
}

TEST(DataFolderTest, OnceTheRootIsListedIdFoldersAreStillFoundWhateverTheirCase) {
  TempFolder root;
  TempFolder install;
  const std::wstring upper = install / L"Upper";
  const std::wstring lower = install / L"Lower";
  MakeDataFolder(root.Path(), TerminalDataId(upper), L"C:\\Old place");
  MakeDataFolder(root.Path(), ToLower(TerminalDataId(lower)), L"C:\\Old place");
  const DataFolderMap map(root.Path());

  EXPECT_EQ(map.Find(install / L"Legacy"), L"");  // has no data folder: the root is listed
  EXPECT_EQ(map.Find(upper), root / TerminalDataId(upper) + L"\\");
  EXPECT_EQ(map.Find(lower), root / TerminalDataId(lower) + L"\\");
}

TEST(DataFolderTest, MqlFoldersPreferMql4ThenMql5) {
  TempFolder root;
  TempFolder install;
  const std::wstring mql5Only = install / L"Five";
  const std::wstring withoutMql = install / L"None";
  MakeDataFolder(root.Path(), L"F5", mql5Only);
  MakeDataFolder(root.Path(), L"N0", withoutMql);
  MakeFolder(root / L"F5\\MQL5");
  MakeFolder(install / L"Five\\MQL4");

  EXPECT_EQ(g_mtAssist.GetDataMqlFolder(mql5Only, root.Path()), root / L"F5\\MQL5\\");
  EXPECT_EQ(g_mtAssist.GetDataMqlFolder(withoutMql, root.Path()), L"");
  EXPECT_EQ(g_mtAssist.GetDataMqlFolder(install / L"Unknown", root.Path()), L"");

  EXPECT_EQ(g_mtAssist.GetMqlFolder(mql5Only), mql5Only + L"\\MQL4\\");
  MakeFolder(withoutMql + L"\\MQL5");
  EXPECT_EQ(g_mtAssist.GetMqlFolder(withoutMql + L"\\"), withoutMql + L"\\MQL5\\");
  const std::wstring plain = install / L"Plain";
  MakeFolder(plain);
  EXPECT_EQ(g_mtAssist.GetMqlFolder(plain), plain + L"\\");
  EXPECT_EQ(g_mtAssist.GetMqlFolder(install / L"Missing"), L"");
}

TEST(JournalAccountTest, LastLoginLineWinsOverAuthorisation) {
  TempFolder install;
  WriteBytes(install / L"logs\\20240105.log",
             Journal("0\t08:00:01.000\t'11111111': authorized on Alpha-Demo\r\n"
                     "0\t08:00:02.000\t'22222222': login datacenter on Alpha-Demo\r\n"
                     "0\t09:10:00.000\t'33333333': login datacenter on Beta-Live\r\n"
                     "0\t09:10:01.000\t'44444444': authorized on Beta-Live\r\n"));
  EXPECT_EQ(g_mtAssist.ReadAccountFromLogs(install.Path(), install / L"NoData\\"), L"33333333");

  TempFolder authorisedOnly;
  WriteBytes(authorisedOnly / L"logs\\20240106.log",
             Journal("0\t08:00:01.000\t'55555555': authorized on Alpha-Demo\r\n"
                     "0\t08:00:02.000\t'66666666': authorized on Beta-Live\r\n"));
  EXPECT_EQ(g_mtAssist.ReadAccountFromLogs(authorisedOnly.Path(), install / L"NoData\\"), L"55555555");
}

TEST(JournalAccountTest, SkipsEarlyMarkersAndFilesThatAreNoJournals) {
  TempFolder install;
  const std::wstring noData = install / L"NoData\\";
  WriteBytes(install / L"logs\\20240107.log", "'7777': login datacenter\r\n");
  WriteBytes(install / L"logs\\journal.log", Journal("0\t08:00:00.000\t'88888888': login on X\r\n"));
  WriteBytes(install / L"logs\\20240108.log", "");
  EXPECT_EQ(g_mtAssist.ReadAccountFromLogs(install.Path(), noData), L"");

  WriteBytes(install / L"logs\\20240109.log",
             Journal("0\t08:00:00.000\t'99999999': login on X\r\n") + std::string(1048576, ' '));
  EXPECT_EQ(g_mtAssist.ReadAccountFromLogs(install.Path(), noData), L"");
}

TEST(JournalAccountTest, AJournalWithoutLoginIsReadAgainOnceTheTerminalWritesToIt) {
  TempFolder install;
  const std::wstring journal = install / L"logs\\20240113.log";
  WriteBytes(journal, Journal(""));
  EXPECT_EQ(g_mtAssist.ReadAccountFromLogs(install.Path(), install / L"NoData\\"), L"");
  WriteBytes(journal, Journal("0\t08:00:00.000\t'13131313': login on X\r\n"));
  EXPECT_EQ(g_mtAssist.ReadAccountFromLogs(install.Path(), install / L"NoData\\"), L"13131313");
}

// Its bytes never hold the marker as ASCII, so it must be decoded before it is searched.
TEST(JournalAccountTest, AUtf16JournalGivesItsAccount) {
  TempFolder install;
  WriteUtf16(install / L"logs\\20240114.log", L"0\t08:00:00.000\t'14141414': login on X\r\n");
  EXPECT_EQ(g_mtAssist.ReadAccountFromLogs(install.Path(), install / L"NoData\\"), L"14141414");
}

TEST(JournalAccountTest, DataFolderJournalsComeFirst) {
  TempFolder root;
  TempFolder install;
  MakeDataFolder(root.Path(), L"HASH", install.Path());
  WriteBytes(root / L"HASH\\logs\\20240110.log", Journal("0\t08:00:00.000\t'12121212': login on X\r\n"));
  WriteBytes(install / L"logs\\20240111.log", Journal("0\t08:00:00.000\t'34343434': login on X\r\n"));

  EXPECT_EQ(g_mtAssist.ReadAccountFromLogs(install.Path(), root.Path()), L"12121212");
  EXPECT_EQ(g_mtAssist.ReadAccountFromLogs(install.Path(), root / L"Other\\"), L"34343434");
}

TEST(RunningAccountTest, MatchesTheExecutableFolderItselfAndComesBeforeTheJournals) {
  EndStrayTerminals();
  TempFolder temp;
  const std::wstring folder = temp / L"Running MT4";
  WriteBytes(folder + L"\\logs\\20240112.log", Journal("0\t08:00:00.000\t'56565656': login on X\r\n"));
  FakeTerminal running(folder, L"78787878: Gamma-Live");
  ASSERT_TRUE(running.Window());
  g_mtAssist.ScanRunningTerminals(true, true);

  std::wstring upper = folder + L"\\";
  CharUpperW(upper.data());
  EXPECT_EQ(g_mtAssist.FindRunningAccount(upper), L"78787878");
  EXPECT_EQ(g_mtAssist.AccountOf(folder), L"78787878");
  EXPECT_EQ(g_mtAssist.FindRunningAccount(temp.Path()), L"");
  EXPECT_EQ(g_mtAssist.FindRunningAccount(L""), L"");

  g_mtAssist.ScanRunningTerminals(false, true);
  EXPECT_EQ(g_mtAssist.AccountOf(folder), L"56565656");
}

}  // namespace
