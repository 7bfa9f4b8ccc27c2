#include "common/md5.h"

#include <windows.h>
#include <bcrypt.h>

namespace {

constexpr DWORD kMd5Length = 16;

bool Succeeded(NTSTATUS status) { return status >= 0; }

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

Md5::Md5() {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  if (!Succeeded(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_MD5_ALGORITHM, nullptr, 0))) return;
  algorithm_ = algorithm;
  // Windows 7 wants the caller to provide the hash object's memory.
  DWORD objectLength = 0;
  ULONG written = 0;
  if (!Succeeded(BCryptGetProperty(algorithm, BCRYPT_OBJECT_LENGTH, reinterpret_cast<PUCHAR>(&objectLength),
                                   sizeof objectLength, &written, 0))) {
    return;
  }
  object_.resize(objectLength);
  BCRYPT_HASH_HANDLE hash = nullptr;
  if (!Succeeded(BCryptCreateHash(algorithm, &hash, object_.data(), objectLength, nullptr, 0, 0))) return;
  hash_ = hash;
  ok_ = true;
}

Md5::~Md5() {
  if (hash_) BCryptDestroyHash(hash_);
  if (algorithm_) BCryptCloseAlgorithmProvider(algorithm_, 0);
}

bool Md5::Add(const void* bytes, std::size_t count) {
  if (ok_ && count > 0) {
    ok_ = Succeeded(BCryptHashData(hash_, static_cast<PUCHAR>(const_cast<void*>(bytes)), static_cast<ULONG>(count), 0));
  }
  return ok_;
}

std::wstring Md5::Finish() {
  UCHAR digest[kMd5Length] = {};
  if (!ok_ || !Succeeded(BCryptFinishHash(hash_, digest, kMd5Length, 0))) return {};
  ok_ = false;
  return HexText(digest, kMd5Length);
}

std::wstring Md5OfText(const std::wstring& text) {
  Md5 md5;
  md5.Add(text.data(), text.size() * sizeof(wchar_t));
  return md5.Finish();
}
