#include "common/system_language.h"

#include <windows.h>

#include "common/reg_ctrl.h"

namespace {

constexpr LANGID kSimplifiedChinese = 0x0804;

}  // namespace

bool IsChineseSystem() {
  // The registry value is read in every case, as the detection has always done.
  const RegString installed = CRegCtrl().ReadString(
      HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Language", L"InstallLanguage");
  return GetUserDefaultLangID() == kSimplifiedChinese || GetSystemDefaultLCID() == kSimplifiedChinese ||
         installed.value == L"0804";
}
