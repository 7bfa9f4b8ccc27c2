#pragma once
#include <string>

class FileTree;

enum SignalConfigMode : int {
  kSignalConfigDocuments = 1,
  kSignalConfigTemp = 2,
};

// Where the signal database comes from and where its per-user copy goes.
struct SignalConfigPlaces {
  std::wstring packageFolder;    // searched with its subfolders for orbix.sin and orbix.dll
  std::wstring documentsFolder;  // base folders of the copy, with trailing backslash
  std::wstring tempFolder;
  std::wstring subfolder;        // maker word + "\" + product code + "\"
};

// The places of this installer: its own folder, the user's documents and temporary folders.
SignalConfigPlaces DefaultSignalConfigPlaces();

// Puts one copy of the package's orbix.sin below the documents (or temporary) folder and
// proves that it opens. "SUCC" or the reason for the user.
std::wstring InstallSignalConfig(const SignalConfigPlaces& places, int mode);
// The same with the package folder's files already listed.
std::wstring InstallSignalConfig(const SignalConfigPlaces& places, int mode, const FileTree& packageFiles);
std::wstring InstallSignalConfig(int mode);
