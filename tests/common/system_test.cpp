#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/product.h"
#include "common/reg_ctrl.h"
#include "common/system.h"
#include "tests/support/temp_folder.h"

namespace {

const wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A value of the per-user shell folder key that exists only while the test runs.
class ShellFolderValue {
 public:
  ShellFolderValue(const std::wstring& name, const std::wstring& value) : name_(name) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kShellFolders, name.c_str(), REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  ~ShellFolderValue() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kShellFolders, name_.c_str()); }

 private:
  std::wstring name_;
};

TEST(FolderLookup, FirstNonEmptySourceWinsWithATrailingBackslash) {
  EXPECT_EQ(FirstFolder({[] { return std::wstring(); }, [] { return std::wstring(L"C:\\Temp"); },
                         [] { return std::wstring(L"D:\\Other\\"); }}),
            L"C:\\Temp\\");
  EXPECT_EQ(FirstFolder({[] { return std::wstring(); }}), L"");
  EXPECT_EQ(WithTrailingBackslash(L""), L"");
}

TEST(FolderLookup, SpecialFoldersExistAndEndWithABackslash) {
  for (const std::wstring& folder : {g_system.GetTempFolder(), g_system.GetDocumentsFolder(),
                                     g_system.GetAppDataFolder(), g_system.GetLocalAppDataFolder(),
                                     g_system.GetDesktopFolder(), g_system.GetUserDesktopFolder()}) {
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'\\') << folder;
    EXPECT_TRUE(FolderExists(folder)) << folder;
  }
}

TEST(FolderLookup, DesktopIsTheCommonOneWhenThereIsOne) {
  wchar_t common[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, common, CSIDL_COMMON_DESKTOPDIRECTORY, FALSE));
  EXPECT_EQ(g_system.GetDesktopFolder(), std::wstring(common) + L"\\");
}

TEST(ShellFolders, ValueIsCreatedWhenMissingAndShortValuesCountAsMissing) {
  TempFolder root;
  const std::wstring wanted = root / L"made\\by\\lookup";
  ShellFolderValue made(L"PandrakeTestMade", wanted);
  EXPECT_EQ(g_system.ReadShellFolder(L"PandrakeTestMade"), wanted + L"\\");
  EXPECT_TRUE(FolderExists(wanted));

  ShellFolderValue root3(L"PandrakeTestShort", L"C:\\");
  EXPECT_EQ(g_system.ReadShellFolder(L"PandrakeTestShort"), L"");
  EXPECT_EQ(g_system.ReadShellFolder(L"PandrakeTestAbsent"), L"");
}

TEST(Registry, ReadStringTellsFoundFromMissing) {
  ShellFolderValue value(L"PandrakeTestValue", L"D:\\Somewhere");
  const RegString found = CRegCtrl().ReadString(HKEY_CURRENT_USER, kShellFolders, L"PandrakeTestValue");
  EXPECT_TRUE(found.found);
  EXPECT_EQ(found.value, L"D:\\Somewhere");
  EXPECT_FALSE(CRegCtrl().ReadString(HKEY_CURRENT_USER, kShellFolders, L"PandrakeTestNone").found);
  EXPECT_FALSE(CRegCtrl().ReadString(HKEY_CURRENT_USER, L"Software\\PandrakeNoSuchKey", L"x").found);

  UniqueKey key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, KEY_READ, key.Receive()), ERROR_SUCCESS);
  std::vector<std::wstring> names;
  EXPECT_TRUE(CRegCtrl().ListValueNames(std::move(key), names));
  EXPECT_NE(std::find(names.begin(), names.end(), L"PandrakeTestValue"), names.end());
}

TEST(DataFolder, TypesMakerAndProductCode) {
  DataFolderSources sources{2, L"C:\\Pkg\\", L"C:\\AppData\\", L"C:\\Docs\\", L"Velmar", L"pelk", L"Pandrake"};
  EXPECT_EQ(InstallerDataFolder(sources), L"C:\\Docs\\Velmar\\pelk\\");
  sources.type = 1;
  EXPECT_EQ(InstallerDataFolder(sources), L"C:\\AppData\\Velmar\\pelk\\");
  sources.type = 0;
  EXPECT_EQ(InstallerDataFolder(sources), L"C:\\Pkg\\pdat\\");
  sources.type = 3;
  EXPECT_EQ(InstallerDataFolder(sources), L"");
  sources = {2, L"", L"", L"C:\\Docs\\", L"", L"", L"Pandrake"};
  EXPECT_EQ(InstallerDataFolder(sources), L"C:\\Docs\\Velmar\\Pandrake\\");
  sources.documentsFolder.clear();
  EXPECT_EQ(InstallerDataFolder(sources), L"");
}

}  // namespace
