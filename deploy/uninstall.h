#pragma once
#include <string>

#include "deploy/uninstall_text.h"

// The copier file lists for an installer started from installerFolder.
CopierFileLists ReadCopierFileLists(const std::wstring& installerFolder, bool withFixedNames);

// Removes the copier from both code roots of a terminal (folder with a trailing backslash) and
// cleans their charts. A running terminal is left untouched. Returns an uninstall code.
std::wstring UninstallTerminal(const std::wstring& terminalFolder, const std::wstring& installerFolder);

// Removes the listed files from one code root and cleans its profile's charts. "" when no EA file
// was there and no library failed; otherwise the last EA file removed or not decides between
// "1000" and "1001", and a library that stays gives "1001" when no EA file follows.
std::wstring RemoveCopierFiles(const std::wstring& root, const std::wstring& libraryList,
                               const std::wstring& eaList, const std::wstring& templateList);
