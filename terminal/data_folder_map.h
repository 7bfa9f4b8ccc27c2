#pragma once
#include <string>
#include <utility>
#include <vector>

// The per-user data folders of one data root, with their origin.txt read once, so that a
// pass over many rows lists the root and reads each origin.txt a single time. It answers
// as CMTAssist::GetDataFolder does: the folder named by the install path's id first,
// then the first folder in listing order whose origin.txt names the install folder.
class DataFolderMap {
 public:
  explicit DataFolderMap(const std::wstring& dataRoot);
  // The data folder with a trailing backslash, or "".
  std::wstring Find(const std::wstring& installFolder) const;

 private:
  std::wstring root_;
  // Lower-cased install folder from origin.txt, and its data folder with a backslash.
  std::vector<std::pair<std::wstring, std::wstring>> origins_;
};
