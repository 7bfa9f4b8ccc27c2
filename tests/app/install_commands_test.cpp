#include <gtest/gtest.h>

#include <functional>

#include "common/command_line.h"
#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/fake_terminal_process.h"

namespace {

// Records the owners of the questions and runs a test's action while each one is up.
class WatchingPrompt : public ScriptedPrompt {
 public:
  bool AskYesNo(HWND owner, const std::wstring& text, const std::wstring& caption) override {
    owners.push_back(owner);
    if (whileAsked) whileAsked();
    return ScriptedPrompt::AskYesNo(owner, text, caption);
  }
  std::function<void()> whileAsked;
  std::vector<HWND> owners;
};

class InstallCommandsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    for (const wchar_t* role : {L"Signal Provider", L"Signal Receiver"}) {
      for (int language : {kLangEnglish, kLangSimplifiedChinese, kLangTraditionalChinese}) {
        g_lang.SetLanguage(language);
        const std::wstring folder = package_ / (g_lang.GetText(role == std::wstring(L"Signal Provider") ? 56 : 57));
        const std::wstring name = std::wstring(L"_Velmar ") + role + L".ex4";
        WriteBytes(folder + L"\\experts\\" + name, "ex4");
        WriteBytes(folder + L"\\libraries\\orbix.dll", "MZ");
      }
    }
    g_lang.SetLanguage(kLangSimplifiedChinese);
    // A package with the copier library carries its signal database too.
    ASSERT_TRUE(MakeSignalDatabase(package_ / L"orbix.sin"));
  }
  // A terminal with the newer folder layout; without MQL4 it has nowhere to take the files.
  std::wstring MakeTerminal(const std::wstring& name, bool withMql = true) {
    const std::wstring folder = terminals_ / name;
    WriteBytes(folder + L"\\terminal.exe", "MZ");
    g_files.CreateFolderPath(folder + L"\\config");
    g_files.CreateFolderPath(folder + L"\\profiles\\default");
    if (withMql) g_files.CreateFolderPath(folder + L"\\MQL4\\Experts");
    return folder;
  }
  std::wstring LastMessage() {
    const auto messages = seams_.prompt.Messages();
    return messages.empty() ? L"" : messages.back();
  }
  TempFolder terminals_;
};

TEST_F(InstallCommandsTest, ASecondRowFailingLeavesTheOthersCompletedAndIsTheSummary) {
  CDlgInstMulti& dialog = OpenWith({MakeTerminal(L"One"), MakeTerminal(L"Two", false), MakeTerminal(L"Three")});
  Click(IDC_INSTALL_PROVIDER);
  const auto& rows = dialog.Rows().rows;
  ASSERT_EQ(rows.size(), 3u);
  const std::wstring completed = g_lang.GetText(msg::kInstallCompleted);
  for (int i : {0, 2}) {
    EXPECT_EQ(rows[i].state.rfind(completed, 0), 0u) << rows[i].state;
    EXPECT_FALSE(rows[i].ticked);
    EXPECT_EQ(rows[i].role, g_lang.GetText(msg::kRoleProvider));
    EXPECT_TRUE(FileExists(rows[i].installFolder + L"\\MQL4\\Experts\\_Velmar Signal Provider.ex4"));
  }
  EXPECT_EQ(rows[1].state.rfind(g_lang.GetText(msg::kInstallFailed) + L"#", 0), 0u) << rows[1].state;
  EXPECT_TRUE(rows[1].ticked);
  EXPECT_EQ(LastMessage(), rows[1].state);
}

TEST_F(InstallCommandsTest, TheCloseQuestionIsOwnedByTheWindowAndARefreshMeanwhileChangesNoRow) {
  EndStrayTerminals();
  const std::wstring running = MakeTerminal(L"Running");
  FakeTerminal terminal(running, L"1: Server");
  ASSERT_TRUE(terminal.Window());
  BriefWaiter waiter;
  SetWaiter(&waiter);
  const std::wstring gone = MakeTerminal(L"Gone");
  CDlgInstMulti& dialog = OpenWith({running, gone});
  WatchingPrompt prompt;
  prompt.answers = {true, false};
  // The user switches to the terminal and back, and clicks Refresh after the second folder went.
  prompt.whileAsked = [&] {
    SetForegroundWindow(terminal.Window());
    RemoveTree(gone);
    Click(IDC_REFRESH);
  };
  SetPrompt(&prompt);
  Click(IDC_INSTALL_PROVIDER);
  SetPrompt(&seams_.prompt);
  SetWaiter(&seams_.waiter);
  EndStrayTerminals();

  EXPECT_EQ(prompt.owners, std::vector<HWND>{dialog.Window()});
  ASSERT_EQ(dialog.Rows().rows.size(), 2u);
  EXPECT_EQ(dialog.Rows().rows[1].installFolder, gone);
  EXPECT_EQ(dialog.Rows().rows[0].state.rfind(g_lang.GetText(msg::kInstallCompleted), 0), 0u)
      << dialog.Rows().rows[0].state;
}

