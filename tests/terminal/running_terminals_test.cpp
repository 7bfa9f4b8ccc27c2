#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_entry.h"
#include "tests/support/fake_terminal_process.h"
#include "tests/support/scripted_seams.h"
#include "tests/support/temp_folder.h"
#include "tests/tools/fake_terminal.h"

namespace {

// Records each wait and waits for real until the watched window has gone, so a terminal
// that accepts a close request has closed before the next check.
class WindowWatchingWaiter : public Waiter {
 public:
  void Sleep(DWORD milliseconds) override {
    sleeps.push_back(milliseconds);
    for (int i = 0; i < 50 && AnyWatchedWindow(); ++i) ::Sleep(20);
  }
  std::vector<HWND> watched;
  std::vector<DWORD> sleeps;

 private:
  bool AnyWatchedWindow() const {
    return std::any_of(watched.begin(), watched.end(), [](HWND w) { return IsWindow(w) != FALSE; });
  }
};

// The close requests among the waits; the short waits for the process to end follow them.
std::size_t CloseRequests(const std::vector<DWORD>& sleeps) { return std::count(sleeps.begin(), sleeps.end(), 1000u); }

class RunningTerminalsTest : public ::testing::Test {
 protected:
  void SetUp() override { EndStrayTerminals(); }
  void TearDown() override { SetWaiter(nullptr); }

  std::size_t IndexOfPath(const std::wstring& exePath) const {
    const auto& paths = g_mtAssist.exePaths;
    return std::find(paths.begin(), paths.end(), LowerCaseText(exePath)) - paths.begin();
  }

