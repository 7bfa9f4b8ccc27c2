#include <gtest/gtest.h>

#include "terminal/terminal_probe_text.h"

namespace {

std::vector<std::wstring> Folders(const std::vector<TerminalEntry>& rows) {
  std::vector<std::wstring> folders;
  for (const TerminalEntry& row : rows) folders.push_back(row.installFolder);
  return folders;
}

TEST(FoundTerminalMerge, OneRowPerFolderInTheCaseFirstFound) {
  std::vector<TerminalEntry> rows = {{true, L"C:\\Old MT4", L"1", L"Provider", L"Completed"}};
  const std::wstring candidates =
      L"C:\\old mt4\\|D:\\Brokers\\MT4 B|d:\\brokers\\mt4 b\\|D:\\MT4\\experts|D:\\MT4\\MQL4\\|E:\\X\\mql4|"
      L"E:\\|e:\\|E:|\\\\Server\\Share\\MT4\\|";

  EXPECT_EQ(AppendFoundTerminals(rows, candidates), 3u);
  EXPECT_EQ(Folders(rows), (std::vector<std::wstring>{L"C:\\Old MT4", L"D:\\Brokers\\MT4 B", L"E:\\",
                                                       L"\\\\Server\\Share\\MT4"}));
  EXPECT_FALSE(rows[1].ticked);
  EXPECT_TRUE(rows[0].ticked);
  EXPECT_EQ(AppendFoundTerminals(rows, candidates), 0u);
  EXPECT_EQ(AppendFoundTerminals(rows, L"F:\\Last"), 1u);
}

TEST(ListedTest, IgnoresCaseAndSlashesAtEitherEnd) {
  const std::vector<TerminalEntry> rows = {{false, L"D:\\MT4"}, {false, L"E:\\"}};
  EXPECT_TRUE(IsListed(L"d:\\mt4\\", rows));
  EXPECT_TRUE(IsListed(L"/D:\\MT4/", rows));
  EXPECT_TRUE(IsListed(L"E:\\", rows));
  EXPECT_FALSE(IsListed(L"D:\\MT4 B", rows));
  EXPECT_FALSE(IsListed(L"D:\\", rows));
}

TEST(MuiCacheTest, ProgramPathsGiveTheirFolder) {
  EXPECT_EQ(MuiCacheProgramFolder(L"C:\\Program Files\\MT4\\terminal.exe"), L"C:\\Program Files\\MT4");
  EXPECT_EQ(MuiCacheProgramFolder(L"D:\\Broker\\MT4\\terminal.exe.FriendlyAppName"), L"D:\\Broker\\MT4");
  EXPECT_EQ(MuiCacheProgramFolder(L"D:\\Broker\\MT4\\terminal.exe.ApplicationCompany"), L"D:\\Broker\\MT4");
  EXPECT_EQ(MuiCacheProgramFolder(L"D:\\terminal.exe"), L"D:\\");
  EXPECT_EQ(MuiCacheProgramFolder(L"LangID"), L"");
}

TEST(JournalTextTest, AccountSitsInQuotesWithinTwentyCharactersBeforeTheMarker) {
  EXPECT_EQ(AccountFromJournal(L"0\t10:00:00.000\tAlpha\t'123': login"), L"123");
  EXPECT_EQ(AccountFromJournal(std::wstring(18, L' ') + L"'4': login"), L"4");
  EXPECT_EQ(AccountFromJournal(std::wstring(17, L' ') + L"'4': login"), L"");
  EXPECT_EQ(AccountFromJournal(L"': login and more text after it"), L"");
  EXPECT_EQ(AccountFromJournal(L"0\t10:00:00.000\tAlpha Beta': login"), L"");
}

// Only NTFS lists by name; FAT, shares and Wine list in an order of their own.
TEST(JournalTextTest, JournalsAreTakenNewestFirstByNameWhateverTheListingOrder) {
  EXPECT_EQ(JournalsNewestFirst({L"L\\20240102.log", L"L\\journal.log", L"L\\20240110.LOG", L"L\\20231231.log"}),
            (std::vector<std::wstring>{L"L\\20240110.LOG", L"L\\20240102.log", L"L\\20231231.log"}));
}

}  // namespace
