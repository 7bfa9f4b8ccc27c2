#include "common/change_watch.h"
#include "common/file_ctrl.h"
#include "common/file_failure.h"
#include "common/path_text.h"
#include "common/seams.h"
#include "common/unique_handle.h"

namespace {

std::wstring WithoutTrailingBackslashes(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

// An empty path names the current root here.
std::wstring AsFolderPrefix(std::wstring path) {
  if (path.empty() || path.back() != L'\\') path += L'\\';
  return path;
}

bool IsDotEntry(const wchar_t* name) { return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0; }

}  // namespace

int CFileCtrl::CopyFileTo(const std::wstring& source, const std::wstring& target, bool overwrite,
                          DWORD* error) const {
  if (ToLower(source) == ToLower(target)) return kCopySamePath;
  if (!overwrite && FileExists(target)) return kCopyDone;
  CreateFolderPath(ParentFolderOf(target));
  const DWORD failure = ReplaceFileWithCopy(source, target);
  if (!failure) return kCopyDone;
  NoteFileFailure(failure);
  if (error) *error = failure;
  return kCopyRefused;
}

int CFileCtrl::MoveFileTo(const std::wstring& source, const std::wstring& target, bool overwrite) const {
  if (ToLower(source) == ToLower(target)) return kCopySamePath;
  if (!overwrite && FileExists(target)) return kCopyDone;
  NoteChange(source, FileChange::kDelete);
  NoteChange(target, FileChange::kWrite);
  // Replacing in one call keeps the old target when the move fails.
  const DWORD flags = MOVEFILE_COPY_ALLOWED | (overwrite ? MOVEFILE_REPLACE_EXISTING : 0);
  return MoveFileExW(source.c_str(), target.c_str(), flags) ? kCopyDone : kCopyRefused;
}

int CFileCtrl::CopyFolder(const std::wstring& source, const std::wstring& target, bool overwrite) const {
  const std::wstring from = AsFolderPrefix(source);
  const std::wstring to = AsFolderPrefix(target);
  if (ToLower(from) == ToLower(to)) return kCopySamePath;
  if (source.empty() || !FolderExists(source)) return kCopyNoSource;
  // A target inside the source would be copied into itself without end.
  if (ToLower(to).starts_with(ToLower(from))) return kCopyRefused;
  if (FolderExists(target)) {
    if (!overwrite) return kCopyDone;
    DeleteFolder(target);
    Wait().Sleep(500);  // lets the file system finish the removal before the folder is made again
    if (FolderExists(target)) return kCopySamePath;
  }
  CreateFolderPath(to);
  WIN32_FIND_DATAW entry{};
  UniqueFind find(FindFirstFileW((from + L"*").c_str(), &entry));
  if (!find) return kCopyDone;
  do {
    if (IsDotEntry(entry.cFileName)) continue;
    const std::wstring child = from + entry.cFileName;
    const std::wstring copy = to + entry.cFileName;
    int result = kCopyDone;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      result = CopyFolder(child, copy, overwrite);
    } else if (!CopyFileW(child.c_str(), copy.c_str(), TRUE)) {  // the target folder was made afresh
      result = kCopyRefused;
    }
    if (result != kCopyDone) return result;
  } while (FindNextFileW(find.Get(), &entry));
  return kCopyDone;
}

bool CFileCtrl::CreateFolderPath(const std::wstring& path) const {
  if (path.empty() || PathKind(path) != kPathNone) return true;
  const std::wstring parent = ParentFolderOf(path);
  if (!parent.empty() && parent != path && !FolderExists(parent)) CreateFolderPath(parent);
  return CreateDirectoryW(path.c_str(), nullptr) && FolderExists(path);
}

bool CFileCtrl::DeleteOneFile(const std::wstring& path) const {
  if (!FileExists(path)) return true;
  NoteChange(path, FileChange::kDelete);
  return DeleteFileW(path.c_str()) != FALSE;
}

bool CFileCtrl::DeleteFolder(const std::wstring& path) const {
  const std::wstring base = WithoutTrailingBackslashes(path);
  WIN32_FIND_DATAW entry{};
  UniqueFind find(FindFirstFileW((base + L"\\*").c_str(), &entry));
  if (find) {
    do {
      if (IsDotEntry(entry.cFileName)) continue;
      const std::wstring child = base + L"\\" + entry.cFileName;
      SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT && entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryW(child.c_str());  // a linked folder goes, never what it points to
      } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteFolder(child);
      } else {
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(find.Get(), &entry));
  }
  find.Reset();
  return RemoveDirectoryW(base.c_str()) != FALSE;
}
