#pragma once
#include <string>
#include <vector>

// The files below one folder from a single walk of its tree, each folder listed once, in the
// order the recursive FindFiles gives them: the searches of the installer's folder at start-up
// share one walk instead of paying for the whole tree each.
class FileTree {
 public:
  FileTree() = default;
  explicit FileTree(const std::wstring& folder);

  // As FindFiles(folder, out, true, masks).
  std::vector<std::wstring> Matching(const std::wstring& masks) const;
  // As FindFileInFolder and FindAllFilesInFolder: files whose lower-cased path holds the part
  // after its first character.
  std::wstring FirstContaining(const std::wstring& namePart) const;
  std::vector<std::wstring> AllContaining(const std::wstring& namePart) const;

 private:
  struct Entry {
    std::size_t folder;  // the files of one folder are next to each other
    std::wstring path;
  };
  void List(const std::wstring& folder);
  std::vector<std::wstring> Containing(const std::wstring& namePart, bool firstOnly) const;

  std::vector<Entry> files_;
  std::size_t folders_ = 0;
};
