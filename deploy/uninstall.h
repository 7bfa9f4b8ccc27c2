#pragma once
#include <string>

#include "common/run_policy.h"

#include "deploy/uninstall_text.h"

// The copier file lists for an installer started from installerFolder.
CopierFileLists ReadCopierFileLists(const std::wstring& installerFolder, bool withFixedNames);

// Removes the copier from both code roots of a terminal (folder with a trailing backslash) and
// cleans their charts. A running terminal is left untouched. Returns an uninstall code. Notices
// go through the policy.
std::wstring UninstallTerminal(const std::wstring& terminalFolder, const std::wstring& installerFolder,
                               RunPolicy* policy = nullptr);

// Removes the listed files from one code root and cleans its profile's charts. The worst of its
// files: "1001" when a library or EA file stays, else "1000" when one was removed, else "".
std::wstring RemoveCopierFiles(const std::wstring& root, const std::wstring& libraryList,
                               const std::wstring& eaList, const std::wstring& templateList,
                               RunPolicy* policy = nullptr);
