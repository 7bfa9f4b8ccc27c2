#include <gtest/gtest.h>

#include <set>

#include "terminal/terminal_entry.h"
#include "terminal/terminal_list_codec.h"

namespace {

const std::wstring kProvider = L"Provider";
const std::wstring kReceiver = L"Receiver";
const std::wstring kCompleted = L"Completed";
const std::wstring kCantFind = L"Can't find the files need to be uninstalled";
const std::wstring kCanceled = L"Canceled";
const std::wstring kSearching = L"Searching,please wait...";

std::wstring Encode(const std::vector<TerminalEntry>& rows) {
  return EncodeTerminalList(rows, kProvider, kReceiver, kCanceled, kSearching);
}

std::vector<StoredTerminal> Decode(const std::wstring& value) {
  return DecodeTerminalListEntries(value, kProvider, kReceiver, kCompleted, kCantFind);
}

TEST(TerminalListEncoding, ProviderRowsFirstThenReceiverThenTheRest) {
  const std::vector<TerminalEntry> rows = {
      {false, L"C:\\Other", L"1", L"EA", L""},
      {true, L"C:\\Recv", L"2", kReceiver, L"Completed"},
      {false, L"C:\\Prov", L"3", kProvider, L""},
      {true, kSearching, L"", L"", L""},
  };
  EXPECT_EQ(Encode(rows), L"01C:\\Prov*|12C:\\Recv*Completed|00C:\\Other*|");
  EXPECT_EQ(Encode({}), L"");
}

TEST(TerminalListEncoding, StatesKeepOneLineAndDropCanceled) {
  const std::vector<TerminalEntry> rows = {
      {false, L"D:\\A", L"", L"", L"Completed\r\nNeed to restart MT4"},
      {false, L"D:\\B", L"", L"", L"Failed\nreason"},
      {false, L"D:\\C", L"", L"", L"Canceled by the user"},
  };
  EXPECT_EQ(Encode(rows), L"00D:\\A*Completed#Need to restart MT4|00D:\\B*Failed#reason|00D:\\C*|");
}

TEST(TerminalListDecoding, FlagsRoleAndState) {
  const std::vector<StoredTerminal> stored =
      Decode(L"11C:\\Prov\\*Completed|00C:\\Plain*|02D:\\Recv|00E:\\Gone*" + kCantFind + L"||");
  ASSERT_EQ(stored.size(), 4u);
  EXPECT_TRUE(stored[0].entry.ticked);
  EXPECT_EQ(stored[0].entry.role, kProvider);
  EXPECT_EQ(stored[0].entry.state, kCompleted);
  EXPECT_EQ(stored[0].entry.installFolder, L"C:\\Prov");
  EXPECT_EQ(stored[0].storedFolder, L"C:\\Prov\\");
  EXPECT_EQ(stored[0].key, L"11c:\\prov|");
  EXPECT_FALSE(stored[1].entry.ticked);
  EXPECT_EQ(stored[1].entry.role, L"");
  EXPECT_EQ(stored[1].entry.state, L"");
  EXPECT_EQ(stored[2].entry.role, kReceiver);
  EXPECT_EQ(stored[2].entry.installFolder, L"D:\\Recv");
  EXPECT_EQ(stored[3].entry.state, L"");
}

TEST(TerminalListDecoding, CompletedStatesLoadAsCompleted) {
  const std::vector<StoredTerminal> stored =
      Decode(L"02C:\\A*Completed#Need to restart MT4|00C:\\B*Completed#Need to restart MT4|00C:\\C*Failed#x|");
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[0].entry.state, kCompleted);
  EXPECT_EQ(stored[0].entry.role, kReceiver);
  // A completed install without a copier role was a plain EA install.
  EXPECT_EQ(stored[1].entry.state, kCompleted);
  EXPECT_EQ(stored[1].entry.role, L"EA");
  EXPECT_EQ(stored[2].entry.state, L"Failed#x");
  EXPECT_EQ(stored[2].entry.role, L"");
}

