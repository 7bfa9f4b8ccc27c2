#include "terminal/data_folder_map.h"

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "terminal/data_folder_id.h"
#include "terminal/terminal_probe_text.h"

DataFolderMap::DataFolderMap(const std::wstring& dataRoot) : root_(dataRoot) {}

void DataFolderMap::ListRoot() const {
  g_files.FindFolders(root_, dataFolders_, false);
  origins_.resize(dataFolders_.size());
  for (const std::wstring& folder : dataFolders_) names_.insert(ToLower(FileNameOf(folder, true)));
  listed_ = true;
}

void DataFolderMap::ReadOrigins() const {
  std::call_once(rootListed_, [this] { ListRoot(); });
  originReads_.Run(dataFolders_.size(), [this](std::size_t i) {
    const std::wstring& dataFolder = dataFolders_[i];
    origins_[i] = {OriginInstallFolder(g_files.ReadTextFile(dataFolder + L"\\origin.txt")), dataFolder + L"\\"};
  });
}

bool DataFolderMap::HasFolder(const std::wstring& name) const {
  if (listed_) return names_.contains(ToLower(name));
  return FolderExists(WithTrailingBackslash(root_) + name);
}

std::wstring DataFolderMap::Find(const std::wstring& installFolder) const {
  if (installFolder.empty() || root_.empty()) return {};
  const std::wstring id = TerminalDataId(installFolder);
  if (HasFolder(id)) return WithTrailingBackslash(root_) + id + L"\\";
  ReadOrigins();
  const std::wstring wanted = ToLower(WithTrailingBackslash(installFolder));
  for (const auto& [origin, dataFolder] : origins_) {
    if (origin == wanted) return dataFolder;
  }
  return {};
}
