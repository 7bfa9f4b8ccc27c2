#pragma once
#include <string>

#include "common/edition.h"

// The process-wide product settings, built once before the main window opens.
struct ProductSettings {
  const EditionProfile* edition = &DefaultEdition();
  std::wstring displayName;
  std::wstring installerVersion;  // the installer's own file version
  std::wstring dataFolder;        // where tcinst.cfg lives
  std::wstring configFolder;
  std::wstring workFolder;        // temporary files
};

extern ProductSettings g_product;

struct DataFolderSources {
  int type = 2;
  std::wstring moduleFolder;
  std::wstring appDataFolder;
  std::wstring documentsFolder;
  std::wstring makerWord;
  std::wstring productCode;
  std::wstring shortName;
};

// The installer's data folder with a trailing backslash; "" for an unknown type or a
// base folder that could not be found.
std::wstring InstallerDataFolder(const DataFolderSources& sources);

// Initialises the catalog, the settings and the installer's folders from the active edition.
void InitProductSettings();