TEST_F(InstallCommandsTest, WithNothingTickedOnlyTheSelectedRowIsInstalled) {
  CDlgInstMulti& dialog = OpenWith({MakeTerminal(L"One"), MakeTerminal(L"Two")}, "00");
  ListView_SetItemState(dialog.ListView().Handle(), 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetSelectionMark(dialog.ListView().Handle(), 1);
  Click(IDC_INSTALL_RECEIVER);
  EXPECT_EQ(dialog.Rows().rows[0].state, L"");
  EXPECT_EQ(dialog.Rows().rows[1].role, g_lang.GetText(msg::kRoleReceiver));
  EXPECT_EQ(LastMessage(), g_lang.GetText(msg::kCompleted));
}

TEST_F(InstallCommandsTest, AReceiverInstallOverAProviderRowProceeds) {
  CDlgInstMulti& dialog = OpenWith({MakeTerminal(L"One")}, "11");
  EXPECT_EQ(dialog.Rows().rows[0].role, g_lang.GetText(msg::kRoleProvider));
  Click(IDC_INSTALL_RECEIVER);
  EXPECT_EQ(dialog.Rows().rows[0].role, g_lang.GetText(msg::kRoleReceiver));
  EXPECT_EQ(dialog.Rows().rows[0].state.rfind(g_lang.GetText(msg::kInstallCompleted), 0), 0u);
}

TEST_F(InstallCommandsTest, AnEmptyListOffersToAddATerminal) {
  Store("[MAIN]\r\nPATH=00C:\\nowhere*|\r\n");
  Open();
  seams_.prompt.shown.clear();
  seams_.prompt.answers = {false};
  Click(IDC_INSTALL_PROVIDER);
  ASSERT_EQ(seams_.prompt.shown.size(), 1u);
  EXPECT_EQ(seams_.prompt.shown[0].kind, L"okcancel");
  EXPECT_EQ(seams_.prompt.shown[0].text, g_lang.GetText(msg::kSelectInstallFolder));
}

TEST_F(InstallCommandsTest, NothingChosenInAListAsksForARow) {
  OpenWith({MakeTerminal(L"One")}, "00");
  Click(IDC_INSTALL_PROVIDER);
  EXPECT_EQ(LastMessage(), g_lang.GetText(msg::kSelectTerminalOnList));
}

TEST_F(InstallCommandsTest, RefusedWritesAskOnceForAnAdministratorRestart) {
  std::vector<std::wstring> folders;
  for (const wchar_t* name : {L"One", L"Two"}) {
    folders.push_back(MakeTerminal(name));
    // A folder where the EA file goes: the copy is refused with access denied.
    g_files.CreateFolderPath(folders.back() + L"\\MQL4\\Experts\\_Velmar Signal Provider.ex4");
  }
  const auto askedToRestart = [this] {
    int asked = 0;
    for (const auto& shown : seams_.prompt.shown) asked += shown.text == g_lang.GetText(msg::kRestartAsAdministrator);
    return asked;
  };
  CDlgInstMulti& dialog = OpenWith(folders);
  seams_.shell.elevated = true;
  Click(IDC_INSTALL_PROVIDER);
  EXPECT_EQ(askedToRestart(), 0);

  seams_.shell.elevated = false;
  seams_.prompt.answers = {false};
  Click(IDC_INSTALL_PROVIDER);
  EXPECT_EQ(askedToRestart(), 1);
  for (const TerminalEntry& row : dialog.Rows().rows) {
    EXPECT_EQ(row.state.rfind(g_lang.GetText(msg::kInstallFailed), 0), 0u) << row.state;
  }
  EXPECT_TRUE(seams_.shell.calls.empty());

  seams_.prompt.answers = {true};
  Click(IDC_INSTALL_PROVIDER);
  ASSERT_EQ(seams_.shell.calls.size(), 1u);
  EXPECT_EQ(seams_.shell.calls[0].verb, L"runas");
  EXPECT_EQ(seams_.shell.calls[0].file, installerPath_);
  EXPECT_EQ(seams_.shell.calls[0].parameters, ArgumentsAfterProgram(GetCommandLineW()));
  EXPECT_EQ(dialog.Window(), nullptr);
}

}  // namespace
