#include <gtest/gtest.h>

#include <optional>

#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "terminal/mt_assist.h"
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
    if (isFull) EXPECT_NE(row.state.find(drive), std::wstring::npos) << row.state;
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

}  // namespace
