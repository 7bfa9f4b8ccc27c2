#include <vector>

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/unique_handle.h"

namespace {

DWORD CopyBytes(HANDLE from, HANDLE to) {
  constexpr DWORD kBlock = 1 << 16;
  std::vector<char> buffer(kBlock);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(from, buffer.data(), kBlock, &read, nullptr)) return GetLastError();
    if (read == 0) return FlushFileBuffers(to) ? ERROR_SUCCESS : GetLastError();
    DWORD written = 0;
    if (!WriteFile(to, buffer.data(), read, &written, nullptr)) return GetLastError();
    if (written != read) return ERROR_DISK_FULL;
  }
}

DWORD WriteCopy(const std::wstring& source, const std::wstring& temporary) {
  UniqueHandle from(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!from) return GetLastError();
  UniqueHandle to(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
  if (!to) return GetLastError();
  if (const DWORD error = CopyBytes(from.Get(), to.Get())) return error;
  FILETIME written{};
  if (GetFileTime(from.Get(), nullptr, nullptr, &written)) SetFileTime(to.Get(), nullptr, nullptr, &written);
  return ERROR_SUCCESS;
}

// ReplaceFileW keeps the old file's attributes and security; a new name is taken in one move.
DWORD TakeTargetName(const std::wstring& temporary, const std::wstring& target) {
  const BOOL done = FileExists(target) ? ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                                      REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                                       : MoveFileExW(temporary.c_str(), target.c_str(),
                                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  return done ? ERROR_SUCCESS : GetLastError();
}

// A target held by another program fails here, before the copy and before ReplaceFileW, which
// may leave a file of its own behind when it fails.
DWORD CheckTargetWritable(const std::wstring& target) {
  if (!FileExists(target)) return ERROR_SUCCESS;
  UniqueHandle file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file ? ERROR_SUCCESS : GetLastError();
}

}  // namespace

DWORD ReplaceFileWithCopy(const std::wstring& source, const std::wstring& target) {
  if (const DWORD error = CheckTargetWritable(target)) return error;
  wchar_t temporary[MAX_PATH] = {};
  // The temporary name lies in the target's folder so that taking the name never copies.
  if (!GetTempFileNameW(ParentFolderOf(target).c_str(), L"pdk", 0, temporary)) return GetLastError();
  DWORD error = WriteCopy(source, temporary);
  if (!error) error = TakeTargetName(temporary, target);
  if (error) DeleteFileW(temporary);
  return error;
}
