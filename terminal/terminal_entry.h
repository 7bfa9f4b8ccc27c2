#pragma once
#include <string>

// One terminal as a row of the terminal list.
struct TerminalEntry {
  bool ticked = false;
  std::wstring installFolder;  // no trailing backslash, except a drive root "X:\"
  std::wstring account;
  std::wstring role;  // "Provider", "Receiver", "EA" or ""
  std::wstring state;
};

std::wstring LowerCaseText(std::wstring text);
// Drops trailing and leading backslashes of a folder that ends with one; a drive root
// keeps its form and a network path keeps its leading "\\".
std::wstring NormalizeInstallFolder(std::wstring folder);
// Equal keys mean the same terminal.
std::wstring RowKey(const std::wstring& installFolder);
// The lower-cased folder with a trailing backslash, which the paths of the terminals
// running from it or from its subfolders begin with.
std::wstring TerminalFolderPrefix(const std::wstring& installFolder);
// The folder of a running terminal's executable without trailing backslashes, so one
// installed in a drive root gives "C:".
std::wstring RunningTerminalFolder(const std::wstring& exePath);
