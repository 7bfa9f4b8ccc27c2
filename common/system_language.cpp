#include "common/system_language.h"

#include <windows.h>

#include <string>

#include "common/unique_handle.h"

namespace {

constexpr LANGID kSimplifiedChinese = 0x0804;

std::wstring InstallLanguage() {
  UniqueKey key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Language", 0, KEY_READ,
                    key.Receive()) != ERROR_SUCCESS) {
    return {};
  }
  wchar_t value[1024] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  if (RegQueryValueExW(key.Get(), L"InstallLanguage", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  return value;
}

}  // namespace

bool IsChineseSystem() {
  // The registry value is read in every case, as the detection has always done.
  const bool installedChinese = InstallLanguage() == L"0804";
  return GetUserDefaultLangID() == kSimplifiedChinese || GetSystemDefaultLCID() == kSimplifiedChinese ||
         installedChinese;
}
