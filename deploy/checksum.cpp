#include "deploy/checksum.h"

#include <windows.h>
#include <bcrypt.h>

#include <vector>

#include "common/unique_handle.h"

CChecksum g_checksum;

namespace {

struct AlgorithmTraits {
  static BCRYPT_ALG_HANDLE Invalid() { return nullptr; }
  static bool IsValid(BCRYPT_ALG_HANDLE h) { return h != nullptr; }
  static void Close(BCRYPT_ALG_HANDLE h) { BCryptCloseAlgorithmProvider(h, 0); }
};

struct HashTraits {
  static BCRYPT_HASH_HANDLE Invalid() { return nullptr; }
  static bool IsValid(BCRYPT_HASH_HANDLE h) { return h != nullptr; }
  static void Close(BCRYPT_HASH_HANDLE h) { BCryptDestroyHash(h); }
};

using UniqueAlgorithm = Unique<BCRYPT_ALG_HANDLE, AlgorithmTraits>;
using UniqueHash = Unique<BCRYPT_HASH_HANDLE, HashTraits>;

constexpr DWORD kMd5Length = 16;

bool Succeeded(NTSTATUS status) { return status >= 0; }

// Windows 7 wants the caller to provide the hash object's memory.
bool CreateMd5(UniqueAlgorithm& algorithm, std::vector<UCHAR>& object, UniqueHash& hash) {
  if (!Succeeded(BCryptOpenAlgorithmProvider(algorithm.Receive(), BCRYPT_MD5_ALGORITHM, nullptr, 0))) return false;
  DWORD objectLength = 0;
  ULONG written = 0;
  if (!Succeeded(BCryptGetProperty(algorithm.Get(), BCRYPT_OBJECT_LENGTH, reinterpret_cast<PUCHAR>(&objectLength),
                                   sizeof objectLength, &written, 0))) {
    return false;
  }
  object.resize(objectLength);
  return Succeeded(BCryptCreateHash(algorithm.Get(), hash.Receive(), object.data(), objectLength, nullptr, 0, 0));
}

std::wstring HexText(const UCHAR* bytes, DWORD count) {
  static constexpr wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring text;
  for (DWORD i = 0; i < count; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 0x0F];
  }
  return text;
}

}  // namespace

std::wstring CChecksum::FileMd5(const std::wstring& path) const {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart == 0) return {};
  UniqueAlgorithm algorithm;
  std::vector<UCHAR> object;
  UniqueHash hash;
  if (!CreateMd5(algorithm, object, hash)) return {};
  std::vector<UCHAR> block(64 * 1024);
  DWORD read = 0;
  do {
    if (!ReadFile(file.Get(), block.data(), static_cast<DWORD>(block.size()), &read, nullptr)) return {};
    if (read > 0 && !Succeeded(BCryptHashData(hash.Get(), block.data(), read, 0))) return {};
  } while (read > 0);
  UCHAR digest[kMd5Length] = {};
  if (!Succeeded(BCryptFinishHash(hash.Get(), digest, kMd5Length, 0))) return {};
  return HexText(digest, kMd5Length);
}

std::wstring FileMd5(const std::wstring& path) { return g_checksum.FileMd5(path); }
