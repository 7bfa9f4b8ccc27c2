#include <gtest/gtest.h>

#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/unique_handle.h"
#include "terminal/data_folder_id.h"
#include "terminal/mt_assist.h"
#include "tests/app/main_window_fixture.h"

namespace {

class ListCommandsTest : public MainWindowTest {
 protected:
  // A folder that passes the terminal test, under the package fixture.
  std::wstring MakeTerminal(const std::wstring& name) {
    const std::wstring folder = package_ / name;
    WriteBytes(folder + L"\\terminal.exe", "MZ");
    CreateDirectoryW((folder + L"\\config").c_str(), nullptr);
    WriteBytes(folder + L"\\profiles\\default\\chart01.chr", "<chart>");
    return folder;
  }
  CDlgInstMulti& OpenWith(const std::vector<std::wstring>& folders) { return MainWindowTest::OpenWith(folders, "00"); }
  void Select(int row) {
    ListView_SetItemState(dialog_->ListView().Handle(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetSelectionMark(dialog_->ListView().Handle(), row);
  }
  void Notify(UINT code, int subItem) {
    NMITEMACTIVATE click{};
    click.hdr.hwndFrom = dialog_->ListView().Handle();
    click.hdr.idFrom = IDC_TERMINAL_LIST;
    click.hdr.code = code;
    click.iItem = dialog_->ListView().SelectionMark();
    click.iSubItem = subItem;
    SendMessageW(dialog_->Window(), WM_NOTIFY, IDC_TERMINAL_LIST, reinterpret_cast<LPARAM>(&click));
  }
  bool Checked(int row) { return ListView_GetCheckState(dialog_->ListView().Handle(), row) != FALSE; }
};

TEST_F(ListCommandsTest, StoredRowsLoadAndATickClickedInTheListReachesTheModel) {
  CDlgInstMulti& dialog = OpenWith({MakeTerminal(L"MT4 A"), MakeTerminal(L"MT4 B")});
  ASSERT_EQ(dialog.Rows().rows.size(), 2u);
  EXPECT_EQ(ListView_GetItemCount(dialog.ListView().Handle()), 2);
  ListView_SetCheckState(dialog.ListView().Handle(), 1, TRUE);
  EXPECT_TRUE(dialog.Rows().rows[1].ticked);
  EXPECT_FALSE(dialog.Rows().rows[0].ticked);
}

TEST_F(ListCommandsTest, SelectAllThenInverseUntickesEveryRow) {
  OpenWith({MakeTerminal(L"A"), MakeTerminal(L"B")});
  Click(IDC_SELECT_ALL);
  EXPECT_TRUE(Checked(0) && Checked(1));
  Click(IDC_INVERSE);
  EXPECT_FALSE(Checked(0) || Checked(1));
  EXPECT_FALSE(dialog_->Rows().AnyTicked());
}

TEST_F(ListCommandsTest, RemoveTakesTheTickedRowsNotTheSelectedOneAndStoresTheList) {
  const std::wstring kept = MakeTerminal(L"Kept");
  CDlgInstMulti& dialog = OpenWith({MakeTerminal(L"One"), kept, MakeTerminal(L"Two")});
  ListView_SetCheckState(dialog.ListView().Handle(), 0, TRUE);
  ListView_SetCheckState(dialog.ListView().Handle(), 2, TRUE);
  Select(1);
  Click(IDC_REMOVE);
  ASSERT_EQ(dialog.Rows().rows.size(), 1u);
  EXPECT_EQ(dialog.Rows().rows[0].installFolder, kept);
  EXPECT_EQ(seams_.prompt.Messages(), std::vector<std::wstring>{g_lang.GetText(msg::kCompleted)});
  EXPECT_EQ(g_config.ReadMain(L"PATH"), L"00" + kept + L"*|");
}

TEST_F(ListCommandsTest, RemoveWithNothingChosenAsksForARow) {
  OpenWith({MakeTerminal(L"One")});
  Click(IDC_REMOVE);
  EXPECT_EQ(seams_.prompt.Messages(), std::vector<std::wstring>{g_lang.GetText(msg::kSelectTerminalToRemove)});
  EXPECT_EQ(dialog_->Rows().rows.size(), 1u);
}

TEST_F(ListCommandsTest, ClickOnTheStateCellExplainsOnlyWhatNeedsIt) {
  CDlgInstMulti& dialog = OpenWith({MakeTerminal(L"One"), MakeTerminal(L"Two")});
  dialog.Rows().rows[0].state = g_lang.GetText(msg::kInstallFailed);
  dialog.Rows().rows[1].state = L"x#" + g_lang.GetText(msg::kInstallCompleted);
  dialog.ShowRows();
  Select(0);
  Notify(NM_CLICK, 2);
  EXPECT_TRUE(seams_.prompt.Messages().empty());
  Notify(NM_CLICK, 4);
  EXPECT_EQ(seams_.prompt.Messages(), std::vector<std::wstring>{g_lang.GetText(msg::kInstallFailed)});
  Select(1);
  Notify(NM_CLICK, 4);
  EXPECT_EQ(seams_.prompt.Messages().size(), 1u);
}

TEST_F(ListCommandsTest, DoubleClickOpensTheFolderOrStartsTheTerminal) {
  const std::wstring folder = MakeTerminal(L"MT4");
  OpenWith({folder});
  Select(0);
  Notify(NM_DBLCLK, 1);
  ASSERT_EQ(seams_.shell.calls.size(), 1u);
  EXPECT_EQ(ToLowerForTest(seams_.shell.calls[0].file), ToLowerForTest(folder + L"\\terminal.exe"));

  SendMessageW(dialog_->Item(IDC_CLICK_TO_LAUNCH), BM_CLICK, 0, 0);  // unticks the box
  EXPECT_EQ(g_config.ReadMain(L"CLICKTOLAUNCH"), L"0");
  Notify(NM_DBLCLK, 1);
  ASSERT_EQ(seams_.shell.calls.size(), 2u);
  EXPECT_EQ(seams_.shell.calls[1].file, folder);
}

TEST_F(ListCommandsTest, AddingAListedFolderInOtherCaseAsksAboutAnotherAccount) {
  const std::wstring folder = MakeTerminal(L"MT4");
  OpenWith({folder});
  seams_.prompt.folders = {ToLowerForTest(folder) + L"\\"};
  Click(IDC_ADD);
  ASSERT_EQ(seams_.prompt.shown.size(), 2u);
  EXPECT_EQ(seams_.prompt.shown[1].text, g_lang.GetText(msg::kPlatformExists));
  EXPECT_EQ(dialog_->Rows().rows.size(), 1u);
}

TEST_F(ListCommandsTest, AddAppendsATerminalAndRejectsOtherFolders) {
  OpenWith({MakeTerminal(L"First")});
  const std::wstring added = MakeTerminal(L"Second");
  const std::wstring plain = package_ / L"Plain";
  CreateDirectoryW(plain.c_str(), nullptr);
  seams_.prompt.folders = {plain + L"\\", added + L"\\"};
  Click(IDC_ADD);
  EXPECT_EQ(seams_.prompt.Messages(), std::vector<std::wstring>{g_lang.GetText(msg::kInvalidInstallFolder) + L"\n" + plain + L"\\"});
  Click(IDC_ADD);
  ASSERT_EQ(dialog_->Rows().rows.size(), 2u);
  EXPECT_EQ(dialog_->Rows().rows[1].installFolder, added);
  EXPECT_NE(g_config.ReadMain(L"PATH").find(added), std::wstring::npos);
}

TEST_F(ListCommandsTest, ExitStoresTheList) {
  const std::wstring folder = MakeTerminal(L"MT4");
  CDlgInstMulti& dialog = OpenWith({folder});
  ListView_SetCheckState(dialog.ListView().Handle(), 0, TRUE);
  Click(IDCANCEL);
  EXPECT_EQ(g_config.ReadMain(L"PATH"), L"10" + folder + L"*|");
}

// The first drive letter nothing is mapped to.
std::wstring UnmappedRoot() {
  const DWORD drives = GetLogicalDrives();
  for (wchar_t letter = L'P'; letter < L'Z'; ++letter) {
    if ((drives & (1u << (letter - L'A'))) == 0) return std::wstring(1, letter) + L":\\";
  }
  return {};
}

TEST_F(ListCommandsTest, TheStoredListKeepsEveryCharacterAndAnUnpluggedDriveAcrossRestarts) {
  const std::wstring unplugged = UnmappedRoot() + L"MT4";
  ASSERT_GT(unplugged.size(), 3u);
  const std::wstring named = MakeTerminal(L"\u0422\u0440\u0435\u0439\u0434\u0435\u0440 \u00C9mile");
  const std::wstring state = L"\u5B89\u88C5\u5931\u8D25#\u7F3A\u5C11\u6587\u4EF6";
  OpenWith({unplugged}).Rows().rows.push_back({false, named, L"", L"", state});
  for (int restart = 0; restart < 2; ++restart) {
    Click(IDCANCEL);
    Open();
  }
  const std::vector<TerminalEntry>& rows = dialog_->Rows().rows;
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].installFolder, unplugged);
  wchar_t shown[256] = {};
  ListView_GetItemText(dialog_->ListView().Handle(), 0, 4, shown, 256);
  EXPECT_EQ(shown, g_lang.GetText(msg::kFolderUnavailable));
  EXPECT_EQ(rows[1].installFolder, named);
  EXPECT_EQ(rows[1].state, state);
}

TEST_F(ListCommandsTest, RefreshKeepsTheSelectionOnItsTerminalWhenRowsAboveGo) {
  const std::wstring gone = MakeTerminal(L"Gone");
  const std::wstring kept = MakeTerminal(L"Kept");
  OpenWith({gone, MakeTerminal(L"Other"), kept});
  Select(2);
  ASSERT_TRUE(g_files.DeleteFolder(gone));
  Click(IDC_REFRESH);
  ASSERT_EQ(dialog_->ListView().SelectionMark(), 1);
  EXPECT_EQ(dialog_->Rows().rows[1].installFolder, kept);
}

TEST_F(ListCommandsTest, LaunchWithNothingChosenAsksForATerminal) {
  OpenWith({MakeTerminal(L"MT4")});
  Click(IDC_LAUNCH);
  EXPECT_EQ(seams_.prompt.Messages(), std::vector<std::wstring>{g_lang.GetText(msg::kSelectInstallFolder)});
  Click(IDC_SELECT_ALL);
  Click(IDC_LAUNCH);
  EXPECT_EQ(seams_.shell.calls.size(), 1u);
  EXPECT_EQ(seams_.waiter.sleeps, std::vector<DWORD>{500});
  EXPECT_FALSE(dialog_->Rows().AnyTicked());
}

TEST_F(ListCommandsTest, DuplicateNeedsAChosenRow) {
  OpenWith({MakeTerminal(L"MT4")});
  Click(IDC_DUPLICATE);
  EXPECT_EQ(seams_.prompt.Messages(), std::vector<std::wstring>{g_lang.GetText(msg::kChooseToDuplicate)});
}

TEST_F(ListCommandsTest, DuplicateAddsTheCopyStoresTheListAndStartsIt) {
  const std::wstring folder = MakeTerminal(L"MT4");
  OpenWith({folder});
  Select(0);
  seams_.prompt.answers = {true};
  Click(IDC_DUPLICATE);
  EXPECT_EQ(seams_.prompt.shown[0].text, g_lang.GetText(msg::kConfirmDuplicate) + L"\n" + folder);
  ASSERT_EQ(dialog_->Rows().rows.size(), 2u);
  EXPECT_EQ(dialog_->Rows().rows[1].installFolder, folder + L"_C01");
  EXPECT_NE(g_config.ReadMain(L"PATH").find(folder + L"_C01*"), std::wstring::npos);
  ASSERT_EQ(seams_.shell.calls.size(), 1u);
  EXPECT_EQ(ToLowerForTest(seams_.shell.calls[0].file), ToLowerForTest(folder + L"_C01\\terminal.exe"));
  EXPECT_TRUE(IsWindowVisible(dialog_->Item(IDC_TERMINAL_LIST)));
}

TEST_F(ListCommandsTest, AddingAListedFolderAnsweredYesDuplicatesIt) {
  const std::wstring folder = MakeTerminal(L"MT4");
  OpenWith({folder});
  seams_.prompt.folders = {folder};
  seams_.prompt.answers = {true};
  Click(IDC_ADD);
  ASSERT_EQ(dialog_->Rows().rows.size(), 2u);
  EXPECT_EQ(dialog_->Rows().rows[1].installFolder, folder + L"_C01");
}

TEST_F(ListCommandsTest, AFailedDuplicationIsNotListed) {
  const std::wstring folder = MakeTerminal(L"MT4");
  OpenWith({folder});
  UniqueHandle hold(CreateFileW((folder + L"\\terminal.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  Select(0);
  seams_.prompt.answers = {true};
  Click(IDC_DUPLICATE);
  ASSERT_EQ(seams_.prompt.Messages().size(), 1u);
  EXPECT_EQ(seams_.prompt.Messages()[0].find(g_lang.GetText(msg::kCopyFileFailed) + L"\n"), 0u);
  EXPECT_EQ(dialog_->Rows().rows.size(), 1u);
  EXPECT_TRUE(seams_.shell.calls.empty());
}


TEST_F(ListCommandsTest, ADuplicatedNewerTerminalKeepsItsTypeAndGetsItsOwnDataFolder) {
  const std::wstring folder = MakeTerminal(L"MT4");
  const std::wstring sourceData = CMTAssist::DataFolderRoot() + TerminalDataId(folder);
  const std::wstring copyData = CMTAssist::DataFolderRoot() + TerminalDataId(folder + L"_C01");
  for (const wchar_t* file : {L"\\profiles\\default\\chart01.chr", L"\\profiles\\default\\chart02.chr",
                              L"\\MQL4\\Experts\\own.ex4"}) {
    WriteBytes(sourceData + file, "x");
  }
  MainWindowTest::OpenWith({folder}, "02");
  Select(0);
  seams_.prompt.answers = {true};
  Click(IDC_DUPLICATE);
  const bool copied = FileExists(copyData + L"\\profiles\\default\\chart02.chr") &&
                      FileExists(copyData + L"\\MQL4\\Experts\\own.ex4");
  RemoveTree(sourceData);
  RemoveTree(copyData);
  EXPECT_TRUE(copied);
  ASSERT_EQ(dialog_->Rows().rows.size(), 2u);
  EXPECT_EQ(dialog_->Rows().rows[1].role, g_lang.GetText(msg::kRoleReceiver));
  EXPECT_EQ(dialog_->Rows().rows[1].account, L"");
}

TEST_F(ListCommandsTest, TheExitButtonCancelsARunningDuplicationAndKeepsTheWindow) {
  const std::wstring folder = MakeTerminal(L"MT4");
  OpenWith({folder});
  Select(0);
  seams_.prompt.answers = {true};
  HWND exitButton = dialog_->Item(IDCANCEL);
  PostMessageW(exitButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(exitButton, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  Click(IDC_DUPLICATE);
  ASSERT_EQ(seams_.prompt.Messages().size(), 1u);
  EXPECT_EQ(seams_.prompt.Messages()[0].find(g_lang.GetText(msg::kDuplicateCancelled)), 0u);
  EXPECT_EQ(PathKind(folder + L"_C01"), kPathNone);
  EXPECT_EQ(dialog_->Rows().rows.size(), 1u);
  EXPECT_TRUE(IsWindow(dialog_->Window()));
  EXPECT_EQ(TextOf(exitButton), g_lang.GetText(msg::kExit));
}
}  // namespace

#include "tests/support/fake_terminal_process.h"

namespace {

// A running terminal the list did not hold joins it under its folder as written, not lower-cased.
TEST_F(ListCommandsTest, ARunningTerminalJoinsTheListWithItsFolderAsWritten) {
  EndStrayTerminals();
  const std::wstring folder = MakeTerminal(L"MT4 Mixed Case");
  FakeTerminal running(folder, L"5: Server");
  ASSERT_TRUE(running.Window());
  CDlgInstMulti& dialog = OpenWith({});
  ASSERT_EQ(dialog.Rows().rows.size(), 1u);
  EXPECT_EQ(dialog.Rows().rows[0].installFolder, folder);
  EndStrayTerminals();
}

TEST_F(ListCommandsTest, TheDuplicatedTerminalReallyStarts) {
  EndStrayTerminals();
  const std::wstring folder = MakeTerminal(L"MT4");
  ASSERT_TRUE(CopyFileW(FakeTerminalProgram().c_str(), (folder + L"\\terminal.exe").c_str(), FALSE));
  OpenWith({folder});
  Select(0);
  seams_.prompt.answers = {true};
  SetLauncher(nullptr);  // the real shell starts the copy
  Click(IDC_DUPLICATE);
  SetLauncher(&seams_.shell);
  const std::wstring copyExe = ToLowerForTest(folder + L"_C01\\terminal.exe");
  bool running = false;
  for (int i = 0; i < 100 && !running; ++i) {
    Sleep(50);
    g_mtAssist.ScanRunningTerminals(false, true);
    for (const std::wstring& path : g_mtAssist.exePaths) running = running || path == copyExe;
  }
  EXPECT_TRUE(running);
  EndStrayTerminals();
}

}  // namespace
