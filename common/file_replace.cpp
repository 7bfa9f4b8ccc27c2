#include <functional>
#include <vector>

#include "common/change_watch.h"
#include "common/content_digest.h"
#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/unique_handle.h"

namespace {

DWORD CopyBytes(HANDLE from, HANDLE to, ContentDigest* digest) {
  constexpr DWORD kBlock = 1 << 16;
  std::vector<char> buffer(kBlock);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(from, buffer.data(), kBlock, &read, nullptr)) return GetLastError();
    if (read == 0) return ERROR_SUCCESS;
    if (digest) digest->Add(buffer.data(), read);
    if (const DWORD error = WriteBlock(to, buffer.data(), read)) return error;
  }
}

DWORD WriteCopy(const std::wstring& source, HANDLE to, ContentDigest* digest) {
  UniqueHandle from(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!from) return GetLastError();
  if (const DWORD error = CopyBytes(from.Get(), to, digest)) return error;
  FILETIME written{};
  if (GetFileTime(from.Get(), nullptr, nullptr, &written)) SetFileTime(to, nullptr, nullptr, &written);
  return ERROR_SUCCESS;
}

DWORD WriteTemporary(const std::wstring& temporary, const std::function<DWORD(HANDLE)>& write) {
  UniqueHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
  if (!file) return GetLastError();
  if (const DWORD error = write(file.Get())) return error;
  return FlushFileBuffers(file.Get()) ? ERROR_SUCCESS : GetLastError();
}

DWORD MoveIntoPlace(const std::wstring& temporary, const std::wstring& target) {
  return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? ERROR_SUCCESS
             : GetLastError();
}

// ReplaceFileW keeps the old file's attributes and security. It may fail after removing the old
// file (ERROR_UNABLE_TO_MOVE_REPLACEMENT): the new content, whole in the temporary file, then
// takes the name by a plain move.
DWORD TakeTargetName(const std::wstring& temporary, const std::wstring& target) {
  if (ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    return ERROR_SUCCESS;
  }
  const DWORD error = GetLastError();
  if (FileExists(target)) return error;
  return MoveIntoPlace(temporary, target) == ERROR_SUCCESS ? ERROR_SUCCESS : error;
}

// A target held by another program fails here, before the copy and before ReplaceFileW, which
// may leave a file of its own behind when it fails. Taking the name needs delete access too: a
// holder that shares writing but not deleting still blocks the replacement.
DWORD CheckTargetWritable(const std::wstring& target) {
  UniqueHandle file(CreateFileW(target.c_str(), GENERIC_WRITE | DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  return file ? ERROR_SUCCESS : GetLastError();
}

}  // namespace

DWORD WriteBlock(HANDLE file, const char* bytes, DWORD size) {
  DWORD written = 0;
  if (!WriteFile(file, bytes, size, &written, nullptr)) return GetLastError();
  return written == size ? ERROR_SUCCESS : ERROR_DISK_FULL;
}

DWORD ReplaceFileThrough(const std::wstring& target, const std::function<DWORD(HANDLE)>& write) {
  NoteChange(target, FileChange::kWrite);
  const bool existed = FileExists(target);
  if (existed) {
    if (const DWORD error = CheckTargetWritable(target)) return error;
  }
  std::wstring folder = ParentFolderOf(target);
  if (folder.empty()) folder = L".";
  wchar_t temporary[MAX_PATH] = {};
  // The temporary name lies in the target's folder so that taking the name never copies.
  if (!GetTempFileNameW(folder.c_str(), L"pdk", 0, temporary)) return GetLastError();
  DWORD error = WriteTemporary(temporary, write);
  if (!error) error = existed ? TakeTargetName(temporary, target) : MoveIntoPlace(temporary, target);
  // With the old file gone, the temporary one holds the only whole content.
  if (error && (!existed || FileExists(target))) DeleteFileW(temporary);
  return error;
}

DWORD ReplaceFileWithCopy(const std::wstring& source, const std::wstring& target) {
  // A recorded run learns what it wrote without reading it again.
  ContentDigest digest;
  ContentDigest* feed = Watching() ? &digest : nullptr;
  const DWORD error = ReplaceFileThrough(target, [&](HANDLE to) { return WriteCopy(source, to, feed); });
  if (!error && feed) NoteWritten(target, digest.Text());
  return error;
}