  TempFolder folder_;
};

TEST_F(RunningTerminalsTest, ScanFindsAccountsServersAndLowerCasedPaths) {
  FakeTerminal alpha(folder_ / L"MT4 Alpha", L"11111111: Alpha-Demo - Demo Account - [EURUSD,H1]");
  FakeTerminal beta(folder_ / L"MT4 Beta", L"22222222: Beta-Live [GBPUSD,M5]");
  ASSERT_TRUE(alpha.Window() && beta.Window());

  const std::wstring accounts = g_mtAssist.ScanRunningTerminals(true, true);
  EXPECT_TRUE(accounts == L"11111111,22222222" || accounts == L"22222222,11111111") << accounts;
  ASSERT_EQ(g_mtAssist.windowHandles.size(), 2u);
  ASSERT_EQ(g_mtAssist.serverTexts.size(), 2u);
  const std::size_t a = IndexOfPath(alpha.ExePath());
  const std::size_t b = IndexOfPath(beta.ExePath());
  ASSERT_LT(a, 2u) << g_mtAssist.exePaths[0];
  ASSERT_LT(b, 2u) << g_mtAssist.exePaths[1];
  EXPECT_EQ(g_mtAssist.ScannedWindow(a), alpha.Window());
  EXPECT_EQ(g_mtAssist.accounts[a], L"11111111");
  EXPECT_EQ(g_mtAssist.serverTexts[a], L"Alpha-Demo - Demo Account -");
  EXPECT_EQ(g_mtAssist.serverTexts[b], L"Beta-Live");

  const std::wstring paths = g_mtAssist.RunningTerminalPaths();
  EXPECT_EQ(paths.find(L','), paths.rfind(L','));
  EXPECT_NE(paths.find(LowerCaseText(alpha.ExePath())), std::wstring::npos) << paths;
  EXPECT_EQ(g_mtAssist.accounts, std::vector<std::wstring>(2));
}

TEST_F(RunningTerminalsTest, ScanFindsTerminalsRaisedWhileItRuns) {
  FakeTerminal first(folder_ / L"First", L"1: Server");
  FakeTerminal second(folder_ / L"Second", L"2: Server");
  ASSERT_TRUE(first.Window() && second.Window());
  // As a user switching between terminals while the list is read.
  std::atomic<bool> done = false;
  std::thread raiser([&] {
    for (bool which = false; !done; which = !which) {
      SetWindowPos(which ? first.Window() : second.Window(), HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  });
  int incomplete = 0;
  for (int i = 0; i < 50; ++i) {
    g_mtAssist.ScanRunningTerminals(true, true);
    incomplete += g_mtAssist.windowHandles.size() != 2;
  }
  done = true;
  raiser.join();
  EXPECT_EQ(incomplete, 0);
}

TEST_F(RunningTerminalsTest, IsTerminalRunningComparesWholePathsIgnoringCase) {
  FakeTerminal running(folder_ / L"Running", L"1: Server");
  ASSERT_TRUE(running.Window());
  const std::wstring idle = folder_ / L"Idle\\terminal.exe";
  CreateDirectoryW((folder_ / L"Idle").c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(FakeTerminalProgram().c_str(), idle.c_str(), FALSE));

  std::wstring upper = running.ExePath();
  CharUpperW(upper.data());
  EXPECT_TRUE(g_mtAssist.IsTerminalRunning(upper));
  EXPECT_FALSE(g_mtAssist.IsTerminalRunning(idle));
  EXPECT_FALSE(g_mtAssist.IsTerminalRunning(folder_ / L"Missing\\terminal.exe"));
}

TEST_F(RunningTerminalsTest, TerminalsInFoldersNamedBeyondAToZAreFoundAndClosed) {
  FakeTerminal latin(folder_ / L"Trader \x00C9mile \x03AC\\MT4", L"12: Server");
  FakeTerminal cyrillic(folder_ / L"\x0422\x0440\x0435\x0439\x0434\x0435\x0440\\MT4", L"13: Server");
  ASSERT_TRUE(latin.Window() && cyrillic.Window());
  WindowWatchingWaiter waiter;
  waiter.watched = {latin.Window(), cyrillic.Window()};
  SetWaiter(&waiter);

  EXPECT_TRUE(g_mtAssist.IsTerminalRunning(latin.ExePath()));
  g_mtAssist.ScanRunningTerminals(true, true);
  EXPECT_EQ(g_mtAssist.FindRunningAccount(folder_ / L"TRADER \x00C9MILE \x0386\\MT4"), L"12");
  const std::wstring stored = folder_ / L"\x0422\x0420\x0415\x0419\x0414\x0415\x0420\\MT4";
  EXPECT_EQ(RowKey(stored), RowKey(RunningTerminalFolder(cyrillic.ExePath())));
  EXPECT_FALSE(g_mtAssist.CloseTerminalByPath(cyrillic.ExePath()).empty());
  EXPECT_FALSE(g_mtAssist.CloseTerminalByPath(ToLower(latin.ExePath())).empty());
  EXPECT_TRUE(latin.Exited(5000) && cyrillic.Exited(5000));
}

TEST_F(RunningTerminalsTest, CloseAllTerminalsClosesBothClasses) {
  FakeTerminal mt4(folder_ / L"MT4", L"1: Server4");
  FakeTerminal mt5(folder_ / L"MT5", L"--mt5 2: Server5", L"terminal64.exe");
  ASSERT_TRUE(mt4.Window() && mt5.Window());
  WindowWatchingWaiter waiter;
  waiter.watched = {mt4.Window(), mt5.Window()};
  SetWaiter(&waiter);

  g_mtAssist.CloseAllTerminals();
  ASSERT_TRUE(mt4.Exited(5000) && mt5.Exited(5000));
  EXPECT_EQ(mt4.ExitCode(), static_cast<DWORD>(kFakeTerminalClosedExitCode));
  EXPECT_EQ(mt5.ExitCode(), static_cast<DWORD>(kFakeTerminalClosedExitCode));
  EXPECT_EQ(g_mtAssist.ScanRunningTerminals(false, false), L"");
  EXPECT_TRUE(g_mtAssist.windowHandles.empty());
}

TEST_F(RunningTerminalsTest, TerminalIgnoringEveryCloseIsTerminatedAfterTheLimit) {
  FakeTerminal stubborn(folder_ / L"Stubborn", L"--ignore-close all 3: Server");
  ASSERT_TRUE(stubborn.Window());
  ScriptedSeams seams;

  EXPECT_EQ(g_mtAssist.CloseTerminalByPath(stubborn.ExePath()), LowerCaseText(stubborn.ExePath()));
  EXPECT_EQ(seams.waiter.sleeps, std::vector<DWORD>(100, 1000));
  ASSERT_TRUE(stubborn.Exited(5000));
  EXPECT_EQ(stubborn.ExitCode(), 0u);
}

TEST_F(RunningTerminalsTest, TerminalThatClosesIsNotTerminated) {
  FakeTerminal first(folder_ / L"First", L"4: Server");
  FakeTerminal third(folder_ / L"Third", L"--ignore-close 2 5: Server");
  ASSERT_TRUE(first.Window() && third.Window());
  WindowWatchingWaiter waiter;
  SetWaiter(&waiter);

  waiter.watched = {first.Window()};
  EXPECT_EQ(CloseTerminalWindow(first.Window()), CloseOutcome::kClosed);
  EXPECT_EQ(CloseRequests(waiter.sleeps), 1u);
  EXPECT_TRUE(first.Exited(0)) << "its files are copied only after the process has ended";
  waiter.watched = {third.Window()};
  EXPECT_EQ(CloseTerminalWindow(third.Window()), CloseOutcome::kClosed);
  EXPECT_EQ(CloseRequests(waiter.sleeps), 4u);
  ASSERT_TRUE(first.Exited(5000) && third.Exited(5000));
  EXPECT_EQ(first.ExitCode(), static_cast<DWORD>(kFakeTerminalClosedExitCode));
  EXPECT_EQ(third.ExitCode(), static_cast<DWORD>(kFakeTerminalClosedExitCode));
}

TEST_F(RunningTerminalsTest, CloseTerminalByPathMatchesAnyPartOfThePath) {
  FakeTerminal alpha(folder_ / L"Broker Alpha", L"6: Server");
  FakeTerminal beta(folder_ / L"Broker Beta", L"7: Server");
  ASSERT_TRUE(alpha.Window() && beta.Window());
  WindowWatchingWaiter waiter;
  waiter.watched = {alpha.Window()};
  SetWaiter(&waiter);

  EXPECT_EQ(g_mtAssist.CloseTerminalByPath(L"no such folder"), L"");
  EXPECT_EQ(g_mtAssist.CloseTerminalByPath(L""), L"");
  EXPECT_TRUE(waiter.sleeps.empty());
  EXPECT_EQ(g_mtAssist.CloseTerminalByPath(L"BROKER ALPHA\\"), LowerCaseText(alpha.ExePath()));
  EXPECT_TRUE(alpha.Exited(5000));
  EXPECT_FALSE(beta.Exited(0));
}

TEST_F(RunningTerminalsTest, RowFolderCoversItsSubfoldersButNotSiblingsSharingItsName) {
  FakeTerminal nested(folder_ / L"MT4\\Nested", L"9: Server");
  FakeTerminal sibling(folder_ / L"MT4 Copy", L"10: Server");
  ASSERT_TRUE(nested.Window() && sibling.Window());
  const std::vector<std::wstring> rows = {folder_ / L"mt4"};

  g_mtAssist.ShowTerminalsUnder(rows, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(nested.Window()));
  EXPECT_TRUE(IsWindowVisible(sibling.Window()));
  g_mtAssist.ShowTerminalsUnder(rows, SW_SHOWNORMAL);
  EXPECT_TRUE(IsWindowVisible(nested.Window()));

  WindowWatchingWaiter waiter;
  waiter.watched = {nested.Window()};
  SetWaiter(&waiter);
  g_mtAssist.CloseTerminalsUnder(rows);
  EXPECT_TRUE(nested.Exited(5000));
  EXPECT_FALSE(sibling.Exited(0));
}

TEST_F(RunningTerminalsTest, FakeTerminalHoldsItsFileAgainstDeletion) {
  const std::wstring library = folder_ / L"orbix.dll";
  ASSERT_TRUE(WriteBytes(library, "library"));
  {
    FakeTerminal holder(folder_ / L"Holder", L"--hold \"" + library + L"\" 8: Server");
    ASSERT_TRUE(holder.Window());
    EXPECT_FALSE(DeleteFileW(library.c_str()));
  }
  EXPECT_TRUE(DeleteFileW(library.c_str()));
}

}  // namespace

namespace {

}  // namespace

TEST_F(RunningTerminalsTest, ClosedTerminalStartsAgainWithItsArgumentsAndFolder) {
  const std::wstring record = folder_ / L"started.txt";
  const std::wstring arguments = L"--record \"" + record + L"\" /portable \"/config:start up.ini\" 14: Server";
  FakeTerminal terminal(folder_ / L"Portable", arguments);
  ASSERT_TRUE(terminal.Window());
  WindowWatchingWaiter waiter;
  waiter.watched = {terminal.Window()};
  SetWaiter(&waiter);
  StartingShell shell;
  SetLauncher(&shell);
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);

  const TerminalClose closed = g_mtAssist.CloseForRestart(terminal.ExePath());
  ASSERT_EQ(closed.outcome, CloseOutcome::kClosed);
  EXPECT_EQ(closed.start.arguments, arguments) << "the process parameters are readable here";
  EXPECT_EQ(closed.start.exePath, terminal.ExePath()) << "as the process has it, not lower-cased";
  EXPECT_EQ(ToLower(WithTrailingBackslash(closed.start.folder)), ToLower(WithTrailingBackslash(folder)));
  ASSERT_TRUE(terminal.Exited(5000));
  DeleteFileW(record.c_str());
  StartTerminal(closed.start);
  SetLauncher(nullptr);
  ASSERT_TRUE(TerminalStartsWithin(terminal.ExePath(), 5000));
  const std::wstring started = g_files.ReadTextFile(record);
  EXPECT_NE(started.find(L"/portable \"/config:start up.ini\""), std::wstring::npos) << started;
  const std::wstring workingFolder = closed.start.folder.substr(0, closed.start.folder.find_last_not_of(L'\\') + 1);
  EXPECT_TRUE(ToLower(started).ends_with(L"\n" + ToLower(workingFolder))) << started;
  EndStrayTerminals();
}

TEST_F(RunningTerminalsTest, StoppedCloseWaitLeavesTheTerminalRunning) {
  FakeTerminal stubborn(folder_ / L"Stubborn", L"--ignore-close all 15: Server");
  ASSERT_TRUE(stubborn.Window());
  ScriptedSeams seams;
  StoppingWatch watch;
  SetCloseWatch(&watch);

  EXPECT_EQ(g_mtAssist.CloseForRestart(stubborn.ExePath()).outcome, CloseOutcome::kStopped);
  SetCloseWatch(nullptr);
  ASSERT_EQ(watch.seen.size(), 2u);
  EXPECT_EQ(watch.seen[0], LowerCaseText(stubborn.ExePath()) + L" 100");
  EXPECT_EQ(watch.seen[1], LowerCaseText(stubborn.ExePath()) + L" 99");
  EXPECT_EQ(CloseRequests(seams.waiter.sleeps), 1u);
  EXPECT_FALSE(stubborn.Exited(200));
}

// The user stops before the request the terminal would have taken: none is sent after the stop.
TEST_F(RunningTerminalsTest, StoppedWaitSendsNoFurtherCloseRequest) {
  FakeTerminal third(folder_ / L"Takes The Third", L"--ignore-close 2 16: Server");
  ASSERT_TRUE(third.Window());
  ScriptedSeams seams;
  StoppingWatch watch(2);
  SetCloseWatch(&watch);
  EXPECT_EQ(g_mtAssist.CloseForRestart(third.ExePath()).outcome, CloseOutcome::kStopped);
  SetCloseWatch(nullptr);
  EXPECT_FALSE(third.Exited(2000));
}
