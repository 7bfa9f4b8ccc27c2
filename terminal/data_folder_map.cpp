#include "terminal/data_folder_map.h"

#include "common/file_ctrl.h"
#include "common/parallel.h"
#include "common/path_text.h"
#include "terminal/data_folder_id.h"
#include "terminal/terminal_probe_text.h"

DataFolderMap::DataFolderMap(const std::wstring& dataRoot) : root_(dataRoot) {}

void DataFolderMap::ReadOrigins() const {
  std::vector<std::wstring> dataFolders;
  g_files.FindFolders(root_, dataFolders, false);
  origins_.resize(dataFolders.size());
  for (const std::wstring& folder : dataFolders) names_.insert(ToLower(FileNameOf(folder, true)));
  ForEachInParallel(dataFolders.size(), [&](std::size_t i) {
    const std::wstring& dataFolder = dataFolders[i];
    origins_[i] = {OriginInstallFolder(g_files.ReadTextFile(dataFolder + L"\\origin.txt")), dataFolder + L"\\"};
  });
  listed_ = true;
}

bool DataFolderMap::HasFolder(const std::wstring& name) const {
  if (listed_) return names_.contains(ToLower(name));
  return FolderExists(WithTrailingBackslash(root_) + name);
}

std::wstring DataFolderMap::Find(const std::wstring& installFolder) const {
  if (installFolder.empty() || root_.empty()) return {};
  const std::wstring id = TerminalDataId(installFolder);
  if (HasFolder(id)) return WithTrailingBackslash(root_) + id + L"\\";
  std::call_once(originsRead_, [this] { ReadOrigins(); });
  const std::wstring wanted = ToLower(WithTrailingBackslash(installFolder));
  for (const auto& [origin, dataFolder] : origins_) {
    if (origin == wanted) return dataFolder;
  }
  return {};
}
