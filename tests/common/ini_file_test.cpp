#include <gtest/gtest.h>
#include <windows.h>

#include "common/file_ctrl.h"
#include "common/ini_file.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(SettingsFile, MissingKeysReadEmptyAndNamesAreStoredUpperCase) {
  TempFolder folder;
  CConfig config;
  config.SetConfigPath(folder / L"sub\\tcinst.cfg");
  EXPECT_TRUE(FolderExists(folder / L"sub"));
  EXPECT_EQ(config.ReadMain(L"CLICKTOLAUNCH"), L"");

  config.WriteMain(L"clicktolaunch", L"a\r\nb\nc");
  EXPECT_EQ(config.ReadMain(L"ClickToLaunch"), L"abc");
  EXPECT_EQ(ReadBytes(folder / L"sub\\tcinst.cfg"), "[MAIN]\r\nCLICKTOLAUNCH=abc\r\n");
}

TEST(SettingsFile, ReadOnlyFileIsMadeWritableAndFolderIsRefused) {
  TempFolder folder;
  const std::wstring path = folder / L"tcinst.cfg";
  ASSERT_TRUE(WriteBytes(path, "[MAIN]\r\nW=640\r\n"));
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
  CIniFile file;
  EXPECT_TRUE(file.SetPath(path));
  EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(file.Read(L"MAIN", L"W"), L"640");
  EXPECT_FALSE(file.SetPath(folder.Path()));
}

TEST(SettingsFile, WithoutAPathTheDefaultFileBesideTheProgramIsUsed) {
  CConfig config;
  EXPECT_EQ(config.ReadMain(L"PATH"), L"");
  EXPECT_EQ(config.ConfigPath(), GetModuleFolder() + L"Pandrake.cfg");
}

TEST(SettingsFile, AnotherProgramsChangeIsSeenAtTheNextRead) {
  TempFolder folder;
  CConfig config;
  config.SetConfigPath(folder / L"tcinst.cfg");
  config.WriteMain(L"W", L"800");
  ASSERT_TRUE(WriteBytes(folder / L"tcinst.cfg", "[main]\r\nw=900\r\n"));
  EXPECT_EQ(config.ReadMain(L"W"), L"900");
}

}  // namespace
