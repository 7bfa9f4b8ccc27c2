#pragma once
#include <windows.h>

#include <string>
#include <vector>

// What one package deployment has met so far; reset for each package.
struct DeployState {
  std::wstring errorText;  // the first failure, "" while none
  // Kept for diagnosis only: a deployment closes a running terminal and starts it again, so
  // neither a restart nor a reload is ever left for the user to do.
  bool executableReplaced = false;
  bool executableAdded = false;
  ULONGLONG neededBytes = 0;         // what the package writes into the current root
  std::vector<std::wstring> written;  // target files replaced or added, in order
};

// The files of folder matching masks, each once.
std::vector<std::wstring> ListPackageFiles(const std::wstring& folder, const std::wstring& masks);

// Copies the files of sourceFolder matching masks flat into targetFolder, each file once.
// The name of every file deployed or already equal is appended to list followed by ",",
// except a ".mq4" file whose ".ex4" twin lies beside it. The first file that cannot be
// written sets the error text and ends the folder; with an error already set nothing is done.
// Returns the count of files deployed or already equal.
int DeployFolder(const std::wstring& sourceFolder, const std::wstring& masks, const std::wstring& targetFolder,
                 std::wstring& list, bool overwrite, DeployState& state);
