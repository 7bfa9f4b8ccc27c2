#include <gtest/gtest.h>
#include <windows.h>

#include <ctime>
#include <string>
#include <vector>

#include "charts/chart_files.h"
#include "charts/chart_text.h"
#include "common/file_ctrl.h"
#include "common/unique_handle.h"
#include "common/winmsg.h"
#include "deploy/uninstall.h"
#include "terminal/mt_assist.h"
#include "tests/support/fake_terminal_process.h"
#include "tests/support/scripted_seams.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr wchar_t kReceiverEa[] = L"_Velmar Signal Receiver.ex4";
constexpr wchar_t kChineseReceiverEa[] = L"_Velmar跟单系统.ex4";

std::string UserChart(const std::string& windowType) {
  return "<chart>\r\nid=1\r\nsymbol=GBPUSD\r\nperiod=60\r\n" + windowType + "\r\nbarup_color=65280\r\n</chart>\r\n";
}

std::string InstallerChart() {
  const std::tm madeAt{.tm_min = 30, .tm_hour = 9, .tm_mday = 1, .tm_mon = 4, .tm_year = 124};
  const std::wstring text = ComposeEaChart(L"EURUSD", L"10080", L"_Velmar Signal Receiver", L"", madeAt);
  return std::string(text.begin(), text.end());
}

// The terminal's per-user data folder, found through its origin.txt like a real one.
class DataFolder {
 public:
  explicit DataFolder(const std::wstring& installFolder) {
    std::string origin = "\xFF\xFE";
    for (wchar_t c : installFolder) origin += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    WriteBytes(folder_ / L"origin.txt", origin);
  }
  std::wstring operator/(const std::wstring& relative) const { return folder_ / relative; }

 private:
  static const std::wstring& Root() {
    static const std::wstring root = [] {
      g_files.CreateFolderPath(CMTAssist::DataFolderRoot());
      return CMTAssist::DataFolderRoot();
    }();
    return root;
  }
  TempFolder folder_{Root()};
};

// A terminal of the legacy layout (experts under the install folder) with the installer's own
// folder beside it.
class UninstallTerminalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EndStrayTerminals();
    g_lang.FillTables();
    WriteBytes(install_ / L"terminal.exe", "MZ");
    g_files.CreateFolderPath(install_ / L"config");
    g_files.CreateFolderPath(install_ / L"profiles\\Default");
    WriteBytes(installer_ / L"Pandrake.exe", "MZ");
  }
  void TearDown() override { EndStrayTerminals(); }

  std::wstring Uninstall() { return UninstallTerminal(install_.Path(), installer_.Path()); }
  void Put(const std::wstring& path) { ASSERT_TRUE(WriteBytes(path, "content")); }
  std::wstring Chart(const std::wstring& terminalOrData, int n) const {
    return ChartFilePath(terminalOrData + L"profiles\\Default", n);
  }

  ScriptedSeams seams_;
  TempFolder install_;
  TempFolder installer_;
};

TEST_F(UninstallTerminalTest, BothRootsLoseTheCopierFilesWhereverTheyLieAndKeepTheUsersOwn) {
  DataFolder data(install_.Path());
  Put(installer_ / L"Bridge.dll");
  Put(installer_ / L"Extra.ex4");
  Put(installer_ / L"Copier.tpl");
  const std::vector<std::wstring> copier = {
      install_ / L"experts\\libraries\\orbix.dll",  install_ / L"experts\\libraries\\orbix.sin",
      install_ / L"experts\\libraries\\Bridge.dll", install_ / (std::wstring(L"experts\\") + kReceiverEa),
      install_ / L"indicators\\Extra.ex4",           install_ / L"templates\\Copier.tpl",
      data / L"MQL4\\libraries\\orbixw.dll",         data / L"MQL4\\libraries\\orbixw.sin",
      data / (std::wstring(L"MQL4\\experts\\indicators\\") + kChineseReceiverEa)};
  const std::vector<std::wstring> own = {install_ / L"experts\\libraries\\user.dll", install_ / L"experts\\Mine.ex4",
                                         install_ / L"templates\\Mine.tpl", data / L"MQL4\\libraries\\orbix.lib.txt",
                                         data / L"MQL4\\experts\\Mine.ex4"};
  for (const std::wstring& path : copier) Put(path);
  for (const std::wstring& path : own) Put(path);
  WriteBytes(Chart(install_.Path(), 1), UserChart("window_type=1"));
  WriteBytes(Chart(data / L"", 1), UserChart("window_type=2"));

  EXPECT_EQ(Uninstall(), L"1000");
  for (const std::wstring& path : copier) EXPECT_FALSE(FileExists(path)) << path;
  for (const std::wstring& path : own) EXPECT_TRUE(FileExists(path)) << path;
  EXPECT_EQ(ReadBytes(Chart(install_.Path(), 1)), UserChart("window_type=1"));
  EXPECT_EQ(ReadBytes(Chart(data / L"", 1)), UserChart("window_type=2"));
}

