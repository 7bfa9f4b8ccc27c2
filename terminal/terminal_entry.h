#pragma once
#include <string>

// One terminal as a row of the terminal list.
struct TerminalEntry {
  bool ticked = false;
  std::wstring installFolder;  // no trailing backslash, except a drive root "X:\"
  std::wstring account;
  std::wstring role;  // "Provider", "Receiver", "EA" or ""
  std::wstring state;
  std::wstring copier;  // the Copier column: what the last check of its copier found
  bool unavailable = false;  // its drive or share is not there now; the state is kept for later
};

std::wstring LowerCaseText(std::wstring text);
// Drops trailing and leading backslashes of a folder that ends with one; a drive root
// keeps its form, a bare drive becomes its root and a network path keeps its leading "\\".
std::wstring NormalizeInstallFolder(std::wstring folder);
// Equal keys mean the same terminal.
std::wstring RowKey(const std::wstring& installFolder);
// The lower-cased folder with a trailing backslash, which the paths of the terminals
// running from it or from its subfolders begin with.
std::wstring TerminalFolderPrefix(const std::wstring& installFolder);
// True when a running terminal's lower-cased executable path belongs to the row's folder:
// one in it or below it, except that a drive or share root owns only what runs in the root.
bool RunsUnder(const std::wstring& lowerExePath, const std::wstring& installFolder);
// The folder of a running terminal's executable without trailing backslashes, so one
// installed in a drive root gives "C:".
std::wstring RunningTerminalFolder(const std::wstring& exePath);
