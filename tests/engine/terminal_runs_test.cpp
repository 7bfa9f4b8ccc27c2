#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/winmsg.h"
#include "deploy/engine_messages.h"
#include "engine/terminal_runs.h"
#include "tests/support/fake_terminal_process.h"
#include "tests/support/scripted_seams.h"
#include "tests/support/temp_folder.h"

namespace {

// Answers from its settings, as a command line's switches would; no window exists.
class ScriptedPolicy : public RunPolicy {
 public:
  bool MayCloseTerminal() override {
    ++closeQuestions;
    return mayClose;
  }
  bool MayUpdateTerminals() override { return true; }
  void Notify(const std::wstring& text) override { notices.push_back(text); }
  bool StopRequested() override { return false; }

  bool mayClose = false;
  int closeQuestions = 0;
  std::vector<std::wstring> notices;
};

class RecordingObserver : public RunObserver {
 public:
  void RowStarted(std::size_t index, const std::wstring& state) override {
    events.push_back(L"start " + std::to_wstring(index) + L" " + state);
  }
  void RowFinished(std::size_t index, const RowResult&) override {
    events.push_back(L"end " + std::to_wstring(index));
  }
  std::vector<std::wstring> events;
};

// Two terminals of the older layout and a one-role package.
class TerminalRunsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EndStrayTerminals();
    g_lang.FillTables();
    g_lang.SetLanguage(kLangEnglish);
    for (const TempFolder* terminal : {&first_, &second_}) {
      ASSERT_TRUE(g_files.CreateFolderPath(*terminal / L"MQL4\\experts"));
      ASSERT_TRUE(WriteBytes(*terminal / L"MQL4\\libraries\\orbix.dll", "old library"));
    }
    ASSERT_TRUE(WriteBytes(package_ / L"experts\\Copier.ex4", "compiled"));
    ASSERT_TRUE(WriteBytes(package_ / L"libraries\\orbix.dll", "new library"));
    job_.source = SourceOf(CPackage(package_.Path(), kReceiverOnly), kRoleReceiver);
    job_.roleWord = L"Receiver";
  }
  void TearDown() override { EndStrayTerminals(); }

  std::vector<RowResult> Install() { return RunInstall({first_.Path(), second_.Path()}, job_, policy_, observer_); }

  TempFolder first_, second_, package_;
  InstallJob job_;
  ScriptedPolicy policy_;
  RecordingObserver observer_;
  ScriptedSeams seams_;
};

TEST_F(TerminalRunsTest, AnInstallOverTwoTerminalsGivesEachResultAsData) {
  const std::vector<RowResult> results = Install();
  ASSERT_EQ(results.size(), 2u);
  for (const RowResult& result : results) {
    EXPECT_TRUE(result.succeeded) << result.state;
    EXPECT_EQ(result.state, g_lang.GetText(msg::kInstallCompleted));
    EXPECT_EQ(result.role, L"Receiver");
    EXPECT_TRUE(result.untick);
  }
  const std::wstring installing = g_lang.GetText(msg::kInstalling);
  EXPECT_EQ(observer_.events, (std::vector<std::wstring>{L"start 0 " + installing, L"end 0",
                                                         L"start 1 " + installing, L"end 1"}));
  EXPECT_EQ(ReadBytes(second_ / L"MQL4\\libraries\\orbix.dll"), "new library");
  EXPECT_TRUE(seams_.prompt.shown.empty()) << "the policy answers, nobody is asked";
}

TEST_F(TerminalRunsTest, APolicyThatRefusesTheCloseLeavesARunningTerminalUntouched) {
  FakeTerminal running(first_.Path(), L"1: Server");
  ASSERT_TRUE(running.Window());
  const std::vector<RowResult> results = Install();
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(policy_.closeQuestions, 1);
  EXPECT_FALSE(results[0].succeeded);
  EXPECT_EQ(results[0].outcome, EngineMessage(kMsgCloseTerminal));
  EXPECT_FALSE(results[0].closed);
  EXPECT_FALSE(running.Exited(300));
  EXPECT_EQ(ReadBytes(first_ / L"MQL4\\libraries\\orbix.dll"), "old library");
  EXPECT_TRUE(results[1].succeeded) << results[1].state;
}

}  // namespace
