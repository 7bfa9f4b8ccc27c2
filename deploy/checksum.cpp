#include "deploy/checksum.h"

#include <windows.h>

#include <vector>

#include "common/md5.h"
#include "common/unique_handle.h"

CChecksum g_checksum;

std::wstring CChecksum::FileMd5(const std::wstring& path) const {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart == 0) return {};
  Md5 md5;
  std::vector<UCHAR> block(64 * 1024);
  DWORD read = 0;
  do {
    if (!ReadFile(file.Get(), block.data(), static_cast<DWORD>(block.size()), &read, nullptr)) return {};
    md5.Add(block.data(), read);
  } while (read > 0);
  return md5.Finish();
}

std::wstring FileMd5(const std::wstring& path) { return g_checksum.FileMd5(path); }

bool SameDigest(const std::wstring& a, const std::wstring& b) {
  const std::wstring digest = FileMd5(a);
  return !digest.empty() && digest == FileMd5(b);
}
