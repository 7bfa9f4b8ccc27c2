#include <gtest/gtest.h>
#include <windows.h>

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "tests/support/scripted_seams.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_system.h"

namespace {

class FileCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteBytes(source + L"terminal.exe", "new exe"));
    ASSERT_TRUE(WriteBytes(source + L"MQL4\\Experts\\Receiver.ex4", "new ea"));
  }

  ScriptedSeams seams;
  TempFolder temp;
  const std::wstring source = temp / L"MT4\\";
  const std::wstring target = temp / L"MT4_C01\\";
};

TEST_F(FileCopyTest, FilesCopyAndMoveWithResultCodes) {
  const std::wstring file = source + L"terminal.exe";
  EXPECT_EQ(g_files.CopyFileTo(file, ToLower(file), true), kCopySamePath);
  EXPECT_EQ(g_files.MoveFileTo(file, ToLower(file), true), kCopySamePath);
  EXPECT_EQ(ReadBytes(file), "new exe");

  ASSERT_TRUE(WriteBytes(target + L"terminal.exe", "old exe"));
  EXPECT_EQ(g_files.CopyFileTo(file, target + L"terminal.exe", false), kCopyDone);
  EXPECT_EQ(ReadBytes(target + L"terminal.exe"), "old exe");
  EXPECT_EQ(g_files.CopyFileTo(file, target + L"terminal.exe", true), kCopyDone);
  EXPECT_EQ(ReadBytes(target + L"terminal.exe"), "new exe");
  EXPECT_EQ(g_files.CopyFileTo(file, target + L"new\\folders\\copy.exe", false), kCopyDone);
  EXPECT_EQ(ReadBytes(target + L"new\\folders\\copy.exe"), "new exe");

  ASSERT_TRUE(WriteBytes(target + L"moved.exe", "old exe"));
  EXPECT_EQ(g_files.MoveFileTo(file, target + L"moved.exe", false), kCopyDone);
  EXPECT_TRUE(FileExists(file));
  EXPECT_EQ(ReadBytes(target + L"moved.exe"), "old exe");
  EXPECT_EQ(g_files.MoveFileTo(file, target + L"moved.exe", true), kCopyDone);
  EXPECT_FALSE(FileExists(file));
  EXPECT_EQ(ReadBytes(target + L"moved.exe"), "new exe");
}

TEST_F(FileCopyTest, FolderCopyRefusesSamePathAndMissingSource) {
  EXPECT_EQ(g_files.CopyFolder(source, ToLower(source.substr(0, source.size() - 1)), true), kCopySamePath);
  EXPECT_EQ(ReadBytes(source + L"terminal.exe"), "new exe");
  EXPECT_EQ(g_files.CopyFolder(temp / L"missing", target, true), kCopyNoSource);
  EXPECT_EQ(g_files.CopyFolder(L"", target, true), kCopyNoSource);
  EXPECT_EQ(g_files.CopyFolder(source, source + L"MQL4\\copy", true), kCopyRefused);
  EXPECT_EQ(PathKind(target), kPathNone);
  EXPECT_TRUE(seams.waiter.sleeps.empty());
}

TEST_F(FileCopyTest, FolderCopyWithoutOverwriteLeavesAnExistingTargetAlone) {
  ASSERT_TRUE(WriteBytes(target + L"terminal.exe", "old exe"));
  EXPECT_EQ(g_files.CopyFolder(source, target, false), kCopyDone);
  EXPECT_EQ(ReadBytes(target + L"terminal.exe"), "old exe");
  EXPECT_EQ(PathKind(target + L"MQL4"), kPathNone);
}