TEST_F(UninstallTerminalTest, ALibraryAloneCountsAsFoundAndRemoved) {
  EXPECT_EQ(Uninstall(), L"1002");
  Put(install_ / L"experts\\libraries\\orbix.dll");
  EXPECT_EQ(Uninstall(), L"1000");
  EXPECT_FALSE(FileExists(install_ / L"experts\\libraries\\orbix.dll"));
}

TEST_F(UninstallTerminalTest, ARunningTerminalIsReportedWithEveryFileAndChartLeft) {
  DataFolder data(install_.Path());
  const std::vector<std::wstring> copier = {install_ / L"experts\\libraries\\orbix.dll",
                                            install_ / (std::wstring(L"experts\\") + kReceiverEa),
                                            data / (std::wstring(L"MQL4\\experts\\") + kReceiverEa)};
  for (const std::wstring& path : copier) Put(path);
  for (int n : {1, 2}) WriteBytes(Chart(install_.Path(), n), InstallerChart());
  FakeTerminal running(install_.Path(), L"1: Server");
  ASSERT_TRUE(running.Window());

  EXPECT_EQ(Uninstall(), L"1111");
  for (const std::wstring& path : copier) EXPECT_TRUE(FileExists(path)) << path;
  for (int n : {1, 2}) EXPECT_EQ(ReadBytes(Chart(install_.Path(), n)), InstallerChart());
}

TEST_F(UninstallTerminalTest, ALockedLibraryOfAnIdleTerminalFailsEvenWhenAnEaFileAfterItIsRemoved) {
  const std::wstring library = install_ / L"experts\\libraries\\orbix.dll";
  Put(library);
  // Held as a terminal holds its library: readable, but neither writable nor deletable.
  UniqueHandle held(
      CreateFileW(library.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held);
  EXPECT_EQ(Uninstall(), L"1001");
  EXPECT_TRUE(FileExists(library));

  Put(install_ / (std::wstring(L"experts\\") + kReceiverEa));
  EXPECT_EQ(Uninstall(), L"1001");
  EXPECT_FALSE(FileExists(install_ / (std::wstring(L"experts\\") + kReceiverEa)));
}

TEST_F(UninstallTerminalTest, InstallerChartsGoWhileAnotherChartIsLeft) {
  DataFolder data(install_.Path());
  g_files.CreateFolderPath(data / L"MQL4");
  WriteBytes(Chart(install_.Path(), 1), InstallerChart());
  for (int n : {1, 2}) WriteBytes(Chart(data / L"", n), InstallerChart());

  Uninstall();
  EXPECT_EQ(ReadBytes(Chart(install_.Path(), 1)), InstallerChart());
  EXPECT_FALSE(FileExists(Chart(data / L"", 1)));
  EXPECT_EQ(ReadBytes(Chart(data / L"", 2)), InstallerChart());
}

TEST_F(UninstallTerminalTest, TheChartAfterARemovedFirstChartOpensAsTheInstallersDidAndNoOtherChanges) {
  WriteBytes(Chart(install_.Path(), 1), InstallerChart());
  WriteBytes(Chart(install_.Path(), 3), UserChart("window_type=2"));
  WriteBytes(Chart(install_.Path(), 4), UserChart("window_type=1"));

  Uninstall();
  EXPECT_FALSE(FileExists(Chart(install_.Path(), 1)));
  EXPECT_EQ(ReadBytes(Chart(install_.Path(), 3)), UserChart("window_type=3"));
  EXPECT_EQ(ReadBytes(Chart(install_.Path(), 4)), UserChart("window_type=1"));
}

}  // namespace
