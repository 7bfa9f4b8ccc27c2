#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <windows.h>

#include "charts/chart_files.h"
#include "charts/chart_text.h"
#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/unique_handle.h"
#include "terminal/data_folder_id.h"
#include "terminal/mt_assist.h"
#include "terminal/terminal_entry.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/fake_terminal_process.h"

namespace {

constexpr char kProviderInputs[] = "<inputs>\r\nSignalOptions=1\r\nSendPendingOrder=1\r\n</inputs>";

std::string UserChart(const char* symbol, const char* expert = "") {
  return std::string("<chart>\r\nid=1\r\nsymbol=") + symbol + "\r\nperiod=60\r\n<window>\r\nheight=100\r\n</window>\r\n" +
         expert + "</chart>\r\n";
}

// A profile with one chart of the trader's own and the inputs a removed Provider chart left.
void MakeProfile(const std::wstring& folder) {
  const std::wstring profile = folder + L"profiles\\default\\";
  WriteBytes(profile + L"chart01.chr", UserChart("GBPUSD"));
  WriteBytes(profile + L"order.wnd", "GBPUSD,H1\r\n");
  WriteBytes(profile + L"chartm.vrk",
             UserChart("EURUSD", (std::string("<expert>\r\nname=Old\r\nflags=279\r\n") + kProviderInputs +
                                  "\r\n</expert>\r\n").c_str()));
}

// A full package and two terminals: one of the older layout with its code folders in the
// install folder, one whose code lives in a per-user data folder and which is running.
class InstallScenarioTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    EndStrayTerminals();
    for (int role : {msg::kSignalProvider, msg::kSignalReceiver}) {
      const std::wstring folder = package_ / (g_lang.GetText(role) + L"\\");
      const char* word = role == msg::kSignalProvider ? "Provider" : "Receiver";
      WriteBytes(folder + L"experts\\_Velmar Signal " + std::wstring(word, word + strlen(word)) + L".ex4", word);
      WriteBytes(folder + L"libraries\\orbix.dll", "new library");
      WriteBytes(folder + L"libraries\\orbix.lib", "library index");
    }
    PutCopierLibrary(L"orbix.dll");

    WriteBytes(legacy_ / L"terminal.exe", "MZ");
    g_files.CreateFolderPath(legacy_ / L"config");
    g_files.CreateFolderPath(legacy_ / L"experts");
    MakeProfile(legacy_.Path());

    g_files.CreateFolderPath(modern_ / L"config");
    MakeProfile(modern_.Path());
    WriteUtf16Origin(data_folder_ / L"origin.txt", modern_.Path());
    g_files.CreateFolderPath(data_folder_ / L"MQL4\\Experts");
    g_files.CreateFolderPath(data_folder_ / L"config");
    WriteBytes(data_folder_ / L"MQL4\\libraries\\orbix.dll", "old library");
    MakeProfile(data_folder_.Path());
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    EndStrayTerminals();
    SetWaiter(nullptr);
  }
  static void WriteUtf16Origin(const std::wstring& path, const std::wstring& folder) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : folder.substr(0, folder.size() - 1)) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    WriteBytes(path, bytes);
  }
  void ExpectProviderChartFirst(const std::wstring& folder) {
    const std::string chart = ReadBytes(folder + L"profiles\\default\\chart01.chr");
    EXPECT_NE(chart.find("name=_Velmar Signal Provider"), std::string::npos) << folder << L"\n" << chart.c_str();
    EXPECT_NE(chart.find("SignalOptions=1"), std::string::npos) << "inputs from chartm.vrk: " << chart;
    EXPECT_NE(ReadBytes(folder + L"profiles\\default\\chart02.chr").find("GBPUSD"), std::string::npos)
        << "the trader's chart moves up, whole";
  }

  CDlgInstMulti& OpenBoth() {
    const std::wstring legacy = legacy_.Path(), modern = modern_.Path();
    return OpenWith({legacy.substr(0, legacy.size() - 1), modern.substr(0, modern.size() - 1)});
  }
  std::vector<std::wstring> CodeRoots() const { return {legacy_.Path(), data_folder_ / L"MQL4\\"}; }

  TempFolder legacy_;
  TempFolder modern_;
  TempFolder data_folder_{CMTAssist::DataFolderRoot()};
};

