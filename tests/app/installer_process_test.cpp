#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <vector>

#include "app/resource.h"
#include "common/unique_handle.h"
#include "tests/support/signal_database.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_system.h"

namespace {

// Starts a copy of the built installer under the given file name and finds its main window.
class InstallerProcess {
 public:
  explicit InstallerProcess(const std::wstring& exePath) {
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + exePath + L"\"";
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
      return;
    }
    process_.Reset(info.hProcess);
    CloseHandle(info.hThread);
    for (int i = 0; i < 200 && !window_; ++i) {
      Sleep(50);
      window_ = InstallerWindowOf(info.dwProcessId);
    }
  }
  ~InstallerProcess() {
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (process_ && WaitForSingleObject(process_.Get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process_.Get(), 1);
  }
  HWND Window() const { return window_; }
  bool Exited(DWORD timeoutMs) { return WaitForSingleObject(process_.Get(), timeoutMs) == WAIT_OBJECT_0; }
  bool Visible(int id) const { return IsWindowVisible(GetDlgItem(window_, id)) != FALSE; }

 private:
  UniqueHandle process_;
  HWND window_ = nullptr;
};

class InstallerProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (TestLocale() == "tw") GTEST_SKIP() << "a Traditional Chinese system opens the notice box first";
    built_ = WindowsPathOfUnixPath(PANDRAKE_EXE_UNIX_PATH);
  }
  std::wstring CopyAs(const std::wstring& name) {
    const std::wstring target = folder_ / name;
    EXPECT_TRUE(CopyFileW(built_.c_str(), target.c_str(), FALSE)) << "copy of " << PANDRAKE_EXE_UNIX_PATH;
    return target;
  }
  std::wstring built_;
  TempFolder folder_;
};

TEST_F(InstallerProcessTest, ShowsEveryControlWithItsChineseCaption) {
  InstallerProcess installer(CopyAs(L"Pandrake.exe"));
  ASSERT_NE(installer.Window(), nullptr);
  const int ids[] = {4, 3, 6, 5, 7, 1035, 1034, 1023, 1024, 1013, 1009, 1092, 1090, 1088, 1086, 1089,
                     1017, 1018, 1020, 1019, 1021, 2, 1008};
  for (int id : ids) EXPECT_NE(GetDlgItem(installer.Window(), id), nullptr) << id;
  wchar_t text[128] = {};
  GetDlgItemTextW(installer.Window(), IDC_INSTALL_RECEIVER, text, 128);
  EXPECT_STREQ(text, L"安装跟单系统");
  GetDlgItemTextW(installer.Window(), IDCANCEL, text, 128);
  EXPECT_STREQ(text, L"退出");
  PostMessageW(installer.Window(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_TRUE(installer.Exited(10000));
}

TEST_F(InstallerProcessTest, ProviderFileNameHidesTheReceiverButton) {
  InstallerProcess installer(CopyAs(L"Pandrake Provider.exe"));
  ASSERT_NE(installer.Window(), nullptr);
  EXPECT_FALSE(installer.Visible(IDC_INSTALL_RECEIVER));
  EXPECT_TRUE(installer.Visible(IDC_INSTALL_PROVIDER));
  EXPECT_TRUE(installer.Visible(IDC_HELP_BUTTON));
}

TEST_F(InstallerProcessTest, ReceiverFileNameHidesProviderHelpAndContact) {
  InstallerProcess installer(CopyAs(L"Pandrake Receiver.exe"));
  ASSERT_NE(installer.Window(), nullptr);
  EXPECT_TRUE(installer.Visible(IDC_INSTALL_RECEIVER));
  EXPECT_FALSE(installer.Visible(IDC_INSTALL_PROVIDER));
  EXPECT_FALSE(installer.Visible(IDC_HELP_BUTTON));
  EXPECT_FALSE(installer.Visible(IDC_CONTACT_US));
}

}  // namespace

namespace {

std::wstring WindowText(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

// The installer's own settings file in the Wine user's documents, set aside for the test.
class SettingsFileAside {
 public:
  SettingsFileAside() {
    wchar_t documents[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, documents, CSIDL_PERSONAL, FALSE);
    path_ = std::wstring(documents) + L"\\Velmar\\pelk\\tcinst.cfg";
    saved_ = ReadBytes(path_);
    existed_ = GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
    DeleteFileW(path_.c_str());
  }
  ~SettingsFileAside() {
    DeleteFileW(path_.c_str());
    if (existed_) WriteBytes(path_, saved_);
  }
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
  std::string saved_;
  bool existed_ = false;
};

TEST(InstallerPackageRun, VersionSizeAndShortcutSurviveARestart) {
  if (TestLocale() == "tw") GTEST_SKIP() << "a Traditional Chinese system opens the notice box first";
  SettingsFileAside settings;
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  // Outside the temporary folder, so the installer makes its desktop shortcut.
  TempFolder package(std::wstring(windows).substr(0, 3));
  const std::wstring exe = package / L"Pandrake.exe";
  ASSERT_TRUE(CopyFileW(WindowsPathOfUnixPath(PANDRAKE_EXE_UNIX_PATH).c_str(), exe.c_str(), FALSE));
  ASSERT_TRUE(CopyFileW((TestProgramFolder() + L"orbix_test.dll").c_str(), (package / L"orbix.dll").c_str(), FALSE));
  MakeSignalDatabase(package / L"orbix.sin");
  wchar_t desktop[MAX_PATH] = {};
  SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_COMMON_DESKTOPDIRECTORY, FALSE);
  const std::wstring link = std::wstring(desktop) + L"\\Pandrake跟单系统.lnk";
  DeleteFileW(link.c_str());
  {
    InstallerProcess installer(exe);
    ASSERT_NE(installer.Window(), nullptr);
    EXPECT_EQ(WindowText(installer.Window()), L"Pandrake跟单系统 - V3.2.1.0");
    SetWindowPos(installer.Window(), nullptr, 0, 0, 930, 640, SWP_NOMOVE | SWP_NOZORDER);
  }
  EXPECT_NE(GetFileAttributesW(link.c_str()), INVALID_FILE_ATTRIBUTES);
  // The settings file is UTF-16 LE.
  EXPECT_NE(ReadBytes(settings.Path()).find(std::string(reinterpret_cast<const char*>(L"W=930"), 10)), std::string::npos);
  {
    InstallerProcess installer(exe);
    ASSERT_NE(installer.Window(), nullptr);
    RECT rect{};
    GetWindowRect(installer.Window(), &rect);
    EXPECT_EQ(rect.right - rect.left, 930);
    EXPECT_EQ(rect.bottom - rect.top, 640);
  }
  DeleteFileW(link.c_str());
}

// Wine runs its own system DLLs even when a file of the name lies beside the program; loading
// native before builtin makes it take the planted file, as Windows does for a DLL that is not
// a KnownDLL. WINEDLLOVERRIDES would say the same, but Wine reads it from the environment it
// was started with, not from the one a Windows program hands on; so the override goes into
// Wine's per-program settings for the time of the test.
class NativeFirstFor {
 public:
  NativeFirstFor(const std::wstring& program, const std::vector<std::wstring>& dlls)
      : key_(L"Software\\Wine\\AppDefaults\\" + program) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, (key_ + L"\\DllOverrides").c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                    &key, nullptr);
    const UniqueKey owned(key);
    static const wchar_t kOrder[] = L"native,builtin";
    for (const std::wstring& dll : dlls) {
      RegSetValueExW(key, dll.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(kOrder), sizeof kOrder);
    }
  }
  ~NativeFirstFor() { RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str()); }

 private:
  std::wstring key_;
};

