#pragma once
#include <string>

// A small real SQLite database, as a package's signal database is.
bool MakeSignalDatabase(const std::wstring& path);
