#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/run_policy.h"

class FileTree;

// What the start-up update needs from the main window.
struct AutoUpdateRequest {
  std::vector<std::wstring> terminalFolders;  // the list's rows, in order
  std::wstring installerFolder;               // with a trailing backslash
  std::wstring installerVersion;              // the copier version read at start-up
  RunPolicy* policy = nullptr;                // its question and notices; none: the prompt seam
  std::function<void()> betweenTerminals;     // lets pending window messages run
  const FileTree* installerFiles = nullptr;   // the installer folder's files when already listed
};

// Brings the copier files of every listed terminal whose copier DLL is older than the
// installer's up to the installer's, after the user agrees once. Runs once per installer
// version: "V" in the settings keeps the version whose pass replaced everything, so a pass
// the user declined or that failed somewhere comes again at the next start; a failure is shown
// naming its terminals and reasons. With no terminal listed nothing runs. Terminals closed to
// free their DLL are started again at the end. False when a file kept its old version.
bool AutoUpdateTerminals(const AutoUpdateRequest& request);
