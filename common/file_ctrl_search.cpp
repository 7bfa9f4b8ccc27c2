#include "common/file_ctrl.h"
#include "common/file_tree.h"
#include "common/path_text.h"
#include "common/unique_handle.h"

namespace {

std::wstring WithoutTrailingBackslashes(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

bool IsDotEntry(const wchar_t* name) { return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0; }

void Collect(const std::wstring& folder, const std::vector<std::wstring>& masks, bool recursive, bool folders,
             std::vector<std::wstring>& out) {
  WIN32_FIND_DATAW entry{};
  for (const std::wstring& mask : masks) {
    UniqueFind find(FindFirstFileW((folder + L"\\" + mask).c_str(), &entry));
    if (!find) continue;
    do {
      // The system also matches masks against short 8.3 names; only the long name counts.
      if (IsDotEntry(entry.cFileName) || !MatchesMask(entry.cFileName, mask)) continue;
      const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      if (isFolder == folders) out.push_back(folder + L"\\" + entry.cFileName);
    } while (FindNextFileW(find.Get(), &entry));
  }
  if (!recursive) return;
  UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &entry));
  if (!find) return;
  do {
    // Linked folders are not followed: a link back up the tree would never end.
    const DWORD attributes = entry.dwFileAttributes;
    if (IsDotEntry(entry.cFileName) || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      continue;
    }
    Collect(folder + L"\\" + entry.cFileName, masks, true, folders, out);
  } while (FindNextFileW(find.Get(), &entry));
}

void Search(const std::wstring& folderOrPattern, std::vector<std::wstring>& out, bool recursive,
            const std::wstring& masks, bool folders) {
  out.clear();
  std::wstring folder = WithoutTrailingBackslashes(folderOrPattern);
  std::wstring maskList = masks;
  if (folder.find_first_of(L"*?", 1) != std::wstring::npos) {
    if (maskList.empty()) maskList = FileNameOf(folder, true);
    folder = WithoutTrailingBackslashes(ParentFolderOf(folder));
  }
  if (folder.empty() || !FolderExists(folder)) return;
  Collect(folder, SplitMasks(maskList), recursive, folders, out);
}

}  // namespace

void CFileCtrl::FindFiles(const std::wstring& folderOrPattern, std::vector<std::wstring>& outList, bool recursive,
                          const std::wstring& masks) const {
  Search(folderOrPattern, outList, recursive, masks, false);
}

void CFileCtrl::FindFolders(const std::wstring& folderOrPattern, std::vector<std::wstring>& outList,
                            bool recursive) const {
  Search(folderOrPattern, outList, recursive, L"", true);
}

std::wstring CFileCtrl::FindFileInFolder(const std::wstring& folder, const std::wstring& namePart) const {
  return FileTree(folder).FirstContaining(namePart);
}

std::wstring CFileCtrl::FindFileInModuleFolder(const std::wstring& namePart) const {
  return FindFileInFolder(GetModuleFolder(), namePart);
}

void CFileCtrl::FindAllFilesInFolder(const std::wstring& folder, std::vector<std::wstring>& outList,
                                     const std::wstring& namePart) const {
  const std::vector<std::wstring> found = FileTree(folder).AllContaining(namePart);
  outList.insert(outList.end(), found.begin(), found.end());
}

void CFileCtrl::FindAllFilesInModuleFolder(std::vector<std::wstring>& outList, const std::wstring& namePart) const {
  FindAllFilesInFolder(GetModuleFolder(), outList, namePart);
}

double CFileCtrl::GetFileLength(const std::wstring& path) const {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (file && GetFileSizeEx(file.Get(), &size)) return static_cast<double>(size.QuadPart);
  WIN32_FIND_DATAW entry{};
  UniqueFind find(FindFirstFileW(path.c_str(), &entry));
  if (!find) return -1;
  return static_cast<double>(static_cast<ULONGLONG>(entry.nFileSizeHigh) << 32 | entry.nFileSizeLow);
}

std::wstring CFileCtrl::LargestFile(const std::vector<std::wstring>& files) const {
  std::wstring largest;
  double largestSize = -1;
  for (const std::wstring& file : files) {
    const double size = GetFileLength(file);
    if (size > largestSize) {
      largest = file;
      largestSize = size;
    }
  }
  return largest;
}