TEST_F(InstallScenarioTest, ProviderGoesIntoALegacyAndARunningDataFolderTerminal) {
  ASSERT_FALSE(CMTAssist::DataFolderRoot().empty());
  FakeTerminal running(modern_.Path(), L"--hold \"" + (data_folder_ / L"MQL4\\libraries\\orbix.dll") + L"\" 1: Server");
  ASSERT_TRUE(running.Window());
  CDlgInstMulti& dialog = OpenBoth();
  BriefWaiter waiter;
  SetWaiter(&waiter);
  SetLauncher(nullptr);  // the real one, so the closed terminal really starts again
  seams_.prompt.answers = {true};

  Click(IDC_INSTALL_PROVIDER);

  const auto& rows = dialog.Rows().rows;
  ASSERT_EQ(rows.size(), 2u);
  for (const TerminalEntry& row : rows) {
    EXPECT_EQ(row.state.rfind(g_lang.GetText(msg::kInstallCompleted), 0), 0u) << row.state;
    EXPECT_FALSE(row.ticked);
  }
  ASSERT_FALSE(seams_.prompt.shown.empty());
  EXPECT_EQ(seams_.prompt.shown[0].text, g_lang.GetText(msg::kCloseBeforeInstall));
  EXPECT_EQ(seams_.prompt.Messages().back(), g_lang.GetText(msg::kCompleted));

  for (const std::wstring& code : CodeRoots()) {
    EXPECT_EQ(ReadBytes(code + L"experts\\_Velmar Signal Provider.ex4"), "Provider") << code;
    EXPECT_EQ(ReadBytes(code + L"libraries\\orbix.dll"), "new library") << code;
    EXPECT_EQ(ReadBytes(code + L"libraries\\orbix.lib"), "library index") << code;
    EXPECT_FALSE(FileExists(code + L"experts\\_Velmar Signal Receiver.ex4"));
  }
  for (const std::wstring& folder : {legacy_.Path(), data_folder_.Path()}) {
    EXPECT_EQ(ReadBytes(folder + L"config\\experts.ini").size(), 4388u) << folder;
    ExpectProviderChartFirst(folder);
  }
  EXPECT_TRUE(running.Exited(5000));
  EXPECT_TRUE(TerminalStartsWithin(running.ExePath(), 5000)) << "the closed terminal is started again";
}