TEST(TerminalListDecoding, RoundTripKeepsRowsInStoredOrder) {
  const std::vector<TerminalEntry> rows = {
      {true, L"C:\\Prov", L"", kProvider, kCompleted},
      {false, L"C:\\Recv", L"", kReceiver, L"Failed"},
  };
  const std::vector<StoredTerminal> stored = Decode(Encode(rows));
  ASSERT_EQ(stored.size(), 2u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(stored[i].entry.ticked, rows[i].ticked);
    EXPECT_EQ(stored[i].entry.installFolder, rows[i].installFolder);
    EXPECT_EQ(stored[i].entry.role, rows[i].role);
    EXPECT_EQ(stored[i].entry.state, rows[i].state);
  }
}

TEST(TerminalFolder, NormalisationAndKeys) {
  EXPECT_EQ(NormalizeInstallFolder(L"C:\\MT4\\\\"), L"C:\\MT4");
  EXPECT_EQ(NormalizeInstallFolder(L"\\C:\\MT4\\"), L"C:\\MT4");
  EXPECT_EQ(NormalizeInstallFolder(L"D:\\"), L"D:\\");
  EXPECT_EQ(NormalizeInstallFolder(L"C:\\MT4"), L"C:\\MT4");
  EXPECT_EQ(NormalizeInstallFolder(L"\\\\server\\share\\MT4\\"), L"\\\\server\\share\\MT4");
  EXPECT_EQ(RowKey(L"C:\\Program Files\\MT4\\"), L"c:\\program files\\mt4|");
  EXPECT_EQ(RunningTerminalFolder(L"C:\\terminal.exe"), L"C:");
  EXPECT_EQ(RunningTerminalFolder(L"c:\\mt4\\terminal.exe"), L"c:\\mt4");
}

TEST(TerminalListLoad, ExistingStoredRowsThenUnlistedRunningTerminals) {
  const std::set<std::wstring> existing = {L"C:\\A", L"C:\\B", L"C:\\MT4"};
  const auto presence = [&](const std::wstring& folder) {
    if (folder.starts_with(L"Q:")) return FolderPresence::kUnavailable;
    return existing.count(folder) > 0 ? FolderPresence::kPresent : FolderPresence::kGone;
  };
  const auto account = [](const std::wstring& folder) { return L"acc of " + folder; };
  const std::vector<StoredTerminal> stored =
      Decode(L"10C:\\A*|10c:\\a*x|00C:\\Gone*|01C:\\B*|00C:\\MT4*|11Q:\\Unplugged*Completed|");
  const std::vector<RunningTerminal> running = {
      {L"c:\\mt4\\terminal.exe", L"111"}, {L"c:\\terminal.exe", L"222"}, {L"c:\\mt4\\terminal.exe", L"333"}};
  const std::vector<TerminalEntry> rows = MergeTerminalRows(stored, running, presence, account);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0].installFolder, L"C:\\A");
  EXPECT_EQ(rows[0].account, L"acc of C:\\A");
  EXPECT_TRUE(rows[0].ticked);
  EXPECT_EQ(rows[1].installFolder, L"C:\\B");
  EXPECT_EQ(rows[1].role, kProvider);
  EXPECT_EQ(rows[2].installFolder, L"C:\\MT4");
  // A row on a drive that is not there keeps everything it had, and is stored again.
  EXPECT_TRUE(rows[3].unavailable);
  EXPECT_EQ(Encode({rows[3]}), L"11Q:\\Unplugged*Completed|");
  EXPECT_EQ(rows[4].installFolder, L"c:\\");
  EXPECT_EQ(rows[4].account, L"222");
  EXPECT_FALSE(rows[4].ticked);
}

TEST(TerminalListLoad, ADriveRootTerminalIsOneRowHoweverItWasWritten) {
  const auto present = [](const std::wstring&) { return FolderPresence::kPresent; };
  const auto none = [](const std::wstring&) { return std::wstring(); };
  const std::vector<TerminalEntry> rows =
      MergeTerminalRows(Decode(L"10C:\\*|10C:*|10c:\\\\*|"), {{L"C:\\terminal.exe", L""}}, present, none);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].installFolder, L"C:\\");
  EXPECT_TRUE(RunsUnder(L"c:\\terminal.exe", L"C:\\"));
  EXPECT_FALSE(RunsUnder(L"c:\\mt4\\terminal.exe", L"C:\\"));
  EXPECT_TRUE(RunsUnder(L"c:\\mt4\\sub\\terminal.exe", L"C:\\MT4"));
}

}  // namespace
