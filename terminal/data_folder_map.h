#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "common/parallel.h"

// The per-user data folders of one data root, so that a pass over many rows lists the root
// and reads each origin.txt a single time, and only when some row needs them. The folder
// named by the install path's id comes first: the terminal itself looks only there, and
// origin.txt is a hint that a copied data folder keeps. Then the first folder in listing
// order whose origin.txt names the install folder.
class DataFolderMap {
 public:
  explicit DataFolderMap(const std::wstring& dataRoot);
  // The data folder with a trailing backslash, or "".
  std::wstring Find(const std::wstring& installFolder) const;

 private:
  void ListRoot() const;
  void ReadOrigins() const;
  bool HasFolder(const std::wstring& name) const;

  std::wstring root_;
  // Rows are looked up from several threads at once; those that need the origins read them
  // together.
  mutable std::once_flag rootListed_;
  mutable SharedItems originReads_;
  mutable std::vector<std::wstring> dataFolders_;
  // Lower-cased install folder from origin.txt, and its data folder with a backslash.
  mutable std::vector<std::pair<std::wstring, std::wstring>> origins_;
  // Once the root is listed, the lower-cased names of its folders: a name that is not there
  // costs the system a look through the whole root, for each row.
  mutable std::unordered_set<std::wstring> names_;
  mutable std::atomic<bool> listed_{false};
};
