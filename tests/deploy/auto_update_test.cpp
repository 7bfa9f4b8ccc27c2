#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "common/file_ctrl.h"
#include "common/ini_file.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/unique_handle.h"
#include "common/winmsg.h"
#include "deploy/auto_update.h"
#include "terminal/mt_assist.h"
#include "tests/support/fake_terminal_process.h"
#include "tests/support/scripted_seams.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_system.h"

namespace {

// The FileVersion of orbix_test.dll; version_probe.dll carries the older 2.1.0.5.
const std::wstring kVersion = L"3.2.1.0";

std::wstring NewDll() { return TestProgramFolder() + L"orbix_test.dll"; }
std::wstring OldDll() { return TestProgramFolder() + L"version_probe.dll"; }

std::string Narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

// An installer folder with newer copier files, terminals with older ones, and the settings
// file and temporary folder (where the log goes) inside a fresh folder.
class AutoUpdateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EndStrayTerminals();
    g_lang.FillTables();
    g_lang.SetLanguage(kLangEnglish);
    ASSERT_TRUE(g_files.CreateFolderPath(temp_ / L"tmp"));
    wchar_t tmp[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"TMP", tmp, MAX_PATH)) oldTmp_ = tmp;
    SetEnvironmentVariableW(L"TMP", (temp_ / L"tmp\\").c_str());
    g_config.SetConfigPath(temp_ / L"tcinst.cfg");
    ASSERT_TRUE(CopyFileW(NewDll().c_str(), (installer_ / L"orbix.dll").c_str(), FALSE));
    ASSERT_TRUE(WriteBytes(installer_ / L"orbix.lib", "new import library"));
    ASSERT_TRUE(WriteBytes(installer_ / L"Provider\\experts\\Copier.ex4", "new ea"));
  }
  void TearDown() override {
    EndStrayTerminals();
    SetEnvironmentVariableW(L"TMP", oldTmp_.empty() ? nullptr : oldTmp_.c_str());
  }

  // A listed terminal with its copier files under MQL4; no DLL when dll is empty.
  std::wstring MakeTerminal(const std::wstring& name, const std::wstring& dll) {
    const std::wstring folder = terminals_ / name;
    WriteBytes(folder + L"\\terminal.exe", "MZ");
    g_files.CreateFolderPath(folder + L"\\profiles\\Default");
    PutCopierFiles(folder + L"\\MQL4\\", dll);
    folders_.push_back(folder);
    return folder;
  }
  static void PutCopierFiles(const std::wstring& root, const std::wstring& dll) {
    WriteBytes(root + L"libraries\\orbix.lib", "old import library");
    WriteBytes(root + L"experts\\Copier.ex4", "old ea");
    if (!dll.empty()) CopyFileW(dll.c_str(), (root + L"libraries\\orbix.dll").c_str(), FALSE);
  }
  static std::wstring DllVersion(const std::wstring& root) {
    return g_files.GetFileVersionText(root + L"libraries\\orbix.dll");
  }

  void Run(const std::wstring& version = kVersion) {
    // The launches made by the time each row is done.
    const auto afterRow = [this] { launchesAfterRow_.push_back(launcher_.calls.size()); };
    AutoUpdateTerminals({folders_, installer_.Path(), version, nullptr, afterRow});
  }
  std::wstring LogPath() const { return temp_ / L"tmp\\pelk_autoupdate.log"; }
  // The log's lines after their time stamps, each checked for the stamp's form.
  std::vector<std::string> LogEntries() const {
    const std::string log = ReadBytes(LogPath());
    EXPECT_TRUE(log.ends_with("\r\n"));
    const std::regex stamped(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d .*)");
    std::vector<std::string> entries;
    for (std::size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2) {
      const std::string line = log.substr(start, end - start);
      EXPECT_TRUE(std::regex_match(line, stamped)) << line;
      entries.push_back(line.substr(19));
    }
    return entries;
  }

  TempFolder temp_;
  TempFolder installer_;
  TempFolder terminals_;
  ScriptedSeams seams_;
  std::wstring oldTmp_;
  std::vector<std::wstring> folders_;
  StartingShell launcher_;
  std::vector<std::size_t> launchesAfterRow_;
};

TEST_F(AutoUpdateTest, APassRunsOnlyForAnInstallerNewerThanTheStoredVersion) {
  struct Case {
    const wchar_t* stored;
    const wchar_t* version;
    bool runs;
  };
  MakeTerminal(L"Current", NewDll());
  // Parts compare as numbers, and fewer parts never count as newer.
  for (const Case& c : {Case{L"1.2.10", L"1.2.3", false}, Case{L"1.2.1", L"1.3", false},
                        Case{L"1.2", L"1.2.1", true}, Case{L"", L"", false}}) {
    DeleteFileW(LogPath().c_str());
    g_config.WriteMain(L"V", c.stored);
    Run(c.version);
    EXPECT_EQ(FileExists(LogPath()), c.runs) << c.version;
    EXPECT_EQ(g_config.ReadMain(L"V"), c.runs ? c.version : c.stored);
  }
}

