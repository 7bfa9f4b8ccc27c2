#include <gtest/gtest.h>
#include <windows.h>

#include "common/file_ctrl.h"
#include "common/ini_file.h"
#include "tests/support/temp_folder.h"

namespace {

std::string Utf16File(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

TEST(SettingsFile, MissingKeysReadEmptyAndNamesAreStoredUpperCase) {
  TempFolder folder;
  CConfig config;
  config.SetConfigPath(folder / L"sub\\tcinst.cfg");
  EXPECT_TRUE(FolderExists(folder / L"sub"));
  EXPECT_EQ(config.ReadMain(L"CLICKTOLAUNCH"), L"");

  config.WriteMain(L"clicktolaunch", L"a\r\nb\nc");
  EXPECT_EQ(config.ReadMain(L"ClickToLaunch"), L"abc");
  EXPECT_EQ(ReadBytes(folder / L"sub\\tcinst.cfg"), Utf16File(L"[MAIN]\r\nCLICKTOLAUNCH=abc\r\n"));
}

TEST(SettingsFile, AnAnsiFileBecomesUtf16OnceAndKeepsEveryKeyAndAnyCharacterAfterwards) {
  TempFolder folder;
  const std::wstring path = folder / L"tcinst.cfg";
  ASSERT_TRUE(WriteBytes(path, "[MAIN]\r\nPATH=10C:\\MT4*|\r\nW=640\r\n[OTHER]\r\nX=1\r\n"));
  CConfig config;
  config.SetConfigPath(path);
  EXPECT_EQ(ReadBytes(path), Utf16File(L"[MAIN]\r\nPATH=10C:\\MT4*|\r\nW=640\r\n[OTHER]\r\nX=1\r\n"));
  EXPECT_EQ(config.ReadValue(L"OTHER", L"X"), L"1");

  const std::wstring value = L"10D:\\\u0422\u0440\u0435\u0439\u0434\u0435\u0440 \u00C9mile*\u5B8C\u6210|";
  config.WriteMain(L"PATH", value);
  CConfig again;
  again.SetConfigPath(path);
  EXPECT_EQ(again.ReadMain(L"PATH"), value);
  EXPECT_EQ(again.ReadMain(L"W"), L"640");
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
