#include <gtest/gtest.h>
#include <windows.h>

#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/unique_handle.h"
#include "common/winmsg.h"
#include "duplicate/duplicate_terminal.h"
#include "tests/support/temp_folder.h"

namespace {

class DuplicateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_lang.FillTables();
    g_lang.SetLanguage(kLangEnglish);
    source_ = root_ / L"MT4";
    for (const char* file : {"terminal.exe", "metaeditor.exe", "orbix.dll", "terminal.ico", "readme.txt",
                             "config\\terminal.ini", "config\\server.ini", "config\\servers.dat",
                             "profiles\\default\\chart01.chr", "MQL4\\Experts\\a.ex4", "MQL4\\Indicators\\b.ex4",
                             "MQL4\\Libraries\\c.dll", "MQL4\\Files\\data.csv", "history\\x.hst", "logs\\1.log"}) {
      WriteBytes(source_ + L"\\" + std::wstring(file, file + strlen(file)), file);
    }
  }
  TempFolder root_;
  std::wstring source_;
};

TEST_F(DuplicateTest, CopiesProgramsAndTheFreshTerminalFoldersOnly) {
  const DuplicateOutcome first = DuplicateTerminal(source_ + L"\\");
  ASSERT_TRUE(first.succeeded) << first.message;
  const std::wstring copy = source_ + L"_C01";
  EXPECT_EQ(first.target, copy);
  EXPECT_EQ(first.message, g_lang.GetText(msg::kDuplicateDone) + L"\n" + copy);
  for (const wchar_t* kept : {L"terminal.exe", L"metaeditor.exe", L"orbix.dll", L"terminal.ico", L"config\\terminal.ini",
                              L"profiles\\default\\chart01.chr", L"MQL4\\Experts\\a.ex4", L"MQL4\\Indicators\\b.ex4",
                              L"MQL4\\Libraries\\c.dll"}) {
    EXPECT_TRUE(FileExists(copy + L"\\" + kept)) << kept;
  }
  for (const wchar_t* left : {L"readme.txt", L"config\\server.ini", L"config\\servers.dat", L"MQL4\\Files",
                              L"history", L"logs", L"Sounds", L"templates"}) {
    EXPECT_EQ(PathKind(copy + L"\\" + left), kPathNone) << left;
  }
  EXPECT_EQ(DuplicateTerminal(source_).target, source_ + L"_C02");
}

TEST_F(DuplicateTest, AFolderWithoutProfilesIsRefused) {
  g_files.DeleteFolder(source_ + L"\\profiles");
  const DuplicateOutcome outcome = DuplicateTerminal(source_);
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_EQ(outcome.message, L"Invalid MT4 directory!\n" + source_);
  EXPECT_EQ(PathKind(source_ + L"_C01"), kPathNone);
}

TEST_F(DuplicateTest, ARootFileThatCannotBeReadStopsTheCopy) {
  const std::wstring locked = source_ + L"\\orbix.dll";
  UniqueHandle hold(CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(hold);
  const DuplicateOutcome outcome = DuplicateTerminal(source_);
  const std::wstring copy = source_ + L"_C01";
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_EQ(outcome.message, g_lang.GetText(msg::kCopyFailed) + L"#0\n" + locked + L"\n" + copy + L"\\orbix.dll\n" + copy);
  EXPECT_FALSE(FolderExists(copy + L"\\profiles"));
}

}  // namespace