TEST_F(AutoUpdateTest, WithNoTerminalListedYetTheFirstStartStoresNothing) {
  Run();
  EXPECT_FALSE(FileExists(LogPath()));
  EXPECT_EQ(g_config.ReadMain(L"V"), L"");
}

TEST_F(AutoUpdateTest, NothingOutOfDateLogsASkipPerTerminalAndStoresTheVersionWithoutAsking) {
  const std::wstring current = MakeTerminal(L"Current", NewDll());
  const std::wstring withoutDll = MakeTerminal(L"NoDll", L"");
  folders_.push_back(terminals_ / L"Gone");  // no folder, so no root and no line
  Run();
  EXPECT_TRUE(seams_.prompt.shown.empty());
  EXPECT_EQ(LogEntries(), (std::vector<std::string>{
                              " Start-------------------------" "->3.2.1.0",
                              " Skip-------------------------" + Narrow(current) + "\\MQL4\\#3.2.1.0",
                              " Skip-------------------------" + Narrow(withoutDll) + "\\MQL4\\#",
                              " Done-------------------------3.2.1.0",
                          }));
  EXPECT_EQ(g_config.ReadMain(L"V"), kVersion);
  EXPECT_EQ(g_config.ReadMain(L"DIR"), installer_.Path());
  EXPECT_EQ(ReadBytes(current + L"\\MQL4\\experts\\Copier.ex4"), "old ea");
}

TEST_F(AutoUpdateTest, ARunningTerminalHoldingItsDllIsClosedUpdatedAndStartedAfterAllRows) {
  const std::wstring busy = MakeTerminal(L"Busy", OldDll());
  const std::wstring idle = MakeTerminal(L"Idle", OldDll());
  TempFolder data(CMTAssist::DataFolderRoot());
  ASSERT_TRUE(WriteBytes(data / L"origin.txt", Narrow(busy)));
  g_files.CreateFolderPath(data / L"profiles\\Default");
  PutCopierFiles(data / L"MQL4\\", OldDll());
  FakeTerminal running(busy, L"--hold \"" + busy + L"\\MQL4\\libraries\\orbix.dll\" 1: Server");
  ASSERT_TRUE(running.Window());
  BriefWaiter waiter;
  SetWaiter(&waiter);
  SetLauncher(&launcher_);
  seams_.prompt.answers = {true};

  Run();
  ASSERT_EQ(seams_.prompt.shown.size(), 2u);
  EXPECT_EQ(seams_.prompt.shown[0].kind, L"yesno");
  EXPECT_EQ(seams_.prompt.shown[0].text, g_lang.GetText(msg::kNewRelease));
  EXPECT_EQ(seams_.prompt.shown[1].text, g_lang.GetText(msg::kUpdateCompleted));
  EXPECT_TRUE(running.Exited(5000));
  for (const std::wstring& root : {busy + L"\\MQL4\\", data / L"MQL4\\", idle + L"\\MQL4\\"}) {
    EXPECT_EQ(DllVersion(root), kVersion) << root;
    EXPECT_EQ(ReadBytes(root + L"libraries\\orbix.lib"), "new import library") << root;
    EXPECT_EQ(ReadBytes(root + L"experts\\Copier.ex4"), "new ea") << root;
  }
  EXPECT_EQ(launchesAfterRow_, (std::vector<std::size_t>{0, 0}));
  ASSERT_EQ(launcher_.calls.size(), 1u);
  EXPECT_EQ(launcher_.calls[0].file, running.ExePath()) << "started by its path as it runs, not lower-cased";
  EXPECT_TRUE(TerminalStartsWithin(running.ExePath(), 5000));
  EXPECT_EQ(g_config.ReadMain(L"V"), kVersion);
}

TEST_F(AutoUpdateTest, AnsweringNoLeavesTheVersionSoTheNextStartAsksAgain) {
  const std::wstring old = MakeTerminal(L"Old", OldDll());
  g_config.WriteMain(L"V", L"3.0.0.0");
  seams_.prompt.answers = {false};
  Run();
  EXPECT_EQ(seams_.prompt.shown.size(), 1u);
  EXPECT_EQ(LogEntries(), std::vector<std::string>{" Start-------------------------" "3.0.0.0->3.2.1.0"});
  EXPECT_EQ(g_config.ReadMain(L"V"), L"3.0.0.0");
  EXPECT_EQ(DllVersion(old + L"\\MQL4\\"), L"2.1.0.5");

  seams_.prompt.answers = {true};
  Run();
  ASSERT_EQ(seams_.prompt.shown.size(), 3u);
  EXPECT_EQ(seams_.prompt.shown[1].kind, L"yesno");
  EXPECT_EQ(DllVersion(old + L"\\MQL4\\"), kVersion);
  EXPECT_EQ(g_config.ReadMain(L"V"), kVersion);
  Run();
  EXPECT_EQ(seams_.prompt.shown.size(), 3u);
}

