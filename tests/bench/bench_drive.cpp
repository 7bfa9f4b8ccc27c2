#include "tests/bench/bench_drive.h"

#include <windows.h>

#include "common/unique_handle.h"
#include "tests/support/temp_folder.h"

namespace {

std::wstring Name(const wchar_t* prefix, int index) { return prefix + std::to_wstring(index); }

}  // namespace

void BuildDrive(const std::wstring& root, int first, int second) {
  for (int i = 0; i < first; ++i) {
    const std::wstring folder = root + Name(L"Folder ", i);
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int j = 0; j < second; ++j) CreateDirectoryW((folder + Name(L"\\Sub ", j)).c_str(), nullptr);
    WriteBytes(folder + L"\\readme.txt", "text");
  }
  // A few terminals among them, as on a real drive.
  for (int i = 0; i < first; i += 10) {
    const std::wstring terminal = root + Name(L"Folder ", i) + L"\\Sub 1\\";
    WriteBytes(terminal + L"terminal.exe", "MZ");
    CreateDirectoryW((terminal + L"config").c_str(), nullptr);
  }
}

std::vector<std::wstring> Subfolders(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry{};
  UniqueFind find(FindFirstFileW((folder + L"*").c_str(), &entry));
  if (!find) return names;
  do {
    const std::wstring name = entry.cFileName;
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find.Get(), &entry));
  return names;
}

int ListTwoLevels(const std::wstring& root) {
  int listed = 1;
  for (const std::wstring& first : Subfolders(root)) {
    ++listed;
    for (const std::wstring& second : Subfolders(root + first + L"\\")) {
      ++listed;
      Subfolders(root + first + L"\\" + second + L"\\");
    }
  }
  return listed;
}

double Seconds(const std::function<void()>& run) {
  LARGE_INTEGER frequency{}, start{}, end{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  run();
  QueryPerformanceCounter(&end);
  return static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}
