#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <string>

#include "common/file_ctrl.h"
#include "common/unique_handle.h"
#include "terminal/data_folder_id.h"
#include "tests/support/fake_terminal_process.h"
#include "tests/support/signal_database.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_system.h"

namespace {

struct Finished {
  DWORD exitCode = STILL_ACTIVE;
  bool showedWindow = false;
};

// Runs the installer with the arguments to its end, watching for a window of its own.
Finished RunInstaller(const std::wstring& exe, const std::wstring& arguments) {
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
  Finished finished;
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return finished;
  }
  const UniqueHandle process(info.hProcess), thread(info.hThread);
  for (int i = 0; i < 1200 && WaitForSingleObject(process.Get(), 50) == WAIT_TIMEOUT; ++i) {
    finished.showedWindow = finished.showedWindow || InstallerWindowOf(info.dwProcessId) != nullptr;
  }
  GetExitCodeProcess(process.Get(), &finished.exitCode);
  return finished;
}

// A package beside the installer and two terminals of the older layout; the stored list is
// set aside for the test.
class UnattendedTest : public ::testing::Test {
 protected:
  // What the call gives while the installer's window runs from the same folder.
  DWORD WhileTheWindowIsOpen(const std::function<DWORD()>& call) {
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + exe_ + L"\"";
    if (!CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
      return STILL_ACTIVE;
    }
    const UniqueHandle process(info.hProcess), thread(info.hThread);
    HWND window = nullptr;
    for (int i = 0; i < 200 && !window; ++i, Sleep(50)) window = InstallerWindowOf(info.dwProcessId);
    const DWORD result = window ? call() : STILL_ACTIVE;
    if (window) PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    if (WaitForSingleObject(process.Get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process.Get(), 1);
    return result;
  }

  void SetUp() override {
    EndStrayTerminals();
    wchar_t documents[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, documents, CSIDL_PERSONAL, FALSE);
    settings_ = std::wstring(documents) + L"\\Velmar\\pelk\\tcinst.cfg";
    records_ = std::wstring(documents) + L"\\Velmar\\pelk\\records\\";
    savedSettings_ = ReadBytes(settings_);
    DeleteFileW(settings_.c_str());
    exe_ = package_ / L"Pandrake.exe";
    ASSERT_TRUE(CopyFileW(WindowsPathOfUnixPath(PANDRAKE_EXE_UNIX_PATH).c_str(), exe_.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW((TestProgramFolder() + L"orbix_test.dll").c_str(), (package_ / L"orbix.dll").c_str(), FALSE));
    ASSERT_TRUE(MakeSignalDatabase(package_ / L"orbix.sin"));
    WriteBytes(package_ / L"Signal Provider\\experts\\_Velmar Signal Provider.ex4", "provider");
    WriteBytes(package_ / L"Signal Provider\\libraries\\orbix.dll", "new library");
    for (const TempFolder* terminal : {&first_, &second_}) {
      WriteBytes(*terminal / L"terminal.exe", "MZ");
      g_files.CreateFolderPath(*terminal / L"config");
      g_files.CreateFolderPath(*terminal / L"MQL4\\experts");
      WriteBytes(*terminal / L"MQL4\\libraries\\orbix.dll", "old library");
    }
  }
  void TearDown() override {
    EndStrayTerminals();
    for (const TempFolder* terminal : {&first_, &second_}) RemoveTree(records_ + TerminalDataId(Folder(*terminal)));
    DeleteFileW(settings_.c_str());
    if (!savedSettings_.empty()) WriteBytes(settings_, savedSettings_);
  }
  static std::wstring Folder(const TempFolder& folder) { return folder.Path().substr(0, folder.Path().size() - 1); }
  std::wstring Both() const { return L"/terminals=\"" + Folder(first_) + L";" + Folder(second_) + L"\""; }
  std::string Result() const { return ReadBytes(result_); }
  static std::string Json(const std::wstring& folder) {
    std::string escaped;
    for (wchar_t c : folder) escaped += c == L'\\' ? "\\\\" : std::string(1, static_cast<char>(c));
    return "\"" + escaped + "\"";
  }

  TempFolder package_, first_, second_, work_;
  // The first terminal as a trader has it: an older EA, a chart and its order.
  void GiveFirstAnOlderCopier() {
    WriteBytes(first_ / L"MQL4\\experts\\_Velmar Signal Provider.ex4", "older provider");
    WriteBytes(first_ / L"profiles\\default\\chart01.chr", "<chart>\r\nsymbol=GBPUSD\r\nperiod=60\r\n</chart>\r\n");
    WriteBytes(first_ / L"profiles\\default\\order.wnd", "GBPUSD,H1\r\n");
  }
  DWORD OnFirst(const std::wstring& verb) {
    return RunInstaller(exe_, verb + L" /terminals=\"" + Folder(first_) + L"\" /quiet /lang=en /result=\"" + result_ +
                                  L"\"").exitCode;
  }

  std::wstring exe_, settings_, records_;
  std::string savedSettings_;
  std::wstring result_ = work_ / L"result.json";
};

TEST_F(UnattendedTest, AQuietInstallClosesARunningTerminalAndStartsItAgainAsItWasStarted) {
  const std::wstring record = work_ / L"started.txt";
  FakeTerminal running(first_.Path(), L"--record \"" + record + L"\" /portable 5550001: Server");
  ASSERT_TRUE(running.Window());
  DeleteFileW(record.c_str());

  const Finished run = RunInstaller(exe_, L"/install=provider " + Both() + L" /close /quiet /lang=en /result=\"" +
                                              result_ + L"\"");
  EXPECT_EQ(run.exitCode, 0u) << Result();
  EXPECT_FALSE(run.showedWindow);
  const std::string result = Result();
  EXPECT_NE(result.find("\"exitCode\": 0"), std::string::npos) << result;
  EXPECT_NE(result.find(Json(Folder(first_))), std::string::npos) << result;
  EXPECT_NE(result.find(Json(Folder(second_))), std::string::npos) << result;
  EXPECT_NE(result.find("\"closed\": true, \"restarted\": true"), std::string::npos) << result;
  EXPECT_EQ(ReadBytes(second_ / L"MQL4\\libraries\\orbix.dll"), "new library");
  ASSERT_TRUE(TerminalStartsWithin(running.ExePath(), 5000));
  for (int i = 0; i < 20 && !FileExists(record); ++i) Sleep(100);
  EXPECT_NE(g_files.ReadTextFile(record).find(L"/portable 5550001"), std::wstring::npos) << "started as it was";
}

TEST_F(UnattendedTest, WithoutCloseARunningTerminalFailsUntouchedAndTheOtherIsInstalled) {
  FakeTerminal running(first_.Path(), L"5550001: Server");
  ASSERT_TRUE(running.Window());
  const Finished run = RunInstaller(exe_, L"/install=provider " + Both() + L" /quiet /lang=en /result=\"" +
                                              result_ + L"\"");
  EXPECT_EQ(run.exitCode, 1603u) << Result();
  EXPECT_FALSE(running.Exited(300));
  EXPECT_EQ(ReadBytes(first_ / L"MQL4\\libraries\\orbix.dll"), "old library");
  EXPECT_EQ(ReadBytes(second_ / L"MQL4\\libraries\\orbix.dll"), "new library");
  EXPECT_NE(Result().find("\"ok\": false"), std::string::npos) << Result();
}

TEST_F(UnattendedTest, BadArgumentsALockAndAnEmptyFolderGiveTheirExitCodes) {
  EXPECT_EQ(RunInstaller(exe_, L"/install=bogus " + Both() + L" /quiet").exitCode, 87u);
  EXPECT_EQ(RunInstaller(exe_, L"/install=provider /terminals=\"" + work_.Path() + L"\" /quiet").exitCode, 87u);
  // A Traditional Chinese system opens the notice box before the window shows.
  if (TestLocale() != "tw") {
    EXPECT_EQ(WhileTheWindowIsOpen([&] { return RunInstaller(exe_, L"/list /quiet").exitCode; }), 1618u);
  }
  TempFolder empty;
  const std::wstring alone = empty / L"Pandrake.exe";
  ASSERT_TRUE(CopyFileW(exe_.c_str(), alone.c_str(), FALSE));
  EXPECT_EQ(RunInstaller(alone, L"/install=provider " + Both() + L" /quiet").exitCode, 1620u);
}

TEST_F(UnattendedTest, ListShowsTheStoredTerminalsWithTheirAccounts) {
  WriteBytes(first_ / L"logs\\20240105.log", "0\t09:00:00.000\t'5550042': login on Alpha-Demo through Access Point\r\n");
  const std::wstring folder = Folder(first_);
  const std::string list = "[MAIN]\r\nPATH=00" + std::string(folder.begin(), folder.end()) + "*|\r\n";
  WriteBytes(settings_, list);
  EXPECT_EQ(RunInstaller(exe_, L"/list /result=\"" + result_ + L"\"").exitCode, 0u);
  const std::string result = Result();
  EXPECT_NE(result.find("\"command\": \"list\""), std::string::npos) << result;
  EXPECT_NE(result.find("\"account\": \"5550042\""), std::string::npos) << result;
}

// The check reads, and never changes: a copier whose DLL calls were refused is not running, and the
// terminal without a role is listed without a verdict.
TEST_F(UnattendedTest, CheckTellsWhyACopierDoesNotRun) {
  ASSERT_TRUE(CopyFileW((package_ / L"orbix.dll").c_str(), (first_ / L"MQL4\\libraries\\orbix.dll").c_str(), FALSE));
  WriteBytes(first_ / L"MQL4\\experts\\_Velmar Signal Provider.ex4", "provider");
  WriteBytes(first_ / L"profiles\\default\\chart01.chr",
             "<chart>\r\nsymbol=EURUSD\r\nperiod=60\r\n<expert>\r\nname=_Velmar Signal Provider\r\n</expert>\r\n</chart>\r\n");
  std::string options(4388, '\0');
  options[0x14] = options[0x24] = 1;
  WriteBytes(first_ / L"config\\experts.ini", options);
  const std::string log =
      "0\t10:00:00.000\tExpert _Velmar Signal Provider EURUSD,H1: loaded successfully\r\n"
      "1\t10:00:00.100\tCannot call 'orbix.dll::Start', DLL is not allowed\r\n"
      "1\t10:00:00.100\t_Velmar Signal Provider EURUSD,H1: unresolved import function call\r\n"
      "3\t10:00:00.100\t_Velmar Signal Provider EURUSD,H1: not initialized\r\n";
  WriteBytes(first_ / L"MQL4\\Logs\\20261210.log", log);
  const std::wstring first = Folder(first_), second = Folder(second_);
  WriteBytes(settings_, "[MAIN]\r\nPATH=01" + std::string(first.begin(), first.end()) + "*|00" +
                            std::string(second.begin(), second.end()) + "*|\r\n");

  EXPECT_EQ(RunInstaller(exe_, L"/check /terminals=all /lang=en /result=\"" + result_ + L"\"").exitCode, 1603u);
  const std::string result = Result();
  EXPECT_NE(result.find("\"state\": \"not-running\", \"chart\": \"EURUSD,H1\""), std::string::npos) << result;
  EXPECT_NE(result.find("{\"code\": \"dll-calls-blocked\""), std::string::npos) << result;
  EXPECT_EQ(result.find("library-version"), std::string::npos) << result;
  EXPECT_EQ(result.find("not-on-chart"), std::string::npos) << result;
  EXPECT_EQ(result.find("\"health\""), result.rfind("\"health\"")) << "only the row with a role: " << result;
}

TEST_F(UnattendedTest, RestoreAfterAnUpdateGivesBackTheOlderLibraryEaAndChartsByteForByte) {
  GiveFirstAnOlderCopier();
  const auto before = FilesUnder(first_.Path());
  ASSERT_EQ(OnFirst(L"/install=provider"), 0u) << Result();
  ASSERT_EQ(ReadBytes(first_ / L"MQL4\\libraries\\orbix.dll"), "new library");
  ASSERT_NE(ReadBytes(first_ / L"profiles\\default\\chart01.chr").find("_Velmar Signal Provider"), std::string::npos);

  EXPECT_EQ(OnFirst(L"/restore"), 0u) << Result();
  EXPECT_EQ(FilesUnder(first_.Path()), before);
  EXPECT_NE(Result().find("\"command\": \"restore\""), std::string::npos) << Result();
  EXPECT_NE(Result().find("\"role\": \"provider\""), std::string::npos) << "the older EA is back: " << Result();

  EXPECT_EQ(OnFirst(L"/restore"), 0u) << "the restore is recorded too";
  EXPECT_EQ(ReadBytes(first_ / L"MQL4\\libraries\\orbix.dll"), "new library");
}

TEST_F(UnattendedTest, RestoreAfterAnUninstallBringsTheCopierBack) {
  GiveFirstAnOlderCopier();
  const auto before = FilesUnder(first_.Path());
  ASSERT_EQ(OnFirst(L"/uninstall"), 0u) << Result();
  ASSERT_FALSE(FileExists(first_ / L"MQL4\\libraries\\orbix.dll"));
  EXPECT_EQ(OnFirst(L"/restore"), 0u) << Result();
  EXPECT_EQ(FilesUnder(first_.Path()), before);
}

TEST_F(UnattendedTest, RestoreKeepsAChartTheUserChangedAndPutsTheRecordsCopyBesideIt) {
  GiveFirstAnOlderCopier();
  const std::wstring chart = first_ / L"profiles\\default\\chart01.chr";
  const std::string trader = ReadBytes(chart);
  ASSERT_EQ(OnFirst(L"/install=provider"), 0u) << Result();
  const std::string edited = ReadBytes(chart) + "; the trader's own line\r\n";
  WriteBytes(chart, edited);

  EXPECT_EQ(OnFirst(L"/restore"), 0u) << Result();
  EXPECT_EQ(ReadBytes(chart), edited);
  EXPECT_EQ(ReadBytes(chart + L".previous"), trader);
  EXPECT_NE(Result().find("chart01.chr.previous"), std::string::npos) << Result();
  EXPECT_EQ(ReadBytes(first_ / L"MQL4\\libraries\\orbix.dll"), "old library");
}

}  // namespace
