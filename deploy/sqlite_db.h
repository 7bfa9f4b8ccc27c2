#pragma once
#include <string>

struct sqlite3;

// Owns one SQLite connection; used only to prove that a database file opens read-write.
class CSQLite {
 public:
  CSQLite() = default;
  // Closes a connection still open: a leaked one would keep the file locked.
  virtual ~CSQLite();
  CSQLite(const CSQLite&) = delete;
  CSQLite& operator=(const CSQLite&) = delete;

  // Opens path (or the stored path when empty) read-write, creating it when missing.
  // Without skipExistenceCheck a path that is no existing file is refused. On failure the
  // error text says why: "SLT#..." for refusals, SQLite's own message otherwise.
  bool Open(const std::wstring& path, bool skipExistenceCheck);
  void Close();

  bool IsOpen() const { return db_ != nullptr; }
  const std::wstring& ErrorText() const { return errorText_; }
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring errorText_;
  sqlite3* db_ = nullptr;
  std::wstring path_;
};
