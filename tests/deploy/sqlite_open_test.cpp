#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "tests/support/temp_folder.h"

namespace {

std::string Utf8(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += static_cast<char>(c);  // test paths are ASCII
  return out;
}

TEST(SqliteLibrary, OpensReadWriteAndReportsItsOwnErrorText) {
  TempFolder folder;
  sqlite3* db = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  ASSERT_EQ(flags, 6);
  ASSERT_EQ(sqlite3_open_v2(Utf8(folder / L"signals.sin").c_str(), &db, flags, nullptr), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, "create table t(x); insert into t values(1);", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);

  db = nullptr;
  const std::string missing = Utf8(folder / L"no\\such\\folder\\signals.sin");
  EXPECT_EQ(sqlite3_open_v2(missing.c_str(), &db, flags, nullptr), SQLITE_CANTOPEN);
  EXPECT_STREQ(sqlite3_errmsg(db), "unable to open database file");
  sqlite3_close(db);
}

}  // namespace
