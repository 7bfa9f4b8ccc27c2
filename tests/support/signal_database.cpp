#include "tests/support/signal_database.h"

#include <windows.h>
#include <sqlite3.h>

bool MakeSignalDatabase(const std::wstring& path) {
  char utf8[MAX_PATH * 3] = {};
  WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, utf8, sizeof(utf8), nullptr, nullptr);
  sqlite3* db = nullptr;
  const bool opened = sqlite3_open_v2(utf8, &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK;
  const bool made = opened && sqlite3_exec(db, "create table if not exists signals(id integer);", nullptr, nullptr,
                                           nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return made;
}