TEST(InstallerPackageRun, DllsPlantedBesideTheInstallerAreNeverLoaded) {
  if (TestLocale() == "tw") GTEST_SKIP() << "a Traditional Chinese system opens the notice box first";
  SettingsFileAside settings;
  TempFolder package;
  TempFolder terminal;
  const std::wstring exe = package / L"Pandrake.exe";
  ASSERT_TRUE(CopyFileW(WindowsPathOfUnixPath(PANDRAKE_EXE_UNIX_PATH).c_str(), exe.c_str(), FALSE));
  ASSERT_TRUE(CopyFileW((TestProgramFolder() + L"orbix_test.dll").c_str(), (package / L"orbix.dll").c_str(), FALSE));
  MakeSignalDatabase(package / L"orbix.sin");
  const std::vector<std::wstring> names = {L"version",   L"bcrypt",  L"uxtheme", L"dwmapi",
                                           L"cryptbase", L"userenv", L"msasn1"};
  for (const std::wstring& name : names) {
    const std::wstring planted = TestProgramFolder() + L"planted\\" + name + L".dll";
    ASSERT_TRUE(CopyFileW(planted.c_str(), (package / (name + L".dll")).c_str(), FALSE)) << name;
  }
  // A listed terminal takes the start-up through the hash of its folder name and the update,
  // where a system cryptography library was once loaded.
  WriteBytes(terminal / L"terminal.exe", "MZ");
  const std::wstring list = terminal.Path().substr(0, terminal.Path().size() - 1);
  WriteBytes(settings.Path(), "[MAIN]\r\nPATH=10" + std::string(list.begin(), list.end()) + "*|\r\n");
  {
    // Not version.dll: Wine's own user32 imports it (Windows's does not), so Wine would load
    // the planted file itself before the installer's first line; the import check covers it.
    NativeFirstFor overrides(L"Pandrake.exe", {names.begin() + 1, names.end()});
    InstallerProcess installer(exe);
    ASSERT_NE(installer.Window(), nullptr);
    EXPECT_EQ(ListView_GetItemCount(GetDlgItem(installer.Window(), IDC_TERMINAL_LIST)), 1);
  }
  for (const std::wstring& name : names) {
    const std::wstring marker = package / (name + L".dll.loaded");
    EXPECT_EQ(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES) << name;
  }
}

}  // namespace
