#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/unique_handle.h"
#include "tests/support/temp_folder.h"

namespace {

class ShortcutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteBytes(installer, "MZ"));
    ASSERT_TRUE(WriteBytes(other, "MZ"));
    ASSERT_TRUE(g_files.CreateFolderPath(desktop));
  }

  std::set<std::wstring> DesktopFiles() const {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    UniqueFind find(FindFirstFileW((desktop + L"*").c_str(), &entry));
    if (!find) return names;
    do {
      if (entry.cFileName[0] != L'.') names.insert(entry.cFileName);
    } while (FindNextFileW(find.Get(), &entry));
    return names;
  }

  std::wstring Target(const std::wstring& linkName) const { return ToLower(ResolveShortcut(desktop + linkName)); }
  void Ensure() const { g_files.EnsureDesktopShortcut(desktop, L"Pandrake Installer", installer); }

  TempFolder temp;
  const std::wstring installer = temp / L"Package\\Pandrake.exe";
  const std::wstring other = temp / L"Elsewhere\\Other.exe";
  const std::wstring desktop = temp / L"Desktop\\";
};

TEST_F(ShortcutTest, CreatedShortcutResolvesToItsTarget) {
  EXPECT_TRUE(CreateShortcut(installer, desktop + L"link"));
  EXPECT_EQ(ToLower(ResolveShortcut(desktop + L"LINK.LNK")), ToLower(installer));
  EXPECT_EQ(ResolveShortcut(desktop + L"missing.lnk"), L"");
  EXPECT_FALSE(CreateShortcut(installer, temp / L"no\\such\\folder\\x.lnk"));
}

TEST_F(ShortcutTest, DesktopShortcutIsMadeOnceUnderTheProductName) {
  Ensure();
  Ensure();
  EXPECT_EQ(DesktopFiles(), std::set<std::wstring>{L"Pandrake Installer.lnk"});
  EXPECT_EQ(Target(L"Pandrake Installer.lnk"), ToLower(installer));
}

TEST_F(ShortcutTest, ANameTakenByAnotherProgramGetsTheNextNumber) {
  CreateShortcut(other, desktop + L"Pandrake Installer.lnk");
  CreateShortcut(other, desktop + L"Pandrake Installer#1.lnk");
  Ensure();
  Ensure();
  EXPECT_EQ(DesktopFiles(), (std::set<std::wstring>{L"Pandrake Installer.lnk", L"Pandrake Installer#1.lnk",
                                                    L"Pandrake Installer#2.lnk"}));
  EXPECT_EQ(Target(L"Pandrake Installer#1.lnk"), ToLower(other));
  EXPECT_EQ(Target(L"Pandrake Installer#2.lnk"), ToLower(installer));
}

TEST_F(ShortcutTest, NumberNineIsOverwrittenWhenAllAreTaken) {
  CreateShortcut(other, desktop + L"Pandrake Installer.lnk");
  for (int i = 1; i <= 9; ++i) CreateShortcut(other, desktop + L"Pandrake Installer#" + std::to_wstring(i) + L".lnk");
  Ensure();
  EXPECT_EQ(DesktopFiles().size(), 10u);
  EXPECT_EQ(Target(L"Pandrake Installer#8.lnk"), ToLower(other));
  EXPECT_EQ(Target(L"Pandrake Installer#9.lnk"), ToLower(installer));
}

TEST_F(ShortcutTest, AnUnwritableDesktopGivesWayToTheNextOne) {
  wchar_t readOnly[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"PANDRAKE_READONLY_DRIVE", readOnly, MAX_PATH)) GTEST_SKIP() << "no read-only drive mounted";
  EXPECT_FALSE(g_files.EnsureDesktopShortcut(std::wstring(readOnly), L"Pandrake Installer", installer));
  EXPECT_TRUE(g_files.EnsureDesktopShortcut({readOnly, desktop}, L"Pandrake Installer", installer));
  EXPECT_EQ(Target(L"Pandrake Installer.lnk"), ToLower(installer));
  EXPECT_FALSE(FileExists(std::wstring(readOnly) + L"Pandrake Installer.lnk"));
}

}  // namespace
