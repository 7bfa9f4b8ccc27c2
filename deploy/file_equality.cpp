#include "deploy/file_equality.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/unique_handle.h"
#include "deploy/checksum.h"

namespace {

// Opened as the digest opens it: others may read but not write.
struct ComparedFile {
  UniqueHandle handle;
  LONGLONG size = 0;  // 0 also for a file that cannot be opened
};

ComparedFile OpenForCompare(const std::wstring& path) {
  ComparedFile file;
  file.handle.Reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size{};
  if (file.handle && GetFileSizeEx(file.handle.Get(), &size)) file.size = size.QuadPart;
  return file;
}

bool ReadFully(HANDLE file, char* buffer, DWORD count) {
  DWORD read = 0;
  return ReadFile(file, buffer, count, &read, nullptr) && read == count;
}

enum class ByteCompare { kEqual, kDifferent, kReadFailed };

ByteCompare CompareBytes(HANDLE a, HANDLE b, LONGLONG size) {
  constexpr DWORD kBlock = 1 << 20;
  std::vector<char> left(kBlock);
  std::vector<char> right(kBlock);
  for (LONGLONG done = 0; done < size;) {
    const DWORD count = static_cast<DWORD>(std::min<LONGLONG>(kBlock, size - done));
    if (!ReadFully(a, left.data(), count) || !ReadFully(b, right.data(), count)) return ByteCompare::kReadFailed;
    if (memcmp(left.data(), right.data(), count) != 0) return ByteCompare::kDifferent;
    done += count;
  }
  return ByteCompare::kEqual;
}

}  // namespace

bool FilesEqualForDeploy(const std::wstring& source, const std::wstring& target) {
  ComparedFile a = OpenForCompare(source);
  ComparedFile b = OpenForCompare(target);
  if (a.size != b.size) return false;
  if (a.size == 0) return true;
  const ByteCompare result = CompareBytes(a.handle.Get(), b.handle.Get(), a.size);
  if (result != ByteCompare::kReadFailed) return result == ByteCompare::kEqual;
  // A read that breaks off midway is rare enough to let the digests decide.
  a.handle.Reset();
  b.handle.Reset();
  return SameDigest(source, target);
}

bool KeepsExistingTarget(const std::wstring& targetFile) {
  const std::wstring name = L"experts.ini";
  return FileExists(targetFile) && ToLower(targetFile).ends_with(name);
}

DWORD PackageFileError(const std::wstring& sourceFile) {
  const ComparedFile file = OpenForCompare(sourceFile);
  return file.handle ? ERROR_SUCCESS : GetLastError();
}

int CopyForDeploy(const std::wstring& sourceFile, const std::wstring& targetFile, bool overwrite, bool* copied,
                  DWORD* error) {
  if (copied) *copied = false;
  // A package file that cannot be read is never taken as empty, and so never as in place.
  if (const DWORD failure = PackageFileError(sourceFile)) {
    if (error) *error = failure;
    return kCopyNoSource;
  }
  const bool keep = KeepsExistingTarget(targetFile);
  if (FileExists(targetFile) && FilesEqualForDeploy(sourceFile, targetFile)) return kCopyDone;
  if (copied) *copied = true;
  return g_files.CopyFileTo(sourceFile, targetFile, overwrite && !keep, error);
}
