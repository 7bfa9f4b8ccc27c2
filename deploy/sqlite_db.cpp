#include "deploy/sqlite_db.h"

#include <windows.h>
#include <sqlite3.h>

#include "common/file_ctrl.h"

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring Wide(const char* utf8) {
  if (!utf8 || !*utf8) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring out(size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out.data(), size);
  out.resize(size > 0 ? size - 1 : 0);
  return out;
}

}  // namespace

CSQLite::~CSQLite() { Close(); }

bool CSQLite::Open(const std::wstring& path, bool skipExistenceCheck) {
  errorText_.clear();
  Close();
  const std::wstring file = path.empty() ? path_ : path;
  if (file.empty()) {
    errorText_ = L"SLT#Please input file path!";
    return false;
  }
  if (!skipExistenceCheck && !FileExists(file)) {
    errorText_ = L"SLT#File not found!";
    return false;
  }
  path_ = file;
  const int status = sqlite3_open_v2(Utf8(file).c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (status == SQLITE_OK) return true;
  errorText_ = db_ ? Wide(sqlite3_errmsg(db_)) : Wide(sqlite3_errstr(status));
  Close();
  return false;
}

void CSQLite::Close() {
  if (db_) sqlite3_close(db_);
  db_ = nullptr;
}
