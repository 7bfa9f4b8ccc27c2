#include "deploy/signal_config.h"

#include <windows.h>

#include "common/file_ctrl.h"
#include "common/file_tree.h"
#include "common/path_text.h"
#include "common/product.h"
#include "common/system.h"
#include "deploy/engine_messages.h"
#include "deploy/sqlite_db.h"

namespace {

constexpr wchar_t kDatabaseName[] = L"orbix.sin";

// SQLite could not open the copy at all (not a matter of its contents).
bool CannotOpen(const std::wstring& target) {
  CSQLite db;
  const bool opened = db.Open(target, false);
  return !opened && ToLower(db.ErrorText()).find(L"unable to open") != std::wstring::npos;
}

// A copy of a read-only package file would be read-only too; SQLite would then open it
// read-only without complaint and the copier could never save its settings.
void MakeWritable(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
}

}  // namespace

SignalConfigPlaces DefaultSignalConfigPlaces() {
  const EditionProfile& edition = *g_product.edition;
  return {GetModuleFolder(), g_system.GetDocumentsFolder(), g_system.GetTempFolder(),
          std::wstring(edition.makerWord) + L"\\" + edition.productCode + L"\\"};
}

std::wstring InstallSignalConfig(const SignalConfigPlaces& places, int mode) {
  return InstallSignalConfig(places, mode, FileTree(places.packageFolder));
}

std::wstring InstallSignalConfig(const SignalConfigPlaces& places, int mode, const FileTree& packageFiles) {
  const std::wstring sinSource = packageFiles.FirstContaining(kDatabaseName);
  if (sinSource.empty()) {
    const bool dllPresent = !packageFiles.FirstContaining(L"orbix.dll").empty();
    return dllPresent ? L"Installation files not found!" : kOutcomeSuccess;
  }
  // Once a temporary copy exists it is the one the copier uses.
  if (!places.tempFolder.empty() && FileExists(places.tempFolder + places.subfolder + kDatabaseName)) {
    mode = kSignalConfigTemp;
  }
  const std::wstring base = mode == kSignalConfigTemp ? places.tempFolder : places.documentsFolder;
  if (base.empty() || !FolderExists(base)) return L"Failed to access:[" + base + L"]";
  const std::wstring folder = base + places.subfolder;
  if (!g_files.CreateFolderPath(folder) || !FolderExists(folder)) return L"Failed to create folder:" + folder;
  const std::wstring target = folder + kDatabaseName;
  const bool fresh = !FileExists(target);
  if (g_files.CopyFileTo(sinSource, target, false) != kCopyDone) {
    return FileExists(sinSource) ? L"Failed to install the configuration file!"
                                 : L"The configuration file cannot be found!";
  }
  if (fresh) MakeWritable(target);
  if (mode == kSignalConfigDocuments && CannotOpen(target)) return InstallSignalConfig(places, kSignalConfigTemp, packageFiles);
  return kOutcomeSuccess;
}

std::wstring InstallSignalConfig(int mode) { return InstallSignalConfig(DefaultSignalConfigPlaces(), mode); }
