#include "tests/support/temp_folder.h"

#include <windows.h>

#include <atomic>

#include "common/unique_handle.h"

namespace {

void CreateParents(const std::wstring& path) {
  for (std::size_t pos = path.find(L'\\', 3); pos != std::wstring::npos; pos = path.find(L'\\', pos + 1)) {
    CreateDirectoryW(path.substr(0, pos).c_str(), nullptr);
  }
}

}  // namespace

namespace {

std::wstring SystemTempFolder() {
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  return base;
}

}  // namespace

TempFolder::TempFolder() : TempFolder(SystemTempFolder()) {}

TempFolder::TempFolder(const std::wstring& base) {
  static std::atomic<int> counter{0};
  path_ = base + L"pdk_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
          std::to_wstring(GetTickCount()) + L"_" + std::to_wstring(counter++) + L"\\";
  CreateParents(path_);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void RemoveTree(const std::wstring& folder) {
  std::wstring base = folder;
  while (!base.empty() && base.back() == L'\\') base.pop_back();
  WIN32_FIND_DATAW entry{};
  UniqueFind find(FindFirstFileW((base + L"\\*").c_str(), &entry));
  if (find) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = base + L"\\" + name;
      SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(find.Get(), &entry));
  }
  find.Reset();
  RemoveDirectoryW(base.c_str());
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  CreateParents(path);
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

std::string ReadBytes(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  if (!file) return {};
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  return bytes;
}

std::map<std::wstring, std::string> FilesUnder(const std::wstring& folder, const std::wstring& prefix) {
  std::map<std::wstring, std::string> files;
  WIN32_FIND_DATAW entry{};
  UniqueFind find(FindFirstFileW((folder + L"*").c_str(), &entry));
  if (!find) return files;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      files.merge(FilesUnder(folder + name + L"\\", prefix + name + L"\\"));
    } else {
      files[prefix + name] = ReadBytes(folder + name);
    }
  } while (FindNextFileW(find.Get(), &entry));
  return files;
}
