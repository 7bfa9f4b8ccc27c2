#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/fake_terminal_process.h"

namespace {

// A Provider installed in a terminal that keeps its code in the install folder, with its EA on the
// profile's chart, and a package of the same copier version beside the installer.
class CopierColumnTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    EndStrayTerminals();
    PutCopierLibrary(L"orbix.dll");
    const std::wstring role = package_ / (g_lang.GetText(msg::kSignalProvider) + L"\\");
    WriteBytes(role + L"experts\\_Velmar Signal Provider.ex4", "provider");
    g_files.CreateFolderPath(role + L"libraries");
    g_files.CreateFolderPath(terminal_ / L"MQL4\\libraries");
    ASSERT_TRUE(CopyFileW((package_ / L"orbix.dll").c_str(), (role + L"libraries\\orbix.dll").c_str(), FALSE));
    WriteBytes(terminal_ / L"MQL4\\experts\\_Velmar Signal Provider.ex4", "provider");
    ASSERT_TRUE(CopyFileW((package_ / L"orbix.dll").c_str(), (terminal_ / L"MQL4\\libraries\\orbix.dll").c_str(), FALSE));
    WriteBytes(terminal_ / L"profiles\\default\\chart01.chr",
               "<chart>\r\nid=1\r\nsymbol=EURUSD\r\nperiod=60\r\n<window>\r\nheight=100\r\n</window>\r\n<expert>\r\n"
               "name=_Velmar Signal Provider\r\nflags=279\r\n</expert>\r\n</chart>\r\n");
    WriteBytes(terminal_ / L"profiles\\default\\order.wnd", "EURUSD,H1\r\n");
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    EndStrayTerminals();
    SetWaiter(nullptr);
  }
  void Options(bool autoTrading) {
    std::string options(4388, '\0');
    options[0] = static_cast<char>(400 & 0xFF);
    options[1] = static_cast<char>(400 >> 8);
    options[0x14] = 1;
    options[0x24] = autoTrading ? 1 : 0;
    WriteBytes(terminal_ / L"config\\experts.ini", options);
  }
  std::wstring Folder() const { return terminal_.Path().substr(0, terminal_.Path().size() - 1); }
  // Pumps the window's messages until the row's Copier text is the one wanted, for up to 15 s.
  bool CopierShows(CDlgInstMulti& dialog, const std::wstring& wanted) {
    for (int i = 0; i < 300; ++i, Sleep(50)) {
      Pump();
      if (dialog.Rows().rows[0].copier == wanted) return true;
    }
    return false;
  }
  std::wstring Running() const {
    return ReplaceAll(g_lang.GetText(msg::kCopierRunningOn), L"{0}", L"EURUSD,H1");
  }

  TempFolder terminal_;
};

TEST_F(CopierColumnTest, ARunningEaShowsWithItsChartOnceTheWindowIsUp) {
  Options(true);
  WriteBytes(terminal_ / L"MQL4\\Logs\\20200101.log",
             "0\t09:00:00.000\tExpert _Velmar Signal Provider EURUSD,H1: loaded successfully\r\n"
             "0\t09:00:00.100\t_Velmar Signal Provider EURUSD,H1: initialized\r\n");
  FakeTerminal running(terminal_.Path(), L"5550001: Server");
  ASSERT_TRUE(running.Window());
  CDlgInstMulti& dialog = OpenWith({Folder()}, "01");
  EXPECT_TRUE(CopierShows(dialog, Running())) << dialog.Rows().rows[0].copier;
  wchar_t shown[256] = {};
  ListView_GetItemText(dialog.ListView().Handle(), 0, 5, shown, 256);
  EXPECT_EQ(shown, Running());
}

// The terminal's own start-up configuration forbids DLL imports: the install's experts.ini
// cannot help, and the restarted terminal's refusal is what the row shows.
TEST_F(CopierColumnTest, AnInstallWhoseTerminalRefusesTheDllShowsTheRefusal) {
  Options(true);
  const std::wstring startup = terminal_ / L"startup.ini";
  WriteBytes(startup, "ExpertsEnable=true\r\nExpertsDllImport=false\r\n");
  FakeTerminal running(terminal_.Path(), L"\"" + startup + L"\" 5550001: Server");
  ASSERT_TRUE(running.Window());
  CDlgInstMulti& dialog = OpenWith({Folder()}, "10");
  BriefWaiter waiter;
  SetWaiter(&waiter);
  SetLauncher(nullptr);
  seams_.prompt.answers = {true};

  Click(IDC_INSTALL_PROVIDER);

  ASSERT_TRUE(TerminalStartsWithin(running.ExePath(), 5000));
  EXPECT_TRUE(CopierShows(dialog, g_lang.GetText(msg::kCopierShortDllCallsBlocked))) << dialog.Rows().rows[0].copier;
}

TEST_F(CopierColumnTest, RepairSwitchesAutoTradingOnAndTheRestartedEaAnswers) {
  Options(false);
  FakeTerminal running(terminal_.Path(), L"5550001: Server");
  ASSERT_TRUE(running.Window());
  CDlgInstMulti& dialog = OpenWith({Folder()}, "01");
  ASSERT_TRUE(CopierShows(dialog, g_lang.GetText(msg::kCopierShortAutoTradingOff))) << dialog.Rows().rows[0].copier;
  BriefWaiter waiter;
  SetWaiter(&waiter);
  SetLauncher(nullptr);  // the real one: the terminal closed for the repair starts again
  ListView_SetItemState(dialog.ListView().Handle(), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetSelectionMark(dialog.ListView().Handle(), 0);
  seams_.prompt.answers = {true, true};  // repair, and close the terminal for it

  Click(IDM_CHECK_COPIER);

  ASSERT_FALSE(seams_.prompt.shown.empty());
  EXPECT_NE(seams_.prompt.shown[0].text.find(g_lang.GetText(msg::kCopierAutoTradingOff)), std::wstring::npos)
      << seams_.prompt.shown[0].text;
  EXPECT_EQ(ReadBytes(terminal_ / L"config\\experts.ini")[0x24], 1);
  ASSERT_TRUE(TerminalStartsWithin(running.ExePath(), 5000));
  EXPECT_TRUE(CopierShows(dialog, Running())) << dialog.Rows().rows[0].copier;
}

}  // namespace