TEST_F(AutoUpdateTest, AFailedCopyIsLoggedAndLeavesTheTerminalAndVersionForTheNextStart) {
  const std::wstring held = MakeTerminal(L"Held", OldDll());
  const std::wstring ea = held + L"\\MQL4\\experts\\Copier.ex4";
  g_config.WriteMain(L"V", L"3.0.0.0");
  seams_.prompt.defaultAnswer = true;
  {
    UniqueHandle open(CreateFileW(ea.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(open);
    Run();
  }
  const std::vector<std::string> entries = LogEntries();
  EXPECT_NE(std::ranges::find(entries, " Failed-------------------------" + Narrow(ea)), entries.end());
  EXPECT_EQ(entries.back(), " Done-------------------------3.2.1.0");
  EXPECT_EQ(g_config.ReadMain(L"V"), L"3.0.0.0");
  EXPECT_EQ(DllVersion(held + L"\\MQL4\\"), L"2.1.0.5");

  Run();
  EXPECT_EQ(ReadBytes(ea), "new ea");
  EXPECT_EQ(DllVersion(held + L"\\MQL4\\"), kVersion);
  EXPECT_EQ(g_config.ReadMain(L"V"), kVersion);
}

// The reason comes from the copy itself, not from the clean-up after it.
TEST_F(AutoUpdateTest, AFullDiskIsToldAsAFullDisk) {
  wchar_t drive[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"PANDRAKE_SMALL_DRIVE", drive, MAX_PATH)) GTEST_SKIP() << "no small drive mounted";
  TempFolder full(drive);
  WriteBytes(full / L"terminal.exe", "MZ");
  g_files.CreateFolderPath(full / L"profiles\\Default");
  PutCopierFiles(full / L"MQL4\\", OldDll());
  folders_.push_back(full.Path());
  ASSERT_TRUE(WriteBytes(installer_ / L"Provider\\experts\\Copier.ex4", std::string(5 << 20, 'e')));
  g_config.WriteMain(L"V", L"3.0.0.0");
  seams_.prompt.answers = {true};

  Run();
  const std::vector<std::wstring> messages = seams_.prompt.Messages();
  ASSERT_EQ(messages.size(), 1u);
  const std::wstring ea = full / L"MQL4\\experts\\Copier.ex4";
  const std::wstring diskFull = ReplaceAll(g_lang.GetText(msg::kUpdateDiskFull), L"{0}", ea);
  EXPECT_NE(messages[0].find(diskFull), std::wstring::npos) << messages[0];
}

TEST_F(AutoUpdateTest, AnUnwritableInstallRootLeavesTheDataRootUpdatedAndTheFailureShown) {
  wchar_t readOnly[MAX_PATH] = {};
  wchar_t source[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"PANDRAKE_READONLY_DRIVE", readOnly, MAX_PATH) ||
      !GetEnvironmentVariableW(L"PANDRAKE_READONLY_SOURCE", source, MAX_PATH)) {
    GTEST_SKIP() << "no read-only drive mounted";
  }
  TempFolder writable{std::wstring(source)};
  const std::wstring folder = readOnly + writable.Path().substr(wcslen(source));
  WriteBytes(writable / L"terminal.exe", "MZ");
  PutCopierFiles(writable / L"MQL4\\", OldDll());
  TempFolder data(CMTAssist::DataFolderRoot());
  ASSERT_TRUE(WriteBytes(data / L"origin.txt", Narrow(folder)));
  for (const std::wstring& root : {writable.Path(), data.Path()}) g_files.CreateFolderPath(root + L"profiles\\Default");
  PutCopierFiles(data / L"MQL4\\", OldDll());
  folders_.push_back(folder);
  g_config.WriteMain(L"V", L"3.0.0.0");
  seams_.prompt.answers = {true};

  Run();
  EXPECT_EQ(DllVersion(data / L"MQL4\\"), kVersion);
  EXPECT_EQ(ReadBytes(data / L"MQL4\\libraries\\orbix.lib"), "new import library");
  EXPECT_EQ(ReadBytes(data / L"MQL4\\experts\\Copier.ex4"), "new ea");
  EXPECT_EQ(DllVersion(folder + L"MQL4\\"), L"2.1.0.5");
  const std::wstring library = folder + L"MQL4\\libraries\\orbix.lib";
  const std::vector<std::string> entries = LogEntries();
  EXPECT_NE(std::ranges::find(entries, " Failed-------------------------" + Narrow(library)), entries.end());
  const std::vector<std::wstring> messages = seams_.prompt.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind(g_lang.GetText(msg::kUpdateIncomplete) + L"\n\n" + folder + L"\n" + library, 0), 0u)
      << messages[0];
  EXPECT_EQ(g_config.ReadMain(L"V"), L"3.0.0.0");
}

TEST_F(AutoUpdateTest, ALogPastItsLimitIsDroppedAfterThePass) {
  MakeTerminal(L"Current", NewDll());
  ASSERT_TRUE(WriteBytes(LogPath(), std::string(1024000, 'x')));
  Run();
  EXPECT_FALSE(FileExists(LogPath()));
  g_config.WriteMain(L"V", L"");
  ASSERT_TRUE(WriteBytes(LogPath(), "earlier\r\n"));
  Run();
  EXPECT_EQ(ReadBytes(LogPath()).rfind("earlier\r\n", 0), 0u);
}

}  // namespace
