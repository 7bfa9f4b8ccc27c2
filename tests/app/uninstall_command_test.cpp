#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/unique_handle.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/fake_terminal_process.h"

namespace {

constexpr wchar_t kEaFile[] = L"\\MQL4\\Experts\\_Velmar Signal Receiver.ex4";
constexpr wchar_t kLibraryFile[] = L"\\MQL4\\Libraries\\orbix.dll";

// Records the message boxes and runs a test's action while each one is up, as the user could.
class WatchingPrompt : public ScriptedPrompt {
 public:
  void Show(HWND owner, const std::wstring& text, const std::wstring& caption) override {
    ScriptedPrompt::Show(owner, text, caption);
    if (whileShown) whileShown();
  }
  std::function<void()> whileShown;
};

class UninstallCommandTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    EndStrayTerminals();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    EndStrayTerminals();
  }
  // A terminal of the newer layout without profiles, so the chart clean-up tells the user so.
  std::wstring MakeTerminal(const std::wstring& name, bool withCopier) {
    const std::wstring folder = terminals_ / name;
    WriteBytes(folder + L"\\terminal.exe", "MZ");
    g_files.CreateFolderPath(folder + L"\\config");
    g_files.CreateFolderPath(folder + L"\\MQL4\\Experts");
    if (withCopier) {
      WriteBytes(folder + kEaFile, "ex4");
      WriteBytes(folder + kLibraryFile, "MZ");
    }
    return folder;
  }
  // The State column as the list shows it.
  std::vector<std::wstring> ShownStates() {
    HWND list = dialog_->ListView().Handle();
    std::vector<std::wstring> states;
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
      wchar_t text[256] = {};
      ListView_GetItemText(list, i, 4, text, 256);
      states.push_back(text);
    }
    return states;
  }
  std::wstring Text(int id) { return g_lang.GetText(id); }

  TempFolder terminals_;
};

TEST_F(UninstallCommandTest, NothingTickedOrSelectedAsksForTerminalsAndChangesNothing) {
  const std::wstring folder = MakeTerminal(L"One", true);
  CDlgInstMulti& dialog = OpenWith({folder}, "01");
  Click(IDC_UNINSTALL);
  EXPECT_EQ(seams_.prompt.Messages(), std::vector<std::wstring>{Text(msg::kSelectToUninstall)});
  EXPECT_EQ(dialog.Rows().rows[0].state, L"");
  EXPECT_EQ(dialog.Rows().rows[0].role, Text(msg::kRoleProvider));
  EXPECT_TRUE(FileExists(folder + kEaFile));
}

TEST_F(UninstallCommandTest, TickedRowsGoInListOrderEachShowingUninstallingFirstAndASecondClickIsIgnored) {
  CDlgInstMulti& dialog = OpenWith(
      {MakeTerminal(L"A", true), MakeTerminal(L"B", true), MakeTerminal(L"C", false)}, "11");
  dialog.Rows().rows[1].ticked = false;
  dialog.ShowRows();
  WatchingPrompt prompt;
  std::vector<std::vector<std::wstring>> seen;
  prompt.whileShown = [&] {
    if (seen.empty()) Click(IDC_UNINSTALL);
    if (seen.empty() || seen.back() != ShownStates()) seen.push_back(ShownStates());
  };
  SetPrompt(&prompt);
  Click(IDC_UNINSTALL);
  SetPrompt(&seams_.prompt);

  const std::wstring uninstalling = Text(msg::kUninstalling);
  const std::vector<std::vector<std::wstring>> expected = {
      {uninstalling, L"", L""}, {Text(msg::kUninstallCompleted), L"", uninstalling}};
  EXPECT_EQ(seen, expected);
  const auto& rows = dialog.Rows().rows;
  EXPECT_EQ(rows[0].role, L"");
  EXPECT_FALSE(rows[0].ticked);
  EXPECT_FALSE(FileExists(rows[0].installFolder + kEaFile));
  EXPECT_EQ(rows[1].role, Text(msg::kRoleProvider));
  EXPECT_TRUE(FileExists(rows[1].installFolder + kEaFile));
  EXPECT_EQ(rows[2].state, Text(msg::kNothingToUninstall));
  EXPECT_EQ(rows[2].role, L"");
  EXPECT_FALSE(rows[2].ticked);
}

TEST_F(UninstallCommandTest, ARunningTerminalAndALockedLibraryAreReportedAndKeepTheirTypeThoughTheEaWent) {
  const std::wstring running = MakeTerminal(L"Running", true);
  const std::wstring locked = MakeTerminal(L"Locked", true);
  FakeTerminal terminal(running, L"1: Server");
  ASSERT_TRUE(terminal.Window());
  UniqueHandle held(CreateFileW((locked + kLibraryFile).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held);
  CDlgInstMulti& dialog = OpenWith({running, locked}, "11");
  Click(IDC_UNINSTALL);

  const auto& rows = dialog.Rows().rows;
  EXPECT_EQ(rows[0].state, Text(msg::kCloseBeforeUninstall));
  EXPECT_TRUE(FileExists(running + kEaFile));
  EXPECT_EQ(rows[1].state, Text(msg::kUninstallFailed));
  EXPECT_FALSE(FileExists(locked + kEaFile));
  for (const TerminalEntry& row : rows) {
    EXPECT_EQ(row.role, Text(msg::kRoleProvider));
    EXPECT_FALSE(row.ticked);
  }
}

}  // namespace
