#include "tests/terminal/terminal_fixture.h"

#include <windows.h>

#include "common/file_ctrl.h"
#include "common/unique_handle.h"
#include "tests/support/temp_folder.h"

void MakeFolder(const std::wstring& folder) { g_files.CreateFolderPath(folder); }

void MakeTerminal(const std::wstring& folder, const std::wstring& program) {
  WriteBytes(folder + L"\\" + program, "MZ");
  MakeFolder(folder + L"\\config");
}

void WriteUtf16(const std::wstring& path, const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  WriteBytes(path, bytes);
}

void MakeDataFolder(const std::wstring& root, const std::wstring& name, const std::wstring& originText) {
  WriteUtf16(root + name + L"\\origin.txt", originText);
}

namespace {

bool KeyExists(const std::wstring& subKey) {
  UniqueKey key;
  return RegOpenKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

}  // namespace

ScopedUserValue::ScopedUserValue(const std::wstring& subKey, const std::wstring& name, const std::wstring& data)
    : subKey_(subKey), name_(name) {
  for (std::size_t end = 0; end != std::wstring::npos && createdKey_.empty();) {
    end = subKey.find(L'\\', end + 1);
    const std::wstring prefix = subKey.substr(0, end);
    if (!KeyExists(prefix)) createdKey_ = prefix;
  }
  UniqueKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(),
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExW(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

ScopedUserValue::~ScopedUserValue() {
  if (!createdKey_.empty()) {
    RegDeleteTreeW(HKEY_CURRENT_USER, createdKey_.c_str());
    return;
  }
  UniqueKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, KEY_SET_VALUE, key.Receive()) == ERROR_SUCCESS) {
    RegDeleteValueW(key.Get(), name_.c_str());
  }
}
