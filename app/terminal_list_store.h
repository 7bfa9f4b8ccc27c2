#pragma once
#include <string>
#include <vector>

#include "app/terminal_rows.h"
#include "terminal/account_prefetch.h"

// The list's rows as the settings file keeps them ("PATH"), and back.

// tcinst.cfg in the installer's data folder; "" when there is none.
std::wstring SettingsFilePath();
// The install folders the settings file holds, read without the window so that their journals
// can be read while it is made.
std::vector<std::wstring> StoredFolders(const std::wstring& settingsFile);
// The stored terminals that are still there, joined by the running ones the list lacks, each
// with its account (from readAhead when it has the folder).
std::vector<TerminalEntry> LoadRows(const std::wstring& stored, const AccountPrefetch::Accounts& readAhead);
void StoreRows(const TerminalRows& rows);
