#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "common/file_ctrl.h"
#include "common/unique_handle.h"
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
    g_lang.FillTables();
    g_lang.SetLanguage(kLangEnglish);
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
    return DeployToTerminal(source_, install_.Path(), compose, L"", kRoleNone, prompt_);
  }

  TempFolder install_;
  TempFolder package_;
  DeploySource source_;
  PromptPolicy prompt_{nullptr};
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

// A busy terminal closes on the first request only after the user stopped waiting: the copier
// must not stay down, so it is started again and the outcome says so; nothing was changed.
TEST_F(DeployToTerminalTest, TerminalThatClosesAfterTheStoppedWaitIsStartedAgain) {
  FakeTerminal busy(install_.Path(), L"--close-delay 1500 1: Server");
  ASSERT_TRUE(busy.Window());
  ScriptedSeams seams;
  BriefWaiter waiter;
  SetWaiter(&waiter);
  StartingShell shell;
  SetLauncher(&shell);
  StoppingWatch watch(1);
  SetCloseWatch(&watch);
  seams.prompt.answers = {true};

  const std::wstring outcome = Deploy();
  SetCloseWatch(nullptr);
  EXPECT_EQ(outcome, g_lang.GetText(msg::kCloseWaitStopped) + L"\n" + g_lang.GetText(msg::kClosedAnywayRestarted));
  EXPECT_TRUE(busy.Exited(0));
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, busy.ExePath());
  EXPECT_TRUE(TerminalStartsWithin(busy.ExePath(), 5000));
  EXPECT_EQ(Installed(L"libraries\\orbix.dll"), "old library");
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
  EXPECT_EQ(DeployToTerminal(source_, L"", false, L"", kRoleNone, prompt_), EngineMessage(kMsgRunTerminalFirst));
}

TEST_F(DeployToTerminalTest, AFileAnotherProgramHoldsFailsTheRunBeforeExpertsIni) {
  ScriptedSeams seams;
  // The test program itself stands for the other program holding the library.
  UniqueHandle held(CreateFileW((install_ / L"MQL4\\libraries\\orbix.dll").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  const std::wstring outcome = Deploy();
  EXPECT_EQ(outcome.rfind(EngineMessage(kMsgCloseTerminal) + L"#orbix.dll", 0), 0u) << outcome;
  const std::size_t replaced = outcome.find(g_lang.GetText(msg::kAlreadyReplaced));
  EXPECT_NE(outcome.find(L"Copier.ex4", replaced), std::wstring::npos) << outcome;
  held.Reset();
  EXPECT_EQ(Installed(L"libraries\\orbix.dll"), "old library");
  EXPECT_FALSE(FileExists(install_ / L"config\\experts.ini"));
}

TEST_F(DeployToTerminalTest, ExpertsIniThatCannotBeWrittenIsNotReportedAsSwitchedOn) {
  ScriptedSeams seams;
  ASSERT_TRUE(WriteBytes(install_ / L"config\\experts.ini", std::string(300, '\0')));
  UniqueHandle held(CreateFileW((install_ / L"config\\experts.ini").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  const std::wstring outcome = Deploy();
  EXPECT_FALSE(IsSuccessOutcome(outcome)) << outcome;
  const std::wstring expected = ReplaceAll(g_lang.GetText(msg::kExpertsIniNotSwitched), L"{0}",
                                           install_ / L"config\\experts.ini");
  EXPECT_EQ(outcome.rfind(expected.substr(0, expected.find(L"{1}")), 0), 0u) << outcome;
}

TEST_F(DeployToTerminalTest, AnUnwritableInstallTreeFailsAfterTheDataTreeSucceeded) {
  wchar_t view[MAX_PATH] = {}, writable[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"PANDRAKE_READONLY_DRIVE", view, MAX_PATH) ||
      !GetEnvironmentVariableW(L"PANDRAKE_READONLY_SOURCE", writable, MAX_PATH)) {
    GTEST_SKIP() << "no read-only drive mounted";
  }
  ScriptedSeams seams;
  TempFolder fixture(writable);
  ASSERT_TRUE(g_files.CreateFolderPath(fixture / L"MQL4\\experts"));
  ASSERT_TRUE(WriteBytes(fixture / L"MQL4\\libraries\\orbix.dll", "old library"));
  const std::wstring install = std::wstring(view) + fixture.Path().substr(wcslen(writable));
  TempFolder data(CMTAssist::DataFolderRoot());
  std::string origin = "\xFF\xFE";
  for (wchar_t c : install.substr(0, install.size() - 1)) {
    origin += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  }
  ASSERT_TRUE(WriteBytes(data / L"origin.txt", origin));
  ASSERT_TRUE(g_files.CreateFolderPath(data / L"MQL4\\Experts"));
  ASSERT_TRUE(g_files.CreateFolderPath(data / L"config"));

  const std::wstring outcome = DeployToTerminal(source_, install, false, L"", kRoleNone, prompt_);
  EXPECT_FALSE(IsSuccessOutcome(outcome)) << outcome;
  EXPECT_EQ(ReadBytes(data / L"MQL4\\libraries\\orbix.dll"), "new library");
  EXPECT_NE(outcome.find(g_lang.GetText(msg::kAlreadyReplaced)), std::wstring::npos) << outcome;
  EXPECT_EQ(ReadBytes(install + L"MQL4\\libraries\\orbix.dll"), "old library");
  EXPECT_FALSE(FileExists(data / L"config\\experts.ini"));
}

// A chart names its EA without the file's extension.
TEST(SourceOfTest, NamesBothRolesEasAsChartsDo) {
  TempFolder package;
  ASSERT_TRUE(WriteBytes(package / L"Signal Provider\\experts\\_Velmar Signal Provider.ex4", "p"));
  ASSERT_TRUE(WriteBytes(package / L"Signal Receiver\\experts\\_Velmar Signal Receiver.ex4", "r"));
  CPackage detected(package.Path(), kBothRoles);
  detected.DetectPackage(false);
  EXPECT_EQ(SourceOf(detected, kRoleReceiver).copierEas,
            (std::vector<std::wstring>{L"_Velmar Signal Provider", L"_Velmar Signal Receiver"}));
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
