#include "common/ini_file.h"

#include <windows.h>

#include <vector>

#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/product.h"

CConfig g_config;

namespace {

constexpr DWORD kValueBuffer = 65536;

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(towupper(c));
  return text;
}

}  // namespace

bool CIniFile::SetPath(const std::wstring& path) {
  path_ = path;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    return SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY) != FALSE;
  }
  return true;
}

std::wstring CIniFile::Read(const std::wstring& section, const std::wstring& key) const {
  return ReadFrom(path_, section, key);
}

std::wstring CIniFile::ReadFrom(const std::wstring& path, const std::wstring& section, const std::wstring& key) {
  std::vector<wchar_t> buffer(kValueBuffer, L'\0');
  const DWORD length =
      GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(), kValueBuffer, path.c_str());
  return std::wstring(buffer.data(), length);
}

bool CIniFile::Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) const {
  std::wstring line = value;
  std::erase_if(line, [](wchar_t c) { return c == L'\r' || c == L'\n'; });
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), line.c_str(), path_.c_str()) != FALSE;
}

std::wstring CConfig::PathFor(const std::wstring& path) {
  return path.empty() ? GetModuleFolder() + g_product.edition->shortName + L".cfg" : path;
}

void CConfig::SetConfigPath(const std::wstring& path) {
  path_ = PathFor(path);
  if (!FileExists(path_)) g_files.CreateFolderPath(ParentFolderOf(path_));
  // The profile functions write ANSI into a file without the UTF-16 mark, which turns
  // states and folder names outside the code page into "?".
  if (file_.SetPath(path_) && FileExists(path_)) g_files.MakeUtf16TextFile(path_);
}

std::wstring CConfig::ReadValue(const std::wstring& section, const std::wstring& key) {
  if (path_.empty()) SetConfigPath(L"");
  return file_.Read(Upper(section), Upper(key));
}

void CConfig::WriteValue(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  if (path_.empty()) SetConfigPath(L"");
  if (!FileExists(path_)) g_files.MakeUtf16TextFile(path_);
  file_.Write(Upper(section), Upper(key), value);
}
