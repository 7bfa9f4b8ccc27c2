#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>

#include "common/file_ctrl.h"
#include "common/message_ids.h"
#include "common/unique_handle.h"
#include "common/winmsg.h"
#include "duplicate/duplicate_terminal.h"
#include "terminal/data_folder_id.h"
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

TEST_F(DuplicateTest, AFailedFileSaysWhyAndRemovesTheCopy) {
  const std::wstring locked = source_ + L"\\orbix.dll";
  UniqueHandle hold(CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(hold);
  const DuplicateOutcome outcome = DuplicateTerminal(source_);
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_EQ(outcome.message.find(g_lang.GetText(msg::kCopyFileFailed) + L"\n"), 0u) << outcome.message;
  EXPECT_NE(outcome.message.find(L"(#32)\n" + locked), std::wstring::npos) << outcome.message;
  EXPECT_EQ(PathKind(source_ + L"_C01"), kPathNone);
}

TEST_F(DuplicateTest, TheDataFolderComesAlongUnderTheCopysId) {
  TempFolder data;
  const std::wstring sourceData = data / TerminalDataId(source_);
  for (const char* file : {"profiles\\default\\chart01.chr", "profiles\\default\\chartm.vrk", "MQL4\\Experts\\own.ex4",
                           "config\\common.ini", "config\\server.ini", "logs\\1.log", "MQL4\\Files\\f.csv"}) {
    WriteBytes(sourceData + L"\\" + std::wstring(file, file + strlen(file)), file);
  }
  const DuplicateOutcome outcome = DuplicateTerminal(source_, {}, data.Path());
  ASSERT_TRUE(outcome.succeeded) << outcome.message;
  const std::wstring copyData = data / TerminalDataId(source_ + L"_C01");
  for (const wchar_t* kept : {L"profiles\\default\\chart01.chr", L"profiles\\default\\chartm.vrk",
                              L"MQL4\\Experts\\own.ex4", L"config\\common.ini"}) {
    EXPECT_TRUE(FileExists(copyData + L"\\" + kept)) << kept;
  }
  for (const wchar_t* left : {L"config\\server.ini", L"logs", L"MQL4\\Files"}) {
    EXPECT_EQ(PathKind(copyData + L"\\" + left), kPathNone) << left;
  }
  const std::wstring origin = L"\xFEFF" + source_ + L"_C01";
  EXPECT_EQ(ReadBytes(copyData + L"\\origin.txt"),
            std::string(reinterpret_cast<const char*>(origin.data()), origin.size() * sizeof(wchar_t)));
}

TEST_F(DuplicateTest, ACancelRemovesThePartialCopyAndFreesItsNumber) {
  TempFolder data;
  WriteBytes(data / TerminalDataId(source_) + L"\\profiles\\default\\chart01.chr", "chart");
  std::size_t calls = 0;
  const DuplicateOutcome outcome = DuplicateTerminal(source_, [&](const CopyProgress&) { return ++calls < 3; }, data.Path());
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_EQ(calls, 3u);
  EXPECT_EQ(outcome.message, g_lang.GetText(msg::kDuplicateCancelled) + L"\n" + g_lang.GetText(msg::kCopyRemoved));
  EXPECT_EQ(PathKind(source_ + L"_C01"), kPathNone);
  EXPECT_EQ(PathKind(data / TerminalDataId(source_ + L"_C01")), kPathNone);
  EXPECT_EQ(DuplicateTerminal(source_, {}, data.Path()).target, source_ + L"_C01");
}

TEST_F(DuplicateTest, ACopyThatDoesNotFitWritesNothingAndGivesBothSizes) {
  wchar_t drive[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"PANDRAKE_SMALL_DRIVE", drive, MAX_PATH)) GTEST_SKIP() << "no small drive mounted";
  TempFolder small(drive);
  const std::wstring source = small / L"MT4";
  WriteBytes(source + L"\\terminal.exe", std::string(2621440, 'x'));
  WriteBytes(source + L"\\config\\terminal.ini", "ini");
  WriteBytes(source + L"\\profiles\\default\\chart01.chr", "chart");
  ULARGE_INTEGER free{};
  ASSERT_TRUE(GetDiskFreeSpaceExW(drive, &free, nullptr, nullptr));
  wchar_t freeText[32] = {};
  std::swprintf(freeText, 32, L"%.1f", static_cast<double>(free.QuadPart) / (1024.0 * 1024.0));
  const DuplicateOutcome outcome = DuplicateTerminal(source);
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_NE(outcome.message.find(L"2.5"), std::wstring::npos) << outcome.message;
  EXPECT_NE(outcome.message.find(freeText), std::wstring::npos) << outcome.message;
  EXPECT_EQ(PathKind(source + L"_C01"), kPathNone);
}

TEST_F(DuplicateTest, ALinkInsideTheSourceIsLeftOutAndNamed) {
  TempFolder elsewhere;
  WriteBytes(elsewhere / L"big.bin", "far away");
  const std::wstring link = source_ + L"\\profiles\\linked";
  // Wine reports success without making a link; only a real reparse point tests anything.
  CreateSymbolicLinkW(link.c_str(), elsewhere.Path().c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
  const DWORD attributes = GetFileAttributesW(link.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    GTEST_SKIP() << "no linked folder can be made here";
  }
  const DuplicateOutcome outcome = DuplicateTerminal(source_);
  RemoveDirectoryW(link.c_str());
  ASSERT_TRUE(outcome.succeeded) << outcome.message;
  EXPECT_NE(outcome.message.find(g_lang.GetText(msg::kLinksLeftOut) + L"\n" + link), std::wstring::npos)
      << outcome.message;
  EXPECT_EQ(PathKind(source_ + L"_C01\\profiles\\linked"), kPathNone);
}

}  // namespace
