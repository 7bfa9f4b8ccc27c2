#include "common/reg_ctrl.h"

RegString CRegCtrl::ReadString(HKEY root, const std::wstring& subKey, const std::wstring& valueName) const {
  UniqueKey key;
  if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return {};
  wchar_t buffer[1024] = {};
  DWORD size = sizeof(buffer) - sizeof(wchar_t);
  if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  return {true, std::wstring(buffer)};
}

bool CRegCtrl::ListValueNames(UniqueKey key, std::vector<std::wstring>& outList) const {
  for (DWORD index = 0;; ++index) {
    wchar_t name[2048] = {};
    DWORD length = 2048;
    if (RegEnumValueW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    outList.emplace_back(name, length);
  }
  return true;
}
