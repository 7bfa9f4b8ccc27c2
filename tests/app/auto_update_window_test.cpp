#include <gtest/gtest.h>

#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "terminal/mt_assist.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/fake_terminal_process.h"

namespace {

std::string Narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

class AutoUpdateWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    EndStrayTerminals();
    MainWindowTest::SetUp();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    EndStrayTerminals();
  }

  // An older copier DLL (version_probe.dll, 2.1.0.5) under the root, with a profile beside it.
  static void PutOldDll(const std::wstring& folder) {
    g_files.CreateFolderPath(folder + L"profiles\\Default");
    g_files.CreateFolderPath(folder + L"MQL4\\libraries");
    const std::wstring old = TestProgramFolder() + L"version_probe.dll";
    CopyFileW(old.c_str(), (folder + L"MQL4\\libraries\\orbix.dll").c_str(), FALSE);
  }
  std::vector<std::wstring> Questions() const {
    std::vector<std::wstring> texts;
    for (const auto& shown : seams_.prompt.shown) {
      if (shown.kind == L"yesno") texts.push_back(shown.text);
    }
    return texts;
  }
};

TEST_F(AutoUpdateWindowTest, StartUpUpdatesBothRootsOfARunningOlderTerminalOnce) {
  PutCopierLibrary(L"orbix.dll");
  TempFolder terminal;
  TempFolder data(CMTAssist::DataFolderRoot());
  PutOldDll(terminal.Path());
  PutOldDll(data.Path());
  ASSERT_TRUE(WriteBytes(data / L"origin.txt", Narrow(terminal.Path())));
  FakeTerminal running(terminal.Path(), L"--hold \"" + terminal / L"MQL4\\libraries\\orbix.dll\" 1: Server");
  ASSERT_TRUE(running.Window());
  BriefWaiter waiter;
  SetWaiter(&waiter);
  StartingShell launcher;
  SetLauncher(&launcher);
  seams_.prompt.answers = {true};
  const std::wstring folder = terminal.Path().substr(0, terminal.Path().size() - 1);
  Store("[MAIN]\r\nPATH=10" + Narrow(folder) + "*|\r\n");

  CDlgInstMulti& dialog = Open();
  const std::vector<std::wstring> asked{g_lang.GetText(msg::kNewRelease)};
  EXPECT_EQ(Questions(), asked);
  for (const std::wstring& root : {terminal / L"MQL4\\", data / L"MQL4\\"}) {
    EXPECT_EQ(g_files.GetFileVersionText(root + L"libraries\\orbix.dll"), dialog.CopierVersion()) << root;
  }
  EXPECT_TRUE(running.Exited(5000));
  EXPECT_TRUE(TerminalStartsWithin(running.ExePath(), 5000));

  Open();
  EXPECT_EQ(Questions(), asked);
}

}  // namespace
