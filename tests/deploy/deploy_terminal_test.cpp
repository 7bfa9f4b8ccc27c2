#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/winmsg.h"
#include "deploy/deploy_terminal.h"
#include "terminal/mt_assist.h"
#include "tests/support/fake_terminal_process.h"
#include "tests/support/scripted_seams.h"
#include "tests/support/temp_folder.h"

namespace {

// A terminal of the older layout (MQL4 under its install folder, no data folder) and a
// single-role package.
class DeployToTerminalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EndStrayTerminals();
    ASSERT_TRUE(g_files.CreateFolderPath(install_ / L"MQL4\\experts"));
    ASSERT_TRUE(g_files.CreateFolderPath(install_ / L"config"));
    ASSERT_TRUE(WriteBytes(install_ / L"MQL4\\libraries\\orbix.dll", "old library"));
    ASSERT_TRUE(WriteBytes(package_ / L"experts\\Copier.ex4", "compiled"));
    ASSERT_TRUE(WriteBytes(package_ / L"libraries\\orbix.dll", "new library"));
    ASSERT_TRUE(WriteBytes(package_ / L"indicators\\Signal.ex4", "indicator"));
    source_ = SourceOf(CPackage(package_.Path(), kReceiverOnly), kRoleReceiver);
  }
  void TearDown() override { EndStrayTerminals(); }

  std::string Installed(const std::wstring& relative) const { return ReadBytes(install_ / (L"MQL4\\" + relative)); }
  InstallOutcome Deploy(bool compose = false) {
    return DeployToTerminal(source_, install_.Path(), compose, L"", kRoleNone, nullptr);
  }

  TempFolder install_;
  TempFolder package_;
  DeploySource source_;
};

TEST_F(DeployToTerminalTest, RunningTerminalAnsweredYesIsClosedDeployedAndStartedAgain) {
  FakeTerminal running(install_.Path(), L"--hold \"" + (install_ / L"MQL4\\libraries\\orbix.dll") + L"\" 1: Server");
  ASSERT_TRUE(running.Window());
  ScriptedSeams seams;
  BriefWaiter waiter;
  SetWaiter(&waiter);
  SetLauncher(nullptr);  // the real one, so the terminal really starts again
  seams.prompt.answers = {true};

  EXPECT_EQ(Deploy(), kOutcomeSuccess);
  ASSERT_EQ(seams.prompt.shown.size(), 1u);
  EXPECT_EQ(seams.prompt.shown[0].kind, L"yesno");
  EXPECT_EQ(seams.prompt.shown[0].text, g_lang.GetText(msg::kCloseBeforeInstall));
  EXPECT_TRUE(running.Exited(5000));
  EXPECT_EQ(Installed(L"libraries\\orbix.dll"), "new library");
  EXPECT_EQ(Installed(L"experts\\Copier.ex4"), "compiled");
  EXPECT_EQ(ReadBytes(install_ / L"config\\experts.ini").size(), 4388u);
  EXPECT_TRUE(TerminalStartsWithin(running.ExePath(), 5000));
}

TEST_F(DeployToTerminalTest, RunningTerminalAnsweredNoIsLeftAloneWithMessage10) {
  FakeTerminal running(install_.Path(), L"1: Server");
  ASSERT_TRUE(running.Window());
  ScriptedSeams seams;
  seams.prompt.answers = {false};

  EXPECT_EQ(Deploy(), EngineMessage(kMsgCloseTerminal));
  EXPECT_EQ(seams.prompt.shown.size(), 1u);
  EXPECT_FALSE(running.Exited(0));
  EXPECT_TRUE(seams.shell.calls.empty());
  EXPECT_EQ(Installed(L"libraries\\orbix.dll"), "old library");
  EXPECT_FALSE(FileExists(install_ / L"MQL4\\experts\\Copier.ex4"));
  EXPECT_FALSE(FileExists(install_ / L"config\\experts.ini"));
}

TEST_F(DeployToTerminalTest, IdleTerminalIsDeployedWithoutQuestionAndComposedWithItsLists) {
  ScriptedSeams seams;
  const std::wstring text = Deploy(true);
  EXPECT_EQ(text, EngineMessage(kMsgInstallCompleted) + L"\n\n" + EngineMessage(kMsgInstalledEa) + L"Copier.ex4\n" +
                      EngineMessage(kMsgInstalledIndicators) + L"Signal.ex4");
  EXPECT_TRUE(seams.prompt.shown.empty());
  EXPECT_TRUE(seams.shell.calls.empty());
  EXPECT_EQ(Installed(L"indicators\\Signal.ex4"), "indicator");
}

TEST_F(DeployToTerminalTest, TerminalNotReadyIsReported) {
  ScriptedSeams seams;
  RemoveTree(install_ / L"MQL4\\experts");
  EXPECT_EQ(Deploy(), EngineMessage(kMsgLogInFirst));
  // Older terminals without an MQL4 folder use the install folder itself, which has no experts.
  RemoveTree(install_ / L"MQL4");
  EXPECT_EQ(Deploy(), EngineMessage(kMsgLogInFirst));
  EXPECT_EQ(DeployToTerminal(source_, L"", false, L"", kRoleNone, nullptr), EngineMessage(kMsgRunTerminalFirst));
}

TEST(ComposeOutcomeTest, FailureIsWrappedAndHintsAndListsAreTranslated) {
  const std::wstring failed = EngineMessage(kMsgCloseTerminal) + L"#orbix.dll";
  EXPECT_EQ(ComposeOutcome(failed, {}), EngineMessage(kMsgInstallFailed) + L":\n" + failed + L"\n");
  DeployLists lists{L"A.ex4,B.ex4,", L"", L"orbix.dll,"};
  EXPECT_EQ(ComposeOutcome(L"SUCC - {RERUN}", lists), EngineMessage(kMsgInstallCompleted) + L"\n" +
                                                          EngineMessage(kMsgRestartTerminal) + L"\n\n" +
                                                          EngineMessage(kMsgInstalledEa) + L"A.ex4,B.ex4");
}

}  // namespace
