#include "common/file_tree.h"

#include <windows.h>

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/unique_handle.h"

namespace {

bool IsDotEntry(const wchar_t* name) { return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0; }

}  // namespace

FileTree::FileTree(const std::wstring& folder) {
  std::wstring root = folder;
  while (!root.empty() && root.back() == L'\\') root.pop_back();
  if (!root.empty() && FolderExists(root)) List(root);
}

void FileTree::List(const std::wstring& folder) {
  const std::size_t index = folders_++;
  std::vector<std::wstring> subfolders;
  WIN32_FIND_DATAW entry{};
  UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &entry));
  if (!find) return;
  do {
    if (IsDotEntry(entry.cFileName)) continue;
    const DWORD attributes = entry.dwFileAttributes;
    const std::wstring path = folder + L"\\" + entry.cFileName;
    // Linked folders are not followed: a link back up the tree would never end.
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      files_.push_back({index, path});
    } else if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      subfolders.push_back(path);
    }
  } while (FindNextFileW(find.Get(), &entry));
  find.Reset();
  for (const std::wstring& subfolder : subfolders) List(subfolder);
}

std::vector<std::wstring> FileTree::Matching(const std::wstring& masks) const {
  const std::vector<std::wstring> maskList = SplitMasks(masks);
  std::vector<std::wstring> found;
  // Each folder gives the files of its first mask, then of the next, as separate searches do.
  for (std::size_t start = 0, end = 0; start < files_.size(); start = end) {
    while (end < files_.size() && files_[end].folder == files_[start].folder) ++end;
    for (const std::wstring& mask : maskList) {
      for (std::size_t i = start; i < end; ++i) {
        if (MatchesMask(FileNameOf(files_[i].path, true), mask)) found.push_back(files_[i].path);
      }
    }
  }
  return found;
}

std::vector<std::wstring> FileTree::Containing(const std::wstring& namePart, bool firstOnly) const {
  std::wstring part;
  for (wchar_t c : ToLower(namePart)) {
    if (c != L'*') part += c;
  }
  std::vector<std::wstring> found;
  if (part.empty()) return found;
  for (const Entry& file : files_) {
    if (ToLower(file.path).find(part, 1) == std::wstring::npos) continue;
    found.push_back(file.path);
    if (firstOnly) break;
  }
  return found;
}

std::wstring FileTree::FirstContaining(const std::wstring& namePart) const {
  const std::vector<std::wstring> found = Containing(namePart, true);
  return found.empty() ? std::wstring() : ToLower(found.front());
}

std::vector<std::wstring> FileTree::AllContaining(const std::wstring& namePart) const {
  return Containing(namePart, false);
}
