// Duplicating a terminal of 2,000 files and 100 MB (half of them in its per-user data folder)
// against a plain CopyFileW walk of the same files. Not a test; run by hand:
//   wine build/bin/duplicate_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "common/file_ctrl.h"
#include "common/unique_handle.h"
#include "common/winmsg.h"
#include "duplicate/duplicate_terminal.h"
#include "terminal/data_folder_id.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int kFiles = 2000;
constexpr std::size_t kFileBytes = (100u << 20) / kFiles;
constexpr int kRounds = 3;
constexpr const wchar_t* kFolders[] = {L"\\profiles\\default\\", L"\\MQL4\\Experts\\", L"\\MQL4\\Indicators\\",
                                       L"\\MQL4\\Libraries\\", L"\\templates\\"};

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BuildTerminal(const std::wstring& install, const std::wstring& data) {
  const std::string bytes(kFileBytes, 'x');
  WriteBytes(install + L"\\terminal.exe", bytes);
  WriteBytes(install + L"\\config\\terminal.ini", "ini");
  for (int i = 1; i < kFiles - 1; ++i) {
    const std::wstring& base = i % 2 ? install : data;
    WriteBytes(base + kFolders[i % 5] + L"file" + std::to_wstring(i) + L".bin", bytes);
  }
}

// The baseline: make each folder and CopyFileW each file, nothing else.
void PlainWalk(const std::wstring& from, const std::wstring& to) {
  CreateDirectoryW(to.c_str(), nullptr);
  WIN32_FIND_DATAW entry{};
  UniqueFind find(FindFirstFileW((from + L"\\*").c_str(), &entry));
  if (!find) return;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      PlainWalk(from + L"\\" + name, to + L"\\" + name);
    } else {
      CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), TRUE);
    }
  } while (FindNextFileW(find.Get(), &entry));
}

}  // namespace

int main() {
  g_lang.FillTables();
  TempFolder root;
  TempFolder dataRoot;
  const std::wstring install = root / L"MT4";
  const std::wstring data = dataRoot / TerminalDataId(install);
  BuildTerminal(install, data);
  const std::wstring copy = install + L"_C01";
  const std::wstring copyData = dataRoot / TerminalDataId(copy);
  const auto progress = [](const CopyProgress&) { return true; };

  // Rounds alternate and the best of each counts, so a busy moment or a cold cache
  // favours neither side.
  double plain = 1e9, duplicate = 1e9;
  bool succeeded = true;
  for (int round = 0; round < kRounds; ++round) {
    plain = std::min(plain, Seconds([&] {
                       PlainWalk(install, root / L"plain");
                       PlainWalk(data, dataRoot / L"plain");
                     }));
    g_files.DeleteFolder(root / L"plain");
    g_files.DeleteFolder(dataRoot / L"plain");
    duplicate = std::min(duplicate, Seconds([&] { succeeded &= DuplicateTerminal(install, progress, dataRoot.Path()).succeeded; }));
    g_files.DeleteFolder(copy);
    g_files.DeleteFolder(copyData);
  }

  std::printf("files:            %d of %zu bytes, half in the data folder\n", kFiles, kFileBytes);
  std::printf("plain CopyFileW:  %.3f s\n", plain);
  std::printf("duplicate:        %.3f s (%s)\n", duplicate, succeeded ? "succeeded" : "FAILED");
  std::printf("ratio:            %.2f\n", duplicate / plain);
  return succeeded ? 0 : 1;
}
