#include <gtest/gtest.h>
#include <windows.h>

#include "common/file_ctrl.h"
#include "common/file_tree.h"
#include "common/path_text.h"
#include "common/unique_handle.h"
#include "tests/support/temp_folder.h"

namespace {

using Paths = std::vector<std::wstring>;

class FileSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const wchar_t* name : {L"Receiver.ex4", L"b.ex4x", L"x.dll", L"x.dll.bak", L"sub\\c.ex4", L"sub\\deep\\d.dll",
                                L"sub\\receiver_old.ex4"}) {
      ASSERT_TRUE(WriteBytes(experts + name, "12345"));
    }
  }

  TempFolder temp;
  const std::wstring experts = temp / L"MQL4\\Experts\\";
};

TEST_F(FileSearchTest, MasksFindOnlyWholeLongNamesWhateverTheSeparator) {
  const Paths expected{experts + L"Receiver.ex4", experts + L"x.dll"};
  for (const wchar_t* masks : {L"*.ex4;*.dll", L"*.ex4,*.dll", L"*.ex4\xFF0C*.dll", L" *.EX4 , *.DLL "}) {
    Paths found{L"stale entry"};
    g_files.FindFiles(experts, found, false, masks);
    EXPECT_EQ(found, expected) << masks;
  }
}

TEST_F(FileSearchTest, RecursiveSearchListsEachFolderBeforeItsSubfolders) {
  Paths found;
  g_files.FindFiles(experts + L"\\", found, true, L"*.dll");
  EXPECT_EQ(found, (Paths{experts + L"x.dll", experts + L"sub\\deep\\d.dll"}));
  g_files.FindFiles(experts, found, false, L"*.ex4;receiver.*");
  EXPECT_EQ(found, (Paths{experts + L"Receiver.ex4", experts + L"Receiver.ex4"}));
  g_files.FindFolders(experts, found, true);
  EXPECT_EQ(found, (Paths{experts + L"sub", experts + L"sub\\deep"}));
}

TEST_F(FileSearchTest, APatternPathSuppliesItsOwnMask) {
  Paths found;
  g_files.FindFiles(experts + L"*.ex4", found, false);
  EXPECT_EQ(found, Paths{experts + L"Receiver.ex4"});
  g_files.FindFiles(experts + L"sub\\*.ex4", found, true, L"*.dll");
  EXPECT_EQ(found, Paths{experts + L"sub\\deep\\d.dll"});
  g_files.FindFiles(temp / L"missing\\*.ex4", found, true);
  EXPECT_TRUE(found.empty());
  g_files.FindFiles(L"", found, true);
  EXPECT_TRUE(found.empty());
}

TEST_F(FileSearchTest, NamePartSearchTakesTheFirstFileInSearchOrder) {
  EXPECT_EQ(g_files.FindFileInFolder(temp.Path(), L"*RECEIVER*"), ToLower(experts + L"Receiver.ex4"));
  EXPECT_EQ(g_files.FindFileInFolder(temp.Path(), L"d.dll"), ToLower(experts + L"sub\\deep\\d.dll"));
  // A match at the very start of the path does not count.
  EXPECT_EQ(g_files.FindFileInFolder(temp.Path(), temp.Path().substr(0, 2)), L"");
  EXPECT_EQ(g_files.FindFileInFolder(temp.Path(), L"*"), L"");
  EXPECT_EQ(g_files.FindFileInFolder(temp.Path(), L"nothing like it"), L"");

  Paths all{L"kept"};
  g_files.FindAllFilesInFolder(temp.Path(), all, L"receiver");
  EXPECT_EQ(all, (Paths{L"kept", experts + L"Receiver.ex4", experts + L"sub\\receiver_old.ex4"}));
  g_files.FindAllFilesInFolder(temp.Path(), all, L"");
  EXPECT_EQ(all.size(), 3u);
}

TEST_F(FileSearchTest, OneListingGivesWhatSeparateSearchesGive) {
  const FileTree tree(temp.Path());
  for (const wchar_t* masks : {L"*.dll;*.ex4", L"*.ex4,receiver.*"}) {
    Paths found;
    g_files.FindFiles(temp.Path(), found, true, masks);
    EXPECT_EQ(tree.Matching(masks), found) << masks;
  }
}

TEST_F(FileSearchTest, FileLengthFallsBackToTheDirectoryEntry) {
  EXPECT_EQ(g_files.GetFileLength(experts + L"x.dll"), 5.0);
  EXPECT_EQ(g_files.GetFileLength(experts + L"missing.dll"), -1.0);
  UniqueHandle locked(CreateFileW((experts + L"x.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(locked);
  EXPECT_EQ(g_files.GetFileLength(experts + L"x.dll"), 5.0);
}

}  // namespace
