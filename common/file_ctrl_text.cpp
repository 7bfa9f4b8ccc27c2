#include "common/file_ctrl.h"
#include "common/path_text.h"
#include "common/unique_handle.h"

namespace {

bool ReadAllBytes(const std::wstring& path, std::string& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  char buffer[10240];
  DWORD read = 0;
  while (ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  return true;
}

std::wstring FromAnsi(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  std::wstring text(length, L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), length);
  return text;
}

// Characters the code page cannot hold become its default character.
std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(length, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return bytes.empty() ||
         (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
          written == bytes.size());
}

bool AppendBytes(const std::wstring& path, const std::string& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER end{};
  return SetFilePointerEx(file.Get(), end, nullptr, FILE_END) && WriteAll(file.Get(), bytes);
}

// The new content goes to a file beside the old one first, so a failed write leaves the
// old file whole instead of truncated.
bool ReplaceWithBytes(const std::wstring& path, const std::string& bytes) {
  std::wstring folder = ParentFolderOf(path);
  if (folder.empty()) folder = L".";
  wchar_t temp[MAX_PATH] = {};
  if (!GetTempFileNameW(folder.c_str(), L"pdk", 0, temp)) return false;
  bool written = false;
  {
    UniqueHandle file(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    written = file && WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
  }
  if (written && MoveFileExW(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  DeleteFileW(temp);
  return false;
}

}  // namespace

std::wstring CFileCtrl::ReadTextFile(const std::wstring& path) const {
  std::string bytes;
  if (!ReadAllBytes(path, bytes)) return {};
  const bool utf16 = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
                     static_cast<unsigned char>(bytes[1]) == 0xFE &&
                     (bytes.size() < 3 || static_cast<unsigned char>(bytes[2]) != 0xFF);
  if (!utf16) return FromAnsi(bytes);
  std::wstring text((bytes.size() - 2) / 2, L'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                   static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
  }
  return text;
}

bool CFileCtrl::WriteTextFile(const std::wstring& path, const std::wstring& text, bool truncate) const {
  if (path.empty()) return false;
  const std::string bytes = ToAnsi(text);
  return truncate ? ReplaceWithBytes(path, bytes) : AppendBytes(path, bytes);
}

bool CFileCtrl::AppendTextLine(const std::wstring& path, const std::wstring& line, bool truncate) const {
  return WriteTextFile(path, line + L"\r\n", truncate);
}
