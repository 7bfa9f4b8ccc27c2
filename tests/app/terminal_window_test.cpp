#include <gtest/gtest.h>

#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/fake_terminal_process.h"

namespace {

class TerminalWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    EndStrayTerminals();
  }
  // Lets the window run until the rows satisfy done, or a few seconds pass.
  template <typename Done>
  bool PumpUntil(Done done) {
    for (int i = 0; i < 300 && !done(); ++i) {
      Pump();
      Sleep(20);
    }
    return done();
  }
  const TerminalEntry* RowOf(const std::wstring& folder) {
    for (const TerminalEntry& row : dialog_->Rows().rows) {
      if (ToLowerForTest(row.installFolder) == ToLowerForTest(folder)) return &row;
    }
    return nullptr;
  }
};

TEST_F(TerminalWindowTest, CloseWithNothingTickedEndsEveryTerminalAStubbornOneIncluded) {
  FakeTerminal polite(package_ / L"A", L"11111111: Demo - [EURUSD,H1]");
  FakeTerminal stubborn(package_ / L"B", L"--ignore-close all 22222222: Demo - [EURUSD,H1]");
  FakeTerminal unlisted(package_ / L"C", L"--mt5 33333333: Demo");
  ASSERT_TRUE(polite.Window() && stubborn.Window() && unlisted.Window());
  Store("[MAIN]\r\nPATH=00" + std::string("C:\\nowhere") + "*|\r\n");
  Open();
  seams_.prompt.answers = {true};
  Click(IDC_CLOSE_TERMINALS);
  EXPECT_EQ(seams_.prompt.shown.back().text, g_lang.GetText(msg::kConfirmCloseAll));
  EXPECT_TRUE(polite.Exited(5000));
  EXPECT_TRUE(stubborn.Exited(5000));
  EXPECT_TRUE(unlisted.Exited(5000));
  EXPECT_EQ(stubborn.ExitCode(), 0u) << "ended by terminate, not by its own close";
  // 100 close requests a second apart for the stubborn one, then the pause after the command.
  EXPECT_GE(seams_.waiter.sleeps.size(), 101u);
  EXPECT_TRUE(IsWindowEnabled(dialog_->Window()));
}

TEST_F(TerminalWindowTest, CloseAnsweredNoClosesNothing) {
  FakeTerminal terminal(package_ / L"A", L"11111111: Demo");
  Open();
  seams_.prompt.answers = {false};
  Click(IDC_CLOSE_TERMINALS);
  EXPECT_FALSE(terminal.Exited(300));
}

TEST_F(TerminalWindowTest, FirstSearchFindsDriveTerminalsWithAccountsAndTheListComesBack) {
  const std::wstring first = L"D:\\MT4";
  const std::wstring second = L"D:\\Brokers\\MT4 B";
  if (!FolderExists(L"D:\\")) GTEST_SKIP() << "the test prefix has no fixture drive D:";
  for (const std::wstring& folder : {first, second}) {
    g_files.DeleteFolder(folder);
    ASSERT_TRUE(g_files.CreateFolderPath(folder + L"\\config"));
  }
  {
    FakeTerminal one(first, L"12345678: Demo-Server - Demo Account - [EURUSD,H1]");
    FakeTerminal two(second, L"87654321: Other-Server - Real - [GBPUSD,M5]");
    ASSERT_TRUE(one.Window() && two.Window());
    Open();  // no stored list: the first search starts by itself
    ASSERT_TRUE(PumpUntil([&] { return RowOf(first) && RowOf(second); }));
    EXPECT_EQ(RowOf(first)->account, L"12345678");
    EXPECT_EQ(RowOf(second)->account, L"87654321");
    EXPECT_TRUE(seams_.prompt.Messages().empty() || TestLocale() == "tw");
    Click(IDCANCEL);
  }
  Open();
  EXPECT_NE(RowOf(first), nullptr);
  EXPECT_NE(RowOf(second), nullptr);
  Close();
  g_files.DeleteFolder(L"D:\\MT4");
  g_files.DeleteFolder(L"D:\\Brokers");
}

// The journals of stored terminals are read while the window is made; a running terminal's
// window still names the account.
TEST_F(TerminalWindowTest, StoredRowsShowTheRunningAccountElseTheJournalsRead) {
  const std::wstring running = package_ / L"A", idle = package_ / L"B";
  for (const std::wstring& folder : {running, idle}) {
    ASSERT_TRUE(WriteBytes(folder + L"\\logs\\20240101.log", "0\t09:00:00.000\t'11111111': login on X\r\n"));
  }
  FakeTerminal terminal(running, L"22222222: Demo");
  ASSERT_TRUE(terminal.Window());
  OpenWith({running, idle});
  ASSERT_TRUE(RowOf(running) && RowOf(idle));
  EXPECT_EQ(RowOf(running)->account, L"22222222");
  EXPECT_EQ(RowOf(idle)->account, L"11111111");
}

TEST_F(TerminalWindowTest, RefreshEndsWithCompleted) {
  Store("[MAIN]\r\nPATH=00C:\\nowhere*|\r\n");
  Open();
  seams_.prompt.shown.clear();
  Click(IDC_REFRESH);
  EXPECT_EQ(seams_.prompt.Messages(), std::vector<std::wstring>{g_lang.GetText(msg::kCompleted)});
  EXPECT_FALSE(dialog_->IsSearching());
  EXPECT_TRUE(IsWindowVisible(dialog_->Item(IDC_TERMINAL_LIST)));
}

}  // namespace
