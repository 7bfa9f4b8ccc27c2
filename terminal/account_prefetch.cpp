#include "terminal/account_prefetch.h"

#include <optional>
#include <system_error>
#include <utility>

#include "common/parallel.h"
#include "terminal/data_folder_map.h"
#include "terminal/folder_presence.h"
#include "terminal/mt_assist.h"

void AccountPrefetch::Start(std::vector<std::wstring> installFolders, std::wstring dataRoot) {
  Take();
  try {
    thread_ = std::thread([this, folders = std::move(installFolders), root = std::move(dataRoot)] {
      const DataFolderMap dataFolders(root);
      std::vector<std::optional<std::wstring>> accounts(folders.size());
      ForEachInParallel(folders.size(), [&](std::size_t i) {
        // A drive that is not there is left to the load, which tells it apart.
        if (PresenceOfFolder(folders[i]) == FolderPresence::kPresent) {
          accounts[i] = g_mtAssist.ReadAccountFromLogs(folders[i], dataFolders);
        }
      });
      for (std::size_t i = 0; i < folders.size(); ++i) {
        if (accounts[i]) accounts_.emplace(folders[i], std::move(*accounts[i]));
      }
    });
  } catch (const std::system_error&) {
    // No thread: the load reads every terminal itself.
  }
}

AccountPrefetch::Accounts AccountPrefetch::Take() {
  if (thread_.joinable()) thread_.join();
  return std::exchange(accounts_, {});
}