// Clicks the window's Cancel button during the first wait for a terminal to close, as a user
// would, and keeps what the window showed then.
class CancelClickingWaiter : public Waiter {
 public:
  explicit CancelClickingWaiter(CDlgInstMulti& dialog) : dialog_(dialog) {}
  void Sleep(DWORD) override {
    if (!status.empty()) return;
    status = TextOf(dialog_.Item(IDC_SEARCH_STATUS));
    button = TextOf(dialog_.Item(IDCANCEL));
    PostMessageW(dialog_.Item(IDCANCEL), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(dialog_.Item(IDCANCEL), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  std::wstring status;
  std::wstring button;

 private:
  CDlgInstMulti& dialog_;
};

TEST_F(InstallScenarioTest, CancelDuringTheCloseWaitFailsTheRowAndLeavesTheTerminalAlone) {
  FakeTerminal stubborn(modern_.Path(), L"--ignore-close all 2: Server");
  ASSERT_TRUE(stubborn.Window());
  const std::wstring modern = modern_.Path();
  CDlgInstMulti& dialog = OpenWith({modern.substr(0, modern.size() - 1)});
  CancelClickingWaiter waiter(dialog);
  SetWaiter(&waiter);
  seams_.prompt.answers = {true};

  Click(IDC_INSTALL_PROVIDER);

  const std::wstring shown = ReplaceAll(g_lang.GetText(msg::kWaitingForClose), L"{0}", stubborn.ExePath());
  EXPECT_EQ(ToLower(waiter.status), ToLower(ReplaceAll(shown, L"{1}", L"100")));
  EXPECT_EQ(waiter.button, g_lang.GetText(msg::kCancel));
  EXPECT_EQ(TextOf(dialog.Item(IDCANCEL)), g_lang.GetText(msg::kExit));
  ASSERT_EQ(dialog.Rows().rows.size(), 1u);
  EXPECT_NE(dialog.Rows().rows[0].state.find(g_lang.GetText(msg::kCloseWaitStopped)), std::wstring::npos);
  EXPECT_FALSE(stubborn.Exited(300));
  EXPECT_FALSE(FileExists(data_folder_ / L"MQL4\\experts\\_Velmar Signal Provider.ex4"));
  EXPECT_EQ(ReadBytes(data_folder_ / L"MQL4\\libraries\\orbix.dll"), "old library");
}

// Close over terminals that ignore it waits as an install does, and Cancel leaves them all running.
TEST_F(InstallScenarioTest, CancelDuringCloseLeavesEveryTickedTerminalRunning) {
  FakeTerminal first(legacy_.Path(), L"--ignore-close all 3: Server");
  FakeTerminal second(modern_.Path(), L"--ignore-close all 4: Server");
  ASSERT_TRUE(first.Window() && second.Window());
  const std::wstring legacy = legacy_.Path(), modern = modern_.Path();
  CDlgInstMulti& dialog = OpenWith({legacy.substr(0, legacy.size() - 1), modern.substr(0, modern.size() - 1)});
  dialog.Rows().TickAll();
  dialog.ShowRows();
  CancelClickingWaiter waiter(dialog);
  SetWaiter(&waiter);
  seams_.prompt.answers = {true};

  Click(IDC_CLOSE_TERMINALS);

  EXPECT_EQ(waiter.status.substr(0, 10), g_lang.GetText(msg::kWaitingForClose).substr(0, 10)) << waiter.status;
  EXPECT_EQ(waiter.button, g_lang.GetText(msg::kCancel));
  EXPECT_EQ(TextOf(dialog.Item(IDCANCEL)), g_lang.GetText(msg::kExit));
  EXPECT_FALSE(first.Exited(300));
  EXPECT_FALSE(second.Exited(0));
}

// A trader's own terminal on an English machine: a folder named beyond A-Z, started portable,
// with a per-user data folder an earlier start without /portable left behind.
TEST_F(InstallScenarioTest, PortableTerminalIsClosedInstalledInItsFolderAndStartedPortableAgain) {
  const std::wstring top = L"D:\\Trader \x00C9mile\\", folder = top + L"MT4\\";
  if (GetFileAttributesW(L"D:\\") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no drive D:";
  const std::wstring stale = CMTAssist::DataFolderRoot() + TerminalDataId(folder) + L"\\";
  struct Cleanup {
    std::vector<std::wstring> folders;
    ~Cleanup() {
      EndStrayTerminals();
      for (const std::wstring& f : folders) RemoveTree(f);
    }
  } cleanup{{top, stale}};
  g_files.CreateFolderPath(folder + L"config");
  g_files.CreateFolderPath(folder + L"MQL4\\Experts");
  g_files.CreateFolderPath(stale + L"MQL4\\Experts");
  MakeProfile(folder);
  const TempFolder records;
  const std::wstring record = records / L"started.txt";
  FakeTerminal running(folder, L"--record \"" + record + L"\" /portable 5551234: Demo-Server");
  ASSERT_TRUE(running.Window());
  CDlgInstMulti& dialog = Open();
  seams_.prompt.shown.clear();  // a notice the start may show
  std::vector<TerminalEntry>& rows = dialog.Rows().rows;
  const auto row = std::find_if(rows.begin(), rows.end(), [&](const TerminalEntry& r) { return RowKey(r.installFolder) == RowKey(folder); });
  ASSERT_NE(row, rows.end());
  EXPECT_EQ(row->account, L"5551234");
  for (TerminalEntry& other : rows) other.ticked = &other == &*row;
  dialog.ShowRows();
  BriefWaiter waiter;
  SetWaiter(&waiter);
  SetLauncher(nullptr);  // the real one, so the terminal really starts again
  seams_.prompt.answers = {true};

  Click(IDC_INSTALL_PROVIDER);

  ASSERT_FALSE(seams_.prompt.shown.empty());
  EXPECT_EQ(seams_.prompt.shown[0].text, g_lang.GetText(msg::kCloseBeforeInstall));
  EXPECT_EQ(row->state.rfind(g_lang.GetText(msg::kInstallCompleted), 0), 0u) << row->state;
  EXPECT_EQ(ReadBytes(folder + L"MQL4\\Experts\\_Velmar Signal Provider.ex4"), "Provider");
  EXPECT_FALSE(FileExists(stale + L"MQL4\\Experts\\_Velmar Signal Provider.ex4"));
  ExpectProviderChartFirst(folder);
  ASSERT_TRUE(running.Exited(5000));
  DeleteFileW(record.c_str());
  ASSERT_TRUE(TerminalStartsWithin(running.ExePath(), 5000));
  for (int i = 0; i < 20 && !FileExists(record); ++i) Sleep(100);
  EXPECT_NE(g_files.ReadTextFile(record).find(L"/portable 5551234"), std::wstring::npos) << "it runs portable again";
}

TEST_F(InstallScenarioTest, AFullDriveKeepsItsTerminalAsItWasWhileATerminalWithRoomInstalls) {
  wchar_t drive[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"PANDRAKE_SMALL_DRIVE", drive, MAX_PATH)) GTEST_SKIP() << "no small drive mounted";
  TempFolder full(drive);
  WriteBytes(full / L"terminal.exe", "MZ");
  g_files.CreateFolderPath(full / L"config");
  g_files.CreateFolderPath(full / L"experts");
  WriteBytes(full / L"libraries\\orbix.dll", "old library");
  MakeProfile(full.Path());
  const std::string bigLibrary(5 << 20, 'n');
  WriteBytes(package_ / (g_lang.GetText(msg::kSignalProvider) + L"\\libraries\\orbix.dll"), bigLibrary);
  const std::wstring onFull = full.Path(), withRoom = legacy_.Path();
  CDlgInstMulti& dialog = OpenWith({onFull.substr(0, onFull.size() - 1), withRoom.substr(0, withRoom.size() - 1)});

  Click(IDC_INSTALL_PROVIDER);

  for (const TerminalEntry& row : dialog.Rows().rows) {
    const bool isFull = ToLower(row.installFolder).starts_with(ToLower(drive));
    const int expected = isFull ? msg::kInstallFailed : msg::kInstallCompleted;
    EXPECT_EQ(row.state.rfind(g_lang.GetText(expected), 0), 0u) << row.state;
    if (isFull) {
      EXPECT_NE(row.state.find(drive), std::wstring::npos) << row.state;
    }
  }
  EXPECT_EQ(ReadBytes(full / L"libraries\\orbix.dll"), "old library");
  std::vector<std::wstring> left;
  g_files.FindFiles(full.Path(), left, true);
  EXPECT_EQ(left.size(), 5u) << "no file added, no temporary file left";
  EXPECT_FALSE(FileExists(full / L"config\\experts.ini"));
  EXPECT_EQ(ReadBytes(full / L"profiles\\default\\chart01.chr"), UserChart("GBPUSD"));
  EXPECT_EQ(ReadBytes(withRoom + L"libraries\\orbix.dll"), bigLibrary);
  ExpectProviderChartFirst(withRoom);
}

TEST_F(InstallScenarioTest, UninstallRemovesTheCopierButNotFromARunningTerminal) {
  CDlgInstMulti& dialog = OpenBoth();
  Click(IDC_INSTALL_PROVIDER);
  auto& rows = dialog.Rows().rows;
  ASSERT_EQ(rows.size(), 2u);
  for (const std::wstring& code : CodeRoots()) WriteBytes(code + L"experts\\Own.ex4", "the trader's EA");

  std::optional<FakeTerminal> running(std::in_place, modern_.Path(), L"1: Server");
  ASSERT_TRUE(running->Window());
  for (TerminalEntry& row : rows) row.ticked = true;
  dialog.ShowRows();
  Click(IDC_UNINSTALL);
  EXPECT_EQ(rows[0].state, g_lang.GetText(msg::kUninstallCompleted));
  EXPECT_EQ(rows[0].role, L"");
  EXPECT_EQ(rows[1].state, g_lang.GetText(msg::kCloseBeforeUninstall));
  EXPECT_TRUE(FileExists(data_folder_ / L"MQL4\\experts\\_Velmar Signal Provider.ex4"));
  EXPECT_TRUE(FileExists(data_folder_ / L"MQL4\\libraries\\orbix.dll"));

  running.reset();
  rows[1].ticked = true;
  dialog.ShowRows();
  Click(IDC_UNINSTALL);
  EXPECT_EQ(rows[1].state, g_lang.GetText(msg::kUninstallCompleted));

  for (const std::wstring& code : CodeRoots()) {
    for (const wchar_t* copier : {L"experts\\_Velmar Signal Provider.ex4", L"libraries\\orbix.dll",
                                  L"libraries\\orbix.lib"}) {
      EXPECT_FALSE(FileExists(code + copier)) << code << copier;
    }
    EXPECT_EQ(ReadBytes(code + L"experts\\Own.ex4"), "the trader's EA");
  }
  for (const std::wstring& folder : {legacy_.Path(), data_folder_.Path()}) {
    const std::wstring profile = folder + L"profiles\\default\\";
    EXPECT_FALSE(FileExists(profile + L"chart01.chr")) << "the installer's chart goes";
    const std::string chart = ReadBytes(profile + L"chart02.chr");
    EXPECT_NE(chart.find("symbol=GBPUSD"), std::string::npos) << "the trader's chart stays";
    EXPECT_NE(chart.find("height=100"), std::string::npos);
  }
}

// The trader put the Receiver on a chart of their own behind the installer's Provider chart: the
// cleaning deletes that one, and the Receiver chart behind the gap is what both installs keep.
TEST_F(InstallScenarioTest, TheReceiverInstalledTwiceIsOnExactlyOneChart) {
  const std::wstring profile = legacy_ / L"profiles\\default";
  CDlgInstMulti& dialog = OpenWith({legacy_.Path().substr(0, legacy_.Path().size() - 1)});
  Click(IDC_INSTALL_PROVIDER);
  WriteBytes(ChartFilePath(profile, 2),
             UserChart("GBPUSD", "<expert>\r\nname=_Velmar Signal Receiver\r\nflags=279\r\n</expert>\r\n"));
  for (int run = 0; run < 2; ++run) {
    dialog.Rows().rows[0].ticked = true;
    dialog.ShowRows();
    Click(IDC_INSTALL_RECEIVER);
    EXPECT_EQ(dialog.Rows().rows[0].state, g_lang.GetText(msg::kInstallCompleted)) << run;
  }
  std::vector<int> carrying;
  for (int n : chart_files::ExistingChartNumbers(profile, 120)) {
    const std::string chart = ReadBytes(ChartFilePath(profile, n));
    if (chart.find("name=_Velmar Signal Receiver") != std::string::npos) carrying.push_back(n);
  }
  EXPECT_EQ(carrying, std::vector<int>{1});
}

TEST_F(InstallScenarioTest, AChartHeldByAnotherProgramLeavesTheProfileAsItWasAndTheRowSaysWhy) {
  const std::wstring profile = legacy_ / L"profiles\\default";
  std::vector<std::string> before;
  for (int n = 1; n <= 5; ++n) {
    if (n > 1) WriteBytes(ChartFilePath(profile, n), UserChart(n == 3 ? "USDJPY" : "EURUSD"));
    before.push_back(ReadBytes(ChartFilePath(profile, n)));
  }
  const std::wstring held = ChartFilePath(profile, 3);
  CDlgInstMulti& dialog = OpenWith({legacy_.Path().substr(0, legacy_.Path().size() - 1)});
  {
    UniqueHandle holder(CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    Click(IDC_INSTALL_PROVIDER);
  }
  EXPECT_EQ(chart_files::ExistingChartNumbers(profile, 120), (std::vector<int>{1, 2, 3, 4, 5}));
  for (int n = 1; n <= 5; ++n) EXPECT_EQ(ReadBytes(ChartFilePath(profile, n)), before[n - 1]) << n;
  const std::wstring state = dialog.Rows().rows[0].state;
  EXPECT_EQ(state.rfind(g_lang.GetText(msg::kInstallCompleted), 0), 0u) << "the files went in: " << state;
  EXPECT_NE(state.find(L"chart03.chr"), std::wstring::npos) << state;
  EXPECT_EQ(seams_.prompt.Messages().back(), state) << "the summary tells it too";
  EXPECT_EQ(ReadBytes(legacy_ / L"experts\\_Velmar Signal Provider.ex4"), "Provider");
}

}  // namespace
