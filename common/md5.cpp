#include "common/md5.h"

#include <windows.h>
#include <bcrypt.h>

#include "common/system_library.h"

namespace {

// bcrypt.dll is not a KnownDLL, so it is loaded from System32 at first use.
struct Cng {
  template <typename Function>
  static Function* Find(const char* name) { return SystemFunction<Function>(L"bcrypt.dll", name); }

  decltype(&::BCryptOpenAlgorithmProvider) open =
      Find<decltype(::BCryptOpenAlgorithmProvider)>("BCryptOpenAlgorithmProvider");
  decltype(&::BCryptGetProperty) getProperty = Find<decltype(::BCryptGetProperty)>("BCryptGetProperty");
  decltype(&::BCryptCreateHash) createHash = Find<decltype(::BCryptCreateHash)>("BCryptCreateHash");
  decltype(&::BCryptHashData) hashData = Find<decltype(::BCryptHashData)>("BCryptHashData");
  decltype(&::BCryptFinishHash) finishHash = Find<decltype(::BCryptFinishHash)>("BCryptFinishHash");
  decltype(&::BCryptDestroyHash) destroyHash = Find<decltype(::BCryptDestroyHash)>("BCryptDestroyHash");
  decltype(&::BCryptCloseAlgorithmProvider) close =
      Find<decltype(::BCryptCloseAlgorithmProvider)>("BCryptCloseAlgorithmProvider");

  bool Complete() const {
    return open && getProperty && createHash && hashData && finishHash && destroyHash && close;
  }
};

const Cng& Api() {
  static const Cng cng;
  return cng;
}

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
  const Cng& api = Api();
  if (!api.Complete()) return;
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  if (!Succeeded(api.open(&algorithm, BCRYPT_MD5_ALGORITHM, nullptr, 0))) return;
  algorithm_ = algorithm;
  // Windows 7 wants the caller to provide the hash object's memory.
  DWORD objectLength = 0;
  ULONG written = 0;
  if (!Succeeded(api.getProperty(algorithm, BCRYPT_OBJECT_LENGTH, reinterpret_cast<PUCHAR>(&objectLength),
                                   sizeof objectLength, &written, 0))) {
    return;
  }
  object_.resize(objectLength);
  BCRYPT_HASH_HANDLE hash = nullptr;
  if (!Succeeded(api.createHash(algorithm, &hash, object_.data(), objectLength, nullptr, 0, 0))) return;
  hash_ = hash;
  ok_ = true;
}

Md5::~Md5() {
  if (hash_) Api().destroyHash(hash_);
  if (algorithm_) Api().close(algorithm_, 0);
}

bool Md5::Add(const void* bytes, std::size_t count) {
  if (ok_ && count > 0) {
    ok_ = Succeeded(Api().hashData(hash_, static_cast<PUCHAR>(const_cast<void*>(bytes)), static_cast<ULONG>(count), 0));
  }
  return ok_;
}

std::wstring Md5::Finish() {
  UCHAR digest[kMd5Length] = {};
  if (!ok_ || !Succeeded(Api().finishHash(hash_, digest, kMd5Length, 0))) return {};
  ok_ = false;
  return HexText(digest, kMd5Length);
}

std::wstring Md5OfText(const std::wstring& text) {
  Md5 md5;
  md5.Add(text.data(), text.size() * sizeof(wchar_t));
  return md5.Finish();
}