TEST_F(FileCopyTest, FolderCopyCopiesTheWholeTree) {
  EXPECT_EQ(g_files.CopyFolder(source, temp / L"fresh", false), kCopyDone);
  EXPECT_EQ(ReadBytes(temp / L"fresh\\MQL4\\Experts\\Receiver.ex4"), "new ea");

  ASSERT_TRUE(WriteBytes(target + L"terminal.exe", "old exe"));
  ASSERT_TRUE(WriteBytes(target + L"stale\\left.txt", "old"));
  EXPECT_EQ(g_files.CopyFolder(source, target, true), kCopyDone);
  EXPECT_EQ(ReadBytes(target + L"terminal.exe"), "new exe");
  EXPECT_EQ(ReadBytes(target + L"MQL4\\Experts\\Receiver.ex4"), "new ea");
  EXPECT_EQ(PathKind(target + L"stale"), kPathNone);
  EXPECT_EQ(seams.waiter.sleeps, std::vector<DWORD>{500});
}

TEST_F(FileCopyTest, FoldersAreCreatedAndDeletedAsTrees) {
  const std::wstring deep = temp / L"a\\b\\c\\";
  EXPECT_TRUE(g_files.CreateFolderPath(deep));
  EXPECT_TRUE(FolderExists(deep));
  EXPECT_TRUE(g_files.CreateFolderPath(deep));

  ASSERT_TRUE(WriteBytes(deep + L"locked.ini", "x"));
  SetFileAttributesW((deep + L"locked.ini").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(g_files.DeleteFolder(temp / L"a\\"));
  EXPECT_EQ(PathKind(temp / L"a"), kPathNone);
  EXPECT_FALSE(g_files.DeleteFolder(temp / L"a"));

  EXPECT_TRUE(g_files.DeleteOneFile(source + L"terminal.exe"));
  EXPECT_TRUE(g_files.DeleteOneFile(source + L"terminal.exe"));
  EXPECT_EQ(PathKind(source + L"terminal.exe"), kPathNone);
}

std::vector<std::wstring> NamesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry{};
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (entry.cFileName[0] != L'.') names.push_back(entry.cFileName);
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return names;
}

TEST_F(FileCopyTest, AFailedReplaceKeepsTheOldFileAndLeavesNoTemporaryFile) {
  wchar_t drive[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"PANDRAKE_SMALL_DRIVE", drive, MAX_PATH)) GTEST_SKIP() << "no small drive mounted";
  TempFolder small(drive);
  ASSERT_TRUE(WriteBytes(small / L"orbix.dll", "old dll"));
  ASSERT_TRUE(WriteBytes(source + L"orbix.dll", std::string(6 << 20, 'n')));
  DWORD error = 0;
  EXPECT_EQ(g_files.CopyFileTo(source + L"orbix.dll", small / L"orbix.dll", true, &error), kCopyRefused);
  EXPECT_TRUE(error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL) << error;
  EXPECT_EQ(g_files.CopyFileTo(source + L"orbix.dll", small / L"new.dll", true), kCopyRefused);
  EXPECT_EQ(ReadBytes(small / L"orbix.dll"), "old dll");
  EXPECT_EQ(NamesIn(small.Path()), std::vector<std::wstring>{L"orbix.dll"});

  // Another program holds the target without sharing it for writing.
  ASSERT_TRUE(g_files.CreateFolderPath(target));
  HANDLE held = CreateFileW((target + L"held.dll").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(g_files.CopyFileTo(source + L"terminal.exe", target + L"held.dll", true, &error), kCopyRefused);
  CloseHandle(held);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(ReadBytes(target + L"held.dll"), "");
  EXPECT_EQ(NamesIn(target), std::vector<std::wstring>{L"held.dll"});
}

TEST(FileSystem, ModulePathAndDrives) {
  EXPECT_EQ(ToLower(FileNameOf(GetModuleFilePath(), true)), L"common_tests.exe");
  EXPECT_EQ(GetModuleFolder(), TestProgramFolder());
  const std::wstring drives = GetFixedDrives();
  EXPECT_NE(drives.find(L"C:"), std::wstring::npos) << drives;
  EXPECT_TRUE(drives.front() != L'|' && drives.back() != L'|');
}

}  // namespace
