#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "terminal/terminal_entry.h"

// A folder is a terminal folder when it holds one of the programs or program folders and
// one of the data folders; each list is in the order the folder test probes it.
inline constexpr const wchar_t* kTerminalProgramNames[] = {
    L"terminal.exe",     L"metaeditor.exe", L"mql.exe", L"terminal64.exe", L"metaeditor64.exe",
    L"mql64.exe",        L"experts",        L"MQL4",    L"MQL5"};
inline constexpr const wchar_t* kTerminalDataNames[] = {L"config", L"history", L"profiles", L"Sounds", L"templates"};

// The folder the terminal-folder test examines for a path: lower-cased, with the EA folder
// names taken out so a path into them leads back to the terminal, an .exe replaced by its
// folder, and a trailing backslash.
std::wstring TerminalTestFolder(const std::wstring& path);
// True when the entry names of one folder (already lower-cased) make it a terminal folder.
bool NamesMakeTerminalFolder(const std::vector<std::wstring>& lowerNames);
// The lower-cased, cleaned folder with trailing backslash in which the executable is looked for.
std::wstring TerminalExeFolder(const std::wstring& path);

// The installation folder an origin.txt text names: lower-cased, trailing backslash.
std::wstring OriginInstallFolder(const std::wstring& text);
// The terminal names its journals by date: eight digits, ".log".
bool IsJournalFileName(const std::wstring& fileName);
// The journals among these paths, newest first: by name, since only NTFS lists by name.
std::vector<std::wstring> JournalsNewestFirst(std::vector<std::wstring> paths);
// The account of the last login line of a journal, else of its first authorisation line.
std::wstring AccountFromJournal(const std::wstring& text);
// False when a journal's bytes cannot hold a line AccountFromJournal finds: they are not
// UTF-16 and hold neither marker. Every system code page writes the markers' characters as
// these ASCII bytes and no other character as them, so most journals need no decoding.
bool JournalMayNameAccount(std::string_view bytes);

// True when a row has this install folder; slashes at either end and letter case do not count.
bool IsListed(const std::wstring& path, const std::vector<TerminalEntry>& rows);

// The folder of the program a shell MUICache value name records, or "" when the name
// holds no path.
std::wstring MuiCacheProgramFolder(const std::wstring& valueName);
// A found folder without trailing backslashes; a bare drive becomes its root "X:\".
std::wstring FoundFolder(std::wstring folder);

// Appends an unticked row for every candidate (each followed by "|") whose row key is not
// listed yet and that is no EA folder; returns how many were added.
std::size_t AppendFoundTerminals(std::vector<TerminalEntry>& rows, const std::wstring& candidates);
