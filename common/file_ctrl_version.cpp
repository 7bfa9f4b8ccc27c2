#include "common/file_ctrl.h"

#include <oleauto.h>

#include <cwchar>
#include <vector>

#include "common/path_text.h"
#include "common/system_library.h"

namespace {

// version.dll is not a KnownDLL, so it is loaded from System32 at first use.
template <typename Function>
Function* VersionFunction(const char* name) {
  return SystemFunction<Function>(L"version.dll", name);
}

BOOL QueryValue(const void* block, const wchar_t* name, void** value, UINT* length) {
  static const auto query = VersionFunction<decltype(::VerQueryValueW)>("VerQueryValueW");
  return query && query(block, name, value, length);
}

std::wstring QueryString(const std::vector<BYTE>& block, const std::wstring& name) {
  void* value = nullptr;
  UINT length = 0;
  if (!QueryValue(block.data(), name.c_str(), &value, &length) || value == nullptr) return {};
  std::wstring text(static_cast<const wchar_t*>(value), length);
  const std::size_t end = text.find(L'\0');
  return end == std::wstring::npos ? text : text.substr(0, end);
}

}  // namespace

std::wstring CFileCtrl::GetVersionString(const std::wstring& path, const std::wstring& key) const {
  static const auto infoSize = VersionFunction<decltype(::GetFileVersionInfoSizeW)>("GetFileVersionInfoSizeW");
  static const auto info = VersionFunction<decltype(::GetFileVersionInfoW)>("GetFileVersionInfoW");
  if (!infoSize || !info) return {};
  DWORD handle = 0;
  const DWORD size = infoSize(path.c_str(), &handle);
  if (size == 0) return {};
  std::vector<BYTE> block(size);
  if (!info(path.c_str(), 0, size, block.data())) return {};
  void* pairs = nullptr;
  UINT length = 0;
  if (!QueryValue(block.data(), L"\\VarFileInfo\\Translation", &pairs, &length) || pairs == nullptr) return {};
  const WORD* words = static_cast<const WORD*>(pairs);
  for (UINT i = 0; i + 1 < length / sizeof(WORD); i += 2) {
    wchar_t name[128] = {};
    swprintf(name, 128, L"\\StringFileInfo\\%04x%04x\\%ls", words[i], words[i + 1], key.c_str());
    const std::wstring value = CleanVersionValue(QueryString(block, name));
    if (!value.empty()) return value;
  }
  return {};
}

std::wstring CFileCtrl::GetFileVersionText(const std::wstring& path) const {
  return CleanFileVersion(GetVersionString(path, L"FileVersion"));
}

int CFileCtrl::CompareVersion(const std::wstring& a, const std::wstring& b) const { return CompareVersionText(a, b); }

std::wstring CFileCtrl::DateTimeText(const std::wstring& text) const {
  SYSTEMTIME time{};
  if (text.empty()) {
    GetLocalTime(&time);
  } else {
    std::wstring copy = text;  // the parser takes a non-const string
    DATE date = 0;
    if (FAILED(VarDateFromStr(copy.data(), LOCALE_USER_DEFAULT, 0, &date)) ||
        !VariantTimeToSystemTime(date, &time)) {
      return L"Invalid DateTime";
    }
  }
  wchar_t buffer[64] = {};
  swprintf(buffer, 64, L"%04u-%02u-%02u %02u:%02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
           time.wMinute, time.wSecond);
  return buffer;
}

std::wstring CFileCtrl::NowText() const { return DateTimeText(L""); }
