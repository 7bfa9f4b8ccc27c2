#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/path_text.h"
#include "common/unique_handle.h"
#include "terminal/data_folder_id.h"
#include "tests/app/main_window_fixture.h"

namespace {

// Wide enough that the installer is killed while the library is half copied.
constexpr std::size_t kLargeLibraryBytes = 96u << 20;

bool TemporaryIn(const std::wstring& folder) {
  WIN32_FIND_DATAW entry{};
  return static_cast<bool>(UniqueFind(FindFirstFileW((folder + L"pdk*.tmp").c_str(), &entry)));
}

// An older-layout terminal with an older copier; a package whose library is large; the real
// installer beside it.
class RestoreWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    const std::wstring provider = package_ / (g_lang.GetText(msg::kSignalProvider) + L"\\");
    WriteBytes(provider + L"experts\\_Velmar Signal Provider.ex4", "Provider");
    WriteBytes(provider + L"libraries\\orbix.dll", std::string(kLargeLibraryBytes, 'n'));
    PutCopierLibrary(L"orbix.dll");
    ASSERT_TRUE(CopyFileW(WindowsPathOfUnixPath(PANDRAKE_EXE_UNIX_PATH).c_str(), installerPath_.c_str(), FALSE));
    WriteBytes(terminal_ / L"terminal.exe", "MZ");
    g_files.CreateFolderPath(terminal_ / L"config");
    WriteBytes(terminal_ / L"MQL4\\experts\\_Velmar Signal Provider.ex4", "older provider");
    WriteBytes(terminal_ / L"MQL4\\libraries\\orbix.dll", "old library");
    WriteBytes(terminal_ / L"profiles\\default\\chart01.chr", "<chart>\r\nsymbol=GBPUSD\r\nperiod=60\r\n</chart>\r\n");
    wchar_t documents[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, documents, CSIDL_PERSONAL, FALSE);
    childRecords_ = std::wstring(documents) + L"\\Velmar\\pelk\\records\\" + TerminalDataId(Folder());
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    RemoveTree(childRecords_);
  }
  std::wstring Folder() const { return terminal_.Path().substr(0, terminal_.Path().size() - 1); }

  // The installer's command line, ended by force while it writes the library.
  bool KillMidInstall() {
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + installerPath_ + L"\" /install=provider /terminals=\"" + Folder() + L"\" /quiet";
    if (!CreateProcessW(installerPath_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
      return false;
    }
    const UniqueHandle process(info.hProcess), thread(info.hThread);
    bool midway = false;
    for (int i = 0; i < 60000 && !midway && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT; ++i) {
      // The write check before the copies makes a temporary file too, but no record yet.
      midway = FileExists(childRecords_ + L"\\000001\\manifest.txt") && TemporaryIn(terminal_ / L"MQL4\\libraries\\");
    }
    TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), 10000);
    return midway;
  }

  TempFolder terminal_;
  std::wstring childRecords_;
};

TEST_F(RestoreWindowTest, AnInstallKilledMidwayShowsInterruptedAndRestoreGivesBackTheTerminalByteForByte) {
  const auto before = FilesUnder(terminal_.Path());
  ASSERT_TRUE(KillMidInstall());
  // The killed run kept its record beside the real settings; the window here keeps its own.
  ASSERT_EQ(g_files.CopyFolder(childRecords_, data_ / (L"records\\" + TerminalDataId(Folder())), true), kCopyDone);

  CDlgInstMulti& dialog = OpenWith({Folder()});
  const std::wstring interrupted = g_lang.GetText(msg::kRunInterrupted);
  const std::wstring state = dialog.Rows().rows[0].state;
  EXPECT_EQ(state.substr(0, interrupted.find(L"{0}")), interrupted.substr(0, interrupted.find(L"{0}"))) << state;

  ListView_SetItemState(dialog.ListView().Handle(), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  Click(IDM_RESTORE_PREVIOUS);
  EXPECT_EQ(dialog.Rows().rows[0].state, g_lang.GetText(msg::kRestoreCompleted));
  EXPECT_EQ(dialog.Rows().rows[0].role, g_lang.GetText(msg::kRoleProvider));
  EXPECT_EQ(FilesUnder(terminal_.Path()), before);
}

}  // namespace
