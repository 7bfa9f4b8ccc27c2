#include "tests/charts/sample_files.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

#include "tests/support/test_system.h"

namespace {

std::wstring AsWindowsPath(const std::string& path) {
  if (!path.empty() && path[0] == '/') return WindowsPathOfUnixPath(path);
  const int size = static_cast<int>(path.size());
  std::wstring text(MultiByteToWideChar(CP_ACP, 0, path.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.data(), size, text.data(), static_cast<int>(text.size()));
  return text;
}

}  // namespace

std::wstring SamplesFolder() {
  std::vector<std::string> candidates;
  if (const char* shared = std::getenv("PANDRAKE_SHARED_DIR")) candidates.push_back(shared);
  candidates.push_back(PANDRAKE_SHARED_DIR_DEFAULT);
  for (const std::string& shared : candidates) {
    const std::wstring folder = AsWindowsPath(shared) + L"\\samples\\mt4\\";
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return folder;
  }
  return L"";
}
