#include <gtest/gtest.h>
#include <sqlite3.h>
#include <windows.h>

#include <string>

#include "common/file_ctrl.h"
#include "common/unique_handle.h"
#include "deploy/signal_config.h"
#include "deploy/sqlite_db.h"
#include "tests/support/temp_folder.h"

namespace {

std::string Utf8(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += static_cast<char>(c);  // test paths are ASCII
  return out;
}

// Writes a small real database with one row the test can look for afterwards.
void CreateDatabase(const std::wstring& path, const char* marker) {
  g_files.CreateFolderPath(path.substr(0, path.rfind(L'\\')));
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2(Utf8(path).c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr), SQLITE_OK);
  const std::string sql = std::string("create table signals(name); insert into signals values('") + marker + "');";
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
}

std::string MarkerIn(const std::wstring& path) {
  sqlite3* db = nullptr;
  std::string marker;
  if (sqlite3_open_v2(Utf8(path).c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* row = nullptr;
    if (sqlite3_prepare_v2(db, "select name from signals", -1, &row, nullptr) == SQLITE_OK &&
        sqlite3_step(row) == SQLITE_ROW) {
      marker = reinterpret_cast<const char*>(sqlite3_column_text(row, 0));
    }
    sqlite3_finalize(row);
  }
  sqlite3_close(db);
  return marker;
}

class SignalConfigTest : public ::testing::Test {
 protected:
  SignalConfigTest()
      : places_{root_ / L"package\\", root_ / L"documents\\", root_ / L"temp\\", L"Velmar\\pelk\\"} {
    g_files.CreateFolderPath(places_.packageFolder);
    g_files.CreateFolderPath(places_.documentsFolder);
    g_files.CreateFolderPath(places_.tempFolder);
  }
  std::wstring DocumentsCopy() const { return places_.documentsFolder + L"Velmar\\pelk\\orbix.sin"; }
  std::wstring TempCopy() const { return places_.tempFolder + L"Velmar\\pelk\\orbix.sin"; }

  TempFolder root_;
  SignalConfigPlaces places_;
};

TEST(SQLiteWrapper, RefusalsAndSqlitesOwnMessage) {
  TempFolder folder;
  CSQLite db;
  EXPECT_FALSE(db.Open(L"", false));
  EXPECT_EQ(db.ErrorText(), L"SLT#Please input file path!");
  EXPECT_FALSE(db.Open(folder / L"none.sin", false));
  EXPECT_EQ(db.ErrorText(), L"SLT#File not found!");
  EXPECT_FALSE(db.Open(folder / L"no\\such\\folder\\x.sin", true));
  EXPECT_EQ(db.ErrorText(), L"unable to open database file");
  EXPECT_FALSE(db.IsOpen());
  // Skipping the check creates the file; the stored path then serves an empty one.
  EXPECT_TRUE(db.Open(folder / L"new.sin", true));
  EXPECT_TRUE(db.IsOpen());
  EXPECT_EQ(db.ErrorText(), L"");
  EXPECT_TRUE(FileExists(folder / L"new.sin"));
  EXPECT_TRUE(db.Open(L"", false));
  db.Close();
  EXPECT_FALSE(db.IsOpen());
}

TEST_F(SignalConfigTest, PackageWithoutDatabase) {
  EXPECT_EQ(InstallSignalConfig(places_, 1), L"SUCC");
  EXPECT_FALSE(FolderExists(places_.documentsFolder + L"Velmar"));
  EXPECT_FALSE(FolderExists(places_.tempFolder + L"Velmar"));
  ASSERT_TRUE(WriteBytes(places_.packageFolder + L"receiver\\orbix.dll", "MZ"));
  EXPECT_EQ(InstallSignalConfig(places_, 1), L"Installation files not found!");
}

TEST_F(SignalConfigTest, CopiesARealDatabaseFromASubfolderAndNeverReplacesIt) {
  CreateDatabase(places_.packageFolder + L"provider\\orbix.sin", "first");
  EXPECT_EQ(InstallSignalConfig(places_, 1), L"SUCC");
  EXPECT_EQ(MarkerIn(DocumentsCopy()), "first");
  EXPECT_FALSE(FileExists(TempCopy()));

  DeleteFileW((places_.packageFolder + L"provider\\orbix.sin").c_str());
  CreateDatabase(places_.packageFolder + L"provider\\orbix.sin", "newer");
  EXPECT_EQ(InstallSignalConfig(places_, 1), L"SUCC");
  EXPECT_EQ(MarkerIn(DocumentsCopy()), "first");
}

TEST_F(SignalConfigTest, CopyOfAReadOnlyPackageFileCanBeWritten) {
  const std::wstring source = places_.packageFolder + L"orbix.sin";
  CreateDatabase(source, "package");
  ASSERT_TRUE(SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(InstallSignalConfig(places_, 1), L"SUCC");
  SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(GetFileAttributesW(DocumentsCopy().c_str()) & FILE_ATTRIBUTE_READONLY);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2(Utf8(DocumentsCopy()).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
  EXPECT_EQ(sqlite3_db_readonly(db, "main"), 0);
  EXPECT_EQ(sqlite3_exec(db, "insert into signals values('saved');", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
}

TEST_F(SignalConfigTest, UnopenableDocumentsCopyMovesToTheTemporaryFolderForGood) {
  CreateDatabase(places_.packageFolder + L"orbix.sin", "package");
  CreateDatabase(DocumentsCopy(), "held");
  {
    // Held open without sharing, as another program might hold it: SQLite cannot open it.
    UniqueHandle held(CreateFileW(DocumentsCopy().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(InstallSignalConfig(places_, 1), L"SUCC");
  }
  EXPECT_EQ(MarkerIn(TempCopy()), "package");

  RemoveTree(places_.documentsFolder + L"Velmar");
  EXPECT_EQ(InstallSignalConfig(places_, 1), L"SUCC");
  EXPECT_FALSE(FolderExists(places_.documentsFolder + L"Velmar"));
}

TEST_F(SignalConfigTest, FailureTexts) {
  CreateDatabase(places_.packageFolder + L"orbix.sin", "package");
  SignalConfigPlaces noDocuments = places_;
  noDocuments.documentsFolder = root_ / L"gone\\";
  EXPECT_EQ(InstallSignalConfig(noDocuments, 1), L"Failed to access:[" + noDocuments.documentsFolder + L"]");
  noDocuments.documentsFolder.clear();
  EXPECT_EQ(InstallSignalConfig(noDocuments, 1), L"Failed to access:[]");

  ASSERT_TRUE(WriteBytes(places_.documentsFolder + L"Velmar", "a file where the folder belongs"));
  EXPECT_EQ(InstallSignalConfig(places_, 1), L"Failed to create folder:" + places_.documentsFolder + L"Velmar\\pelk\\");

  ASSERT_TRUE(g_files.CreateFolderPath(TempCopy()));  // a folder where the copy belongs
  EXPECT_EQ(InstallSignalConfig(places_, 2), L"Failed to install the configuration file!");
}

}  // namespace
