#include "terminal/account_prefetch.h"

#include <optional>
#include <utility>

#include "common/parallel.h"
#include "terminal/data_folder_map.h"
#include "terminal/folder_presence.h"
#include "terminal/mt_assist.h"

void AccountPrefetch::Start(std::vector<std::wstring> installFolders, std::wstring dataRoot) {
  accounts_.Start([folders = std::move(installFolders), root = std::move(dataRoot)] {
    const DataFolderMap dataFolders(root);
    std::vector<std::optional<std::wstring>> read(folders.size());
    ForEachInParallel(folders.size(), [&](std::size_t i) {
      // A drive that is not there is left to the load, which tells it apart.
      if (PresenceOfFolder(folders[i]) == FolderPresence::kPresent) {
        read[i] = g_mtAssist.ReadAccountFromLogs(folders[i], dataFolders);
      }
    });
    Accounts accounts;
    for (std::size_t i = 0; i < folders.size(); ++i) {
      if (read[i]) accounts.emplace(folders[i], std::move(*read[i]));
    }
    return accounts;
  });
}
